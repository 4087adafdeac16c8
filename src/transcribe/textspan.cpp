// SPDX-License-Identifier: GPL-3.0-or-later
#include "textspan.h"

#include <algorithm>
#include <array>

namespace korv {
namespace {

bool isBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == 0x00A0 || unit == 0x202F ||
           (unit >= 0x2000 && unit <= 0x200B) || unit == 0x3000;
}

bool isAsciiLetter(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

bool isApostrophe(char16_t unit) {
    return unit == u'\'' || unit == 0x2019;
}

// A word holding any of these is a transcription already.
bool marksTranscription(char16_t unit) {
    return isIpaUnit(unit) || unit == u'/' || unit == u'[' || unit == u']';
}

// Letters of a run that splitWords keeps together: ASCII letters and IPA symbols.
bool isRunUnit(char16_t unit) {
    return isAsciiLetter(unit) || isIpaUnit(unit);
}

} // namespace

bool isIpaUnit(char16_t unit) {
    static constexpr std::array<char16_t, 16> kTypographic = {
        0x2018, 0x2019, 0x201C, 0x201D, 0x2013, 0x2014, 0x2026, 0x00AB,
        0x00BB, 0x00BF, 0x00A1, 0x2039, 0x203A, 0x201E, 0x2022, 0x00B7};
    if (unit < 0x80 || isBlank(unit)) {
        return false;
    }
    return std::find(kTypographic.begin(), kTypographic.end(), unit) == kTypographic.end();
}

TextRange transcriptionSpan(std::u16string_view line, TextRange selection, std::size_t caret) {
    if (selection.length > 0) {
        const std::size_t start = std::min(selection.start, line.size());
        return {start, std::min(selection.length, line.size() - start)};
    }
    std::size_t end = std::min(caret, line.size());
    // The caret inside a word takes the whole word.
    while (end > 0 && end < line.size() && !isBlank(line[end - 1]) && !isBlank(line[end])) {
        ++end;
    }
    while (end > 0 && isBlank(line[end - 1])) {
        --end;
    }
    std::size_t start = end;
    while (start > 0) {
        std::size_t wordStart = start;
        while (wordStart > 0 && !isBlank(line[wordStart - 1])) {
            --wordStart;
        }
        const auto word = line.substr(wordStart, start - wordStart);
        if (std::any_of(word.begin(), word.end(), marksTranscription)) {
            break;
        }
        start = wordStart;
        while (start > 0 && isBlank(line[start - 1])) {
            --start;
        }
    }
    while (start < end && isBlank(line[start])) {
        ++start;
    }
    return {start, end - start};
}

std::vector<TextPiece> splitWords(std::u16string_view text) {
    std::vector<TextPiece> pieces;
    auto keep = [&pieces](std::size_t start, std::size_t length) {
        if (!pieces.empty() && !pieces.back().word) {
            pieces.back().range.length += length;
        } else {
            pieces.push_back({{start, length}, false});
        }
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isRunUnit(text[i])) {
            keep(i, 1);
            ++i;
            continue;
        }
        std::size_t end = i;
        bool ipa = false;
        while (end < text.size()) {
            if (isRunUnit(text[end])) {
                ipa = ipa || isIpaUnit(text[end]);
                ++end;
            } else if (isApostrophe(text[end]) && end + 1 < text.size() &&
                       isRunUnit(text[end + 1])) {
                ++end;
            } else {
                break;
            }
        }
        if (ipa) {
            keep(i, end - i);
        } else {
            pieces.push_back({{i, end - i}, true});
        }
        i = end;
    }
    return pieces;
}

} // namespace korv
