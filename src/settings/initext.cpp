// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/initext.h"

#include "utf8.h"

#include <cstdint>

namespace korv::ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kNewFileLineBreak = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// One line: [begin, contentEnd) is its text, [contentEnd, end) its line break (possibly none).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

Line lineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.find_first_of("\r\n", begin), 0};
    if (line.contentEnd == std::string_view::npos) {
        line.contentEnd = line.end = text.size();
    } else if (text[line.contentEnd] == '\r' && line.contentEnd + 1 < text.size() &&
               text[line.contentEnd + 1] == '\n') {
        line.end = line.contentEnd + 2;
    } else {
        line.end = line.contentEnd + 1;
    }
    return line;
}

enum class Kind { Other, Header, Entry };

// A header's name, or an entry's key and the span of its trimmed value.
struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

Parsed parse(std::string_view text, const Line& line) {
    std::size_t p = line.begin;
    while (p < line.contentEnd && isBlank(text[p])) {
        ++p;
    }
    if (p == line.contentEnd || text[p] == ';') {
        return {};
    }
    const std::string_view content = text.substr(p, line.contentEnd - p);
    if (content[0] == '[') {
        // The last "]" closes the name, so names may hold "]" themselves. Blanks around the
        // name are no part of it, as in the files people edit by hand ("[ Position ]").
        const std::size_t close = content.rfind(']');
        if (close != 0 && close != std::string_view::npos) {
            std::string_view name = content.substr(1, close - 1);
            while (!name.empty() && isBlank(name.front())) {
                name.remove_prefix(1);
            }
            while (!name.empty() && isBlank(name.back())) {
                name.remove_suffix(1);
            }
            return {Kind::Header, name, 0, 0};
        }
    }
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) {
        return {};
    }
    std::size_t nameEnd = eq;
    while (nameEnd > 0 && isBlank(content[nameEnd - 1])) {
        --nameEnd;
    }
    std::size_t valueBegin = p + eq + 1;
    while (valueBegin < line.contentEnd && isBlank(text[valueBegin])) {
        ++valueBegin;
    }
    std::size_t valueEnd = line.contentEnd;
    while (valueEnd > valueBegin && isBlank(text[valueEnd - 1])) {
        --valueEnd;
    }
    return {Kind::Entry, content.substr(0, nameEnd), valueBegin, valueEnd};
}

// Walks the lines of the first section called `section`. Stops early when onEntry returns true.
template <typename OnEntry>
void forFirstSection(std::string_view text, std::string_view section, OnEntry&& onEntry,
                     bool* found = nullptr) {
    bool inside = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.end;
        const Parsed parsed = parse(text, line);
        if (parsed.kind == Kind::Header) {
            if (inside) {
                return;
            }
            inside = namesEqual(parsed.name, section);
            if (inside && found != nullptr) {
                *found = true;
            }
            if (inside && onEntry(line, parsed)) {
                return;
            }
        } else if (inside && onEntry(line, parsed)) {
            return;
        }
    }
}

std::string_view firstLineBreak(std::string_view text) {
    const Line line = lineAt(text, 0);
    return line.end == line.contentEnd ? kNewFileLineBreak
                                       : text.substr(line.contentEnd, line.end - line.contentEnd);
}

// Decodes one sequence at text[i]; returns its length, 0 when it is not well-formed WTF-8.
std::size_t nextCodePoint(std::string_view text, std::size_t i, std::uint32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    } else {
        return 0;
    }
    cp = lead & (0x7F >> length);
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    return cp >= minimum && cp <= 0x10FFFF ? length : 0;
}

bool isHighSurrogate(std::uint32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(std::uint32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t k) -> std::uint32_t {
        const auto b0 = static_cast<unsigned char>(bytes[k]);
        const auto b1 = static_cast<unsigned char>(bytes[k + 1]);
        return bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0;
    };
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
        const std::uint32_t u = unit(k);
        if (isHighSurrogate(u) && k + 3 < bytes.size() && isLowSurrogate(unit(k + 2))) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(k + 2) - 0xDC00));
            k += 2;
        } else {
            // A lone surrogate stays as it is (WTF-8): any UTF-16 text survives the round trip.
            appendUtf8(out, u);
        }
    }
    return out;
}

std::optional<std::string> encodeUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2 + 2);
    const auto put = [&](std::uint32_t u) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    put(0xFEFF);
    bool afterHighSurrogate = false;
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t cp = 0;
        const std::size_t length = nextCodePoint(text, i, cp);
        // Two lone halves in a row would come back as one character.
        if (length == 0 || (afterHighSurrogate && isLowSurrogate(cp))) {
            return std::nullopt;
        }
        i += length;
        afterHighSurrogate = isHighSurrogate(cp);
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

// The longest prefix of at most `limit` bytes that does not split a well-formed character.
std::size_t cutPoint(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    for (std::size_t start = limit; start > 0 && limit - start < 4; --start) {
        const auto lead = static_cast<unsigned char>(text[start - 1]);
        if ((lead & 0xC0) != 0x80) {
            std::uint32_t cp = 0;
            const std::size_t length = nextCodePoint(text, start - 1, cp);
            return length > 1 && start - 1 + length > limit ? start - 1 : limit;
        }
    }
    return limit;
}

} // namespace

Decoded decode(std::string_view bytes) {
    Decoded decoded;
    if (bytes.starts_with(kUtf8Bom)) {
        decoded.encoding = Encoding::Utf8Bom;
        decoded.text = bytes.substr(kUtf8Bom.size());
    } else if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        decoded.encoding = bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
        decoded.text = decodeUtf16(bytes.substr(2), bigEndian);
        decoded.strayByte = bytes.size() % 2 != 0;
    } else {
        decoded.text = bytes;
    }
    return decoded;
}

std::optional<std::string> encode(Encoding encoding, std::string_view text) {
    switch (encoding) {
    case Encoding::Bytes:
        return std::string(text);
    case Encoding::Utf8Bom:
        return std::string(kUtf8Bom) + std::string(text);
    case Encoding::Utf16Le:
        return encodeUtf16(text, false);
    case Encoding::Utf16Be:
        return encodeUtf16(text, true);
    }
    return std::nullopt;
}

bool namesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

bool isValidValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool isValidSection(std::string_view section) {
    // Headers are matched without their surrounding blanks, so a name with them is never found.
    return !section.empty() && isValidValue(section) && !isBlank(section.front()) &&
           !isBlank(section.back());
}

bool isValidKey(std::string_view key) {
    // A key line must not read as a header or a comment, and its name must survive trimming.
    return !key.empty() && isValidValue(key) && key.find('=') == std::string_view::npos &&
           key[0] != '[' && key[0] != ';' && !isBlank(key.front()) && !isBlank(key.back());
}

std::optional<std::string_view> findRawValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
    if (!isValidSection(section) || !isValidKey(key)) {
        return std::nullopt;
    }
    std::optional<std::string_view> value;
    forFirstSection(text, section, [&](const Line&, const Parsed& parsed) {
        if (parsed.kind == Kind::Entry && namesEqual(parsed.name, key)) {
            value = text.substr(parsed.valueBegin, parsed.valueEnd - parsed.valueBegin);
            return true;
        }
        return false;
    });
    return value;
}

std::string cookValue(std::string_view raw) {
    std::string_view value = raw.substr(0, raw.find('\0'));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, cutPoint(value, kMaxValueLength)));
}

std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value) {
    // Blanks around a value never read back; storing them would only let them pile up on
    // rewrites between the spacing already in the line.
    while (!value.empty() && isBlank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && isBlank(value.back())) {
        value.remove_suffix(1);
    }
    bool sectionFound = false;
    std::optional<Line> anchor; // the line a new key goes after: the header or the last entry
    std::optional<Parsed> existing;
    forFirstSection(
        text, section,
        [&](const Line& line, const Parsed& parsed) {
            if (parsed.kind == Kind::Other) {
                return false;
            }
            anchor = line;
            if (parsed.kind == Kind::Entry && namesEqual(parsed.name, key)) {
                existing = parsed;
                return true;
            }
            return false;
        },
        &sectionFound);

    std::string out;
    if (existing) {
        const std::string_view old =
            text.substr(existing->valueBegin, existing->valueEnd - existing->valueBegin);
        if (old == value) {
            return std::nullopt;
        }
        out.reserve(text.size() + value.size());
        out.append(text.substr(0, existing->valueBegin));
        out.append(value);
        out.append(text.substr(existing->valueEnd));
        return out;
    }

    const std::string entry = std::string(key) + "=" + std::string(value);
    out.reserve(text.size() + entry.size() + section.size() + 8);
    if (sectionFound) {
        // Follow the anchor's own line break; a last line without one gets the file's.
        const bool terminated = anchor->end > anchor->contentEnd;
        const std::string_view lineBreak =
            terminated ? text.substr(anchor->contentEnd, anchor->end - anchor->contentEnd)
                       : firstLineBreak(text);
        out.append(text.substr(0, anchor->end));
        if (!terminated) {
            out.append(lineBreak);
        }
        out.append(entry).append(lineBreak);
        out.append(text.substr(anchor->end));
        return out;
    }

    const std::string_view lineBreak = firstLineBreak(text);
    out.append(text);
    if (!text.empty() && !isLineBreak(text.back())) {
        out.append(lineBreak);
    }
    out.append("[").append(section).append("]").append(lineBreak);
    out.append(entry).append(lineBreak);
    return out;
}

std::optional<std::string> withoutSection(std::string_view text, std::string_view section) {
    std::string out;
    bool dropping = false;
    bool changed = false;
    std::size_t keptFrom = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.end;
        const Parsed parsed = parse(text, line);
        if (parsed.kind != Kind::Header) {
            continue;
        }
        const bool drop = namesEqual(parsed.name, section);
        if (drop && !dropping) {
            out.append(text.substr(keptFrom, line.begin - keptFrom));
            changed = true;
        } else if (!drop && dropping) {
            keptFrom = line.begin;
        }
        dropping = drop;
    }
    if (!changed) {
        return std::nullopt;
    }
    if (!dropping) {
        out.append(text.substr(keptFrom));
    }
    return out;
}

} // namespace korv::ini
