// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/symbollists.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace korv {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isSymbolCharacter(char32_t cp) {
    const bool control = cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
    const bool blank = cp == 0x20 || cp == 0xA0 || cp == 0x2028 || cp == 0x2029;
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    const bool nonCharacter = (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE;
    return cp <= 0x10FFFF && !control && !blank && !surrogate && !nonCharacter;
}

// The code points of UTF-16 text; nullopt for a lone surrogate.
std::optional<std::u32string> codePoints(std::u16string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out +=
                static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            return std::nullopt;
        } else {
            out += unit;
        }
    }
    return out;
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

// "U+0283": four to six hexadecimal digits after "U+" or "u+".
std::optional<char32_t> codePointToken(std::string_view token) {
    if (token.size() < 6 || token.size() > 8 || (token[0] != 'U' && token[0] != 'u') ||
        token[1] != '+') {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : token.substr(2)) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return static_cast<char32_t>(value);
}

// Strict UTF-8: shortest forms only, no encoded surrogates; nullopt otherwise.
std::optional<std::u32string> utf8CodePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + length > text.size()) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return std::nullopt;
        }
        out += cp;
        i += length;
    }
    return out;
}

// One entry of a value: blank-separated tokens, each a code point or characters as themselves.
std::optional<std::u16string> parseEntry(std::string_view item) {
    std::u32string cps;
    while (!item.empty()) {
        std::size_t end = 0;
        while (end < item.size() && !isBlank(item[end])) {
            ++end;
        }
        const std::string_view token = item.substr(0, end);
        item = trimmed(item.substr(end));
        // A mistyped code point must not pass for the letters U and + and digits.
        const bool named =
            token.size() >= 2 && (token[0] == 'U' || token[0] == 'u') && token[1] == '+';
        if (const auto cp = codePointToken(token)) {
            cps += *cp;
        } else if (const auto literal = named ? std::nullopt : utf8CodePoints(token)) {
            cps += *literal;
        } else {
            return std::nullopt;
        }
        if (cps.size() > kMaxSymbolLength) {
            return std::nullopt;
        }
    }
    std::u16string entry;
    for (const char32_t cp : cps) {
        if (!isSymbolCharacter(cp)) {
            return std::nullopt;
        }
        appendUtf16(entry, cp);
    }
    return entry;
}

SymbolList readList(const IniAccess& ini, std::string_view key, std::size_t limit) {
    SymbolList list(limit);
    if (auto entries = parseSymbolList(ini.readString(kSymbolsSection, key, ""), limit)) {
        list.assign(std::move(*entries));
    }
    return list;
}

} // namespace

bool isValidSymbol(std::u16string_view symbol) {
    const auto cps = codePoints(symbol);
    return cps && !cps->empty() && cps->size() <= kMaxSymbolLength &&
           std::all_of(cps->begin(), cps->end(), isSymbolCharacter);
}

bool SymbolList::contains(std::u16string_view symbol) const {
    return std::find(m_entries.begin(), m_entries.end(), symbol) != m_entries.end();
}

bool SymbolList::add(std::u16string_view symbol) {
    if (!isValidSymbol(symbol) || contains(symbol) || full()) {
        return false;
    }
    m_entries.emplace_back(symbol);
    return true;
}

bool SymbolList::remove(std::u16string_view symbol) {
    return std::erase(m_entries, symbol) != 0;
}

bool SymbolList::move(std::u16string_view symbol, int step) {
    const auto it = std::find(m_entries.begin(), m_entries.end(), symbol);
    if (it == m_entries.end() || (step != -1 && step != 1)) {
        return false;
    }
    const auto index = static_cast<std::size_t>(it - m_entries.begin());
    if ((step < 0 && index == 0) || (step > 0 && index + 1 == m_entries.size())) {
        return false;
    }
    std::swap(m_entries[index], m_entries[step < 0 ? index - 1 : index + 1]);
    return true;
}

bool SymbolList::record(std::u16string_view symbol) {
    if (!isValidSymbol(symbol) || (!m_entries.empty() && m_entries.front() == symbol)) {
        return false;
    }
    std::erase(m_entries, symbol);
    m_entries.insert(m_entries.begin(), std::u16string(symbol));
    if (m_entries.size() > m_limit) {
        m_entries.resize(m_limit);
    }
    return true;
}

bool SymbolList::assign(std::vector<std::u16string> entries) {
    if (entries.size() > m_limit) {
        return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!isValidSymbol(entries[i]) ||
            std::find(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(i),
                      entries[i]) != entries.begin() + static_cast<std::ptrdiff_t>(i)) {
            return false;
        }
    }
    m_entries = std::move(entries);
    return true;
}

std::string formatSymbolList(const std::vector<std::u16string>& entries) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const std::u16string& entry : entries) {
        if (!out.empty()) {
            out += ", ";
        }
        bool first = true;
        for (const char32_t cp : codePoints(entry).value_or(std::u32string())) {
            out += first ? "U+" : " U+";
            first = false;
            const int digits = cp > 0xFFFFF ? 6 : cp > 0xFFFF ? 5 : 4;
            for (int d = digits - 1; d >= 0; --d) {
                out += kHex[(cp >> (4 * d)) & 0xF];
            }
        }
    }
    return out;
}

std::optional<std::vector<std::u16string>> parseSymbolList(std::string_view value,
                                                           std::size_t limit) {
    if (value.size() >= kMaxListValueLength) {
        return std::nullopt;
    }
    std::vector<std::u16string> entries;
    while (true) {
        const std::size_t comma = value.find(',');
        const std::string_view item = trimmed(value.substr(0, comma));
        if (!item.empty()) {
            std::optional<std::u16string> entry = parseEntry(item);
            if (!entry) {
                return std::nullopt;
            }
            if (std::find(entries.begin(), entries.end(), *entry) == entries.end()) {
                entries.push_back(std::move(*entry));
            }
            if (entries.size() > limit) {
                return std::nullopt;
            }
        }
        if (comma == std::string_view::npos) {
            return entries;
        }
        value.remove_prefix(comma + 1);
    }
}

SymbolList readMine(const IniAccess& ini) {
    return readList(ini, kMineKey, kMineLimit);
}

SymbolList readRecent(const IniAccess& ini) {
    return readList(ini, kRecentKey, kRecentLimit);
}

bool writeMine(IniAccess& ini, const SymbolList& list) {
    return ini.writeString(kSymbolsSection, kMineKey, formatSymbolList(list.entries()));
}

bool writeRecent(IniAccess& ini, const SymbolList& list) {
    return ini.writeString(kSymbolsSection, kRecentKey, formatSymbolList(list.entries()));
}

} // namespace korv
