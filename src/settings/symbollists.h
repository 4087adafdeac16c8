// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user's own symbols ("Mine") and the recently inserted ones ("Recent"), and how both are
// kept in the settings file: one value each in the section "Symbols", written in plain ASCII
// so that it reads the same in an ANSI, UTF-8 or UTF-16 file. A value lists the entries
// separated by commas, each entry its characters as code points separated by blanks:
//
//     [Symbols]
//     Mine=U+0283, U+0074 U+0283 U+02B0, U+014B U+030D
//     Recent=U+0259, U+026A
//
// A hand-written value may also name characters as themselves ("Mine=ʃ, tʃʰ") in a UTF-8 or
// UTF-16 file; the next write stores them as code points.

#include "settings/iniaccess.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

inline constexpr std::string_view kSymbolsSection = "Symbols";
inline constexpr std::string_view kMineKey = "Mine";
inline constexpr std::string_view kRecentKey = "Recent";

inline constexpr std::size_t kRecentLimit = 16;
inline constexpr std::size_t kMineLimit = 48;
// Characters (code points) in one entry: enough for ˈtʃʰ; the longest full value, 48 entries of
// four code points beyond the BMP, stays below kMaxListValueLength.
inline constexpr std::size_t kMaxSymbolLength = 4;
// A value this long or longer was written by no copy of the program, or has been cut short by
// the reader: its list cannot be trusted.
inline constexpr std::size_t kMaxListValueLength = 2000;

// One to kMaxSymbolLength characters, none of them a control, blank, surrogate or
// noncharacter.
bool isValidSymbol(std::u16string_view symbol);

// An ordered list of different symbols that holds at most `limit` of them.
class SymbolList {
public:
    explicit SymbolList(std::size_t limit)
        : m_limit(limit) {}

    const std::vector<std::u16string>& entries() const { return m_entries; }
    std::size_t limit() const { return m_limit; }
    bool full() const { return m_entries.size() >= m_limit; }
    bool contains(std::u16string_view symbol) const;

    // Mine: appends; false when the symbol is invalid, already there, or the list is full.
    bool add(std::u16string_view symbol);
    bool remove(std::u16string_view symbol);
    // One place to the left (step -1) or the right (+1); false at either end or when absent.
    bool move(std::u16string_view symbol, int step);

    // Recent: puts the symbol first, dropping the oldest beyond the limit; false when the list
    // stays as it was (the symbol was first already, or is invalid).
    bool record(std::u16string_view symbol);

    // Replaces the entries, as read from a file; false (and the list unchanged) when they are not
    // valid, different and within the limit.
    bool assign(std::vector<std::u16string> entries);

private:
    std::size_t m_limit;
    std::vector<std::u16string> m_entries;
};

// The value for a list: "U+0283, U+0074 U+0283 U+02B0"; empty for an empty list.
std::string formatSymbolList(const std::vector<std::u16string>& entries);

// The entries of a value, nullopt when it cannot be read: text that is not an entry, a
// character not allowed in a symbol, more entries than limit, or a value of
// kMaxListValueLength bytes or more. Blank entries are skipped, repeated ones kept once.
std::optional<std::vector<std::u16string>> parseSymbolList(std::string_view value,
                                                           std::size_t limit);

// The lists as the settings file holds them; empty where there is none or it cannot be read.
SymbolList readMine(const IniAccess& ini);
SymbolList readRecent(const IniAccess& ini);
// Writes one list's value; nothing else in the file changes.
bool writeMine(IniAccess& ini, const SymbolList& list);
bool writeRecent(IniAccess& ini, const SymbolList& list);

} // namespace korv
