// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext.h"

#include "utf16.h"
#include "utf8.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>

namespace korv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char kHexDigits[] = "0123456789abcdef";

void checkPoints(int points) {
    if (points < MinFontPoints || points > MaxFontPoints) {
        throw std::invalid_argument("font size out of range: " + std::to_string(points));
    }
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Reads the code point at text[i] and advances i past it; unpaired surrogates read as U+FFFD.
char32_t nextCodePoint(std::u16string_view text, std::size_t& i) {
    const char16_t unit = text[i++];
    if (isHighSurrogate(unit) && i < text.size() && isLowSurrogate(text[i])) {
        const char16_t low = text[i++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
    if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
        return kReplacement;
    }
    return unit;
}

void appendNumber(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendRtfHexByte(std::string& out, unsigned byte) {
    out += "\\'";
    out += kHexDigits[(byte >> 4) & 0xF];
    out += kHexDigits[byte & 0xF];
}

// The fallback is written as \'3f rather than a bare '?': some readers take a bare '?' and the
// letters behind it as one word and skip all of them.
void appendRtfUnicode(std::string& out, char16_t unit) {
    out += "\\u";
    appendNumber(out, static_cast<std::int16_t>(unit));
    out += "\\'3f";
}

void appendRtfFontName(std::string& out, std::string_view face) {
    for (const char c : face) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == '\\' || c == '{' || c == '}' || c == ';') {
            appendRtfHexByte(out, byte);
        } else {
            out += c;
        }
    }
}

void appendRtfText(std::string& out, std::u16string_view text, bool legacyCodes) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            out += "\\line ";
        } else if (unit == 0) {
            // Readers that keep text NUL-terminated would cut the run short here.
            appendRtfUnicode(out, static_cast<char16_t>(kReplacement));
        } else if (unit < 0x20 || unit == 0x7F) {
            appendRtfUnicode(out, unit);
        } else if (unit < 0x7F) {
            if (unit == u'\\' || unit == u'{' || unit == u'}') {
                out += '\\';
            }
            out += static_cast<char>(unit);
        } else if (legacyCodes && unit <= 0xFF) {
            appendRtfHexByte(out, unit);
        } else {
            appendRtfUnicode(out, unit);
        }
    }
}

// The face goes into a single-quoted CSS string inside a double-quoted attribute.
void appendCssFontName(std::string& out, std::string_view face) {
    for (const char c : face) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '\'') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += '\\';
            out += kHexDigits[(byte >> 4) & 0xF];
            out += kHexDigits[byte & 0xF];
            out += ' ';
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
}

void appendHtmlText(std::string& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = nextCodePoint(text, i);
        switch (cp) {
        case U'&':
            out += "&amp;";
            break;
        case U'<':
            out += "&lt;";
            break;
        case U'>':
            out += "&gt;";
            break;
        case U'"':
            out += "&quot;";
            break;
        case U'\'':
            out += "&#39;";
            break;
        case U'\t':
        case U'\n':
        case U'\r':
            out += static_cast<char>(cp);
            break;
        default:
            // C0 controls other than the three above, and DEL, are no valid HTML (nor XML) in any
            // spelling. C1 controls stay: legacy codes such as 129 are among them.
            appendUtf8(out, cp < 0x20 || cp == 0x7F ? kReplacement : cp);
            break;
        }
    }
}

} // namespace

std::string buildRtf(std::u16string_view text, std::string_view face, int points) {
    checkPoints(points);
    const bool legacyCodes = face == KorvaniFontFace;
    std::string out;
    out.reserve(128 + face.size() + text.size() * 4);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil";
    // The symbol charset makes readers take \'hh as the font's own byte positions, not as
    // code page 1252 characters.
    out += legacyCodes ? "\\fcharset2 " : "\\fcharset0 ";
    appendRtfFontName(out, face);
    out += ";}}\\uc1\\pard\\plain\\f0\\fs";
    appendNumber(out, points * 2);
    out += ' ';
    appendRtfText(out, text, legacyCodes);
    out += '}';
    return out;
}

std::string buildHtml(std::u16string_view text, std::string_view face, int points) {
    checkPoints(points);
    std::string out;
    out.reserve(128 + face.size() + text.size() * 3);
    // Some receivers guess the clipboard's HTML encoding unless the fragment declares it.
    out += "<meta charset=\"utf-8\"><span style=\"font-family: '";
    appendCssFontName(out, face);
    out += "'; font-size: ";
    appendNumber(out, points);
    // Without pre-wrap, tabs and runs of spaces would collapse into one space.
    out += "pt; white-space: pre-wrap\">";
    appendHtmlText(out, text);
    out += "</span>";
    return out;
}

} // namespace korv
