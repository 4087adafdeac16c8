// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace korv::bench {

// A transcription of the given length in UTF-16 code units, every symbol of the chart taking
// turns, with spaces and slashes between words as users write them.
inline std::u16string transcription(std::size_t length) {
    static const std::u16string kSymbols =
        u"i\u026a\u028aue\u0259\u025c\u0254\u00e6\u028c\u0251\u0252pbtdkgfv\u03b8\u00f0sz\u0283"
        u"\u0292mn\u014bhlrwj\u02c8\u02cc\u02d0\u02d1\u02b0\u00f8\u0153y\u0265\u025b\u02b4\u028e"
        u"\u0272x\u00e7\u0294\u02b3/ ";
    std::u16string text;
    text.reserve(length);
    for (std::size_t i = 0; text.size() < length; ++i) {
        text += kSymbols[(i * 7) % kSymbols.size()];
    }
    return text;
}

} // namespace korv::bench
