// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "utf8.h"

namespace korv {

inline bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Calls f with each code point; a lone surrogate is passed on as itself.
template <typename F> void forEachCodePoint(std::u16string_view text, F&& f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            f(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            f(static_cast<char32_t>(unit));
        }
    }
}

// UTF-8 for UTF-16 text; an unpaired surrogate becomes U+FFFD, as UTF-8 cannot hold it.
inline std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    forEachCodePoint(text, [&out](char32_t cp) {
        appendUtf8(out, cp >= 0xD800 && cp <= 0xDFFF ? U'\uFFFD' : cp);
    });
    return out;
}

// UTF-16 of text that invalidUtf8Offset accepts.
inline std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    forEachUtf8CodePoint(text, [&out](char32_t cp) {
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    });
    return out;
}

} // namespace korv
