// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The INI text engine: lookups and edits on the decoded text of a whole file. Pure functions, no
// I/O, so that the file layer, the tests and the fuzzer share exactly one parser.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korv::ini {

// The longest value a read hands back, in bytes: the old profile reader used a 2048-byte buffer.
inline constexpr std::size_t kMaxValueLength = 2047;

// How the bytes of a file map to the text the engine works on.
enum class Encoding { Bytes, Utf8Bom, Utf16Le, Utf16Be };

struct Decoded {
    Encoding encoding = Encoding::Bytes;
    std::string text;       // UTF-16 is held as UTF-8, lone surrogates kept (WTF-8)
    bool strayByte = false; // a UTF-16 file with an odd byte count; the last byte is not in text
};

// Splits off a byte-order mark and decodes UTF-16; any other file is taken as it is.
Decoded decode(std::string_view bytes);

// The file bytes for text in the given encoding; nullopt when text cannot be encoded in it.
std::optional<std::string> encode(Encoding encoding, std::string_view text);

// ASCII letters fold, every other byte compares exactly.
bool namesEqual(std::string_view a, std::string_view b);

// Names and values that can be written without changing the meaning of any other line.
bool isValidSection(std::string_view section);
bool isValidKey(std::string_view key);
bool isValidValue(std::string_view value);

// The value of key in the first section of that name, blanks trimmed but otherwise raw.
std::optional<std::string_view> findRawValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// What a caller receives for a raw value: cut at a NUL, unquoted, at most kMaxValueLength bytes.
std::string cookValue(std::string_view raw);

// The text with key set to value (blanks around it dropped); nullopt when the text already says
// exactly that. Names and value must be valid.
std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value);

// The text without any section of that name; nullopt when there is none.
std::optional<std::string> withoutSection(std::string_view text, std::string_view section);

} // namespace korv::ini
