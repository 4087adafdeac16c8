// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace korv {

// A part of a line, in UTF-16 code units.
struct TextRange {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextRange&) const = default;
};

// Whether a code unit belongs to a transcription: any character beyond ASCII but typographic
// punctuation and spaces (curly quotes, dashes, the ellipsis, no-break spaces).
bool isIpaUnit(char16_t unit);

// What the transcription command replaces in a line: the selection when there is one; otherwise
// the words before the caret (and the rest of a word the caret is in) back to the last word that
// holds an IPA symbol or a transcription's slash or bracket, or to the line's start, without the
// blanks around them. Empty when there is nothing to transcribe.
TextRange transcriptionSpan(std::u16string_view line, TextRange selection, std::size_t caret);

// One piece of a text being transcribed: an English word, or what is kept as it is.
struct TextPiece {
    TextRange range;
    bool word = false;
};

// Splits text into English words (ASCII letters with apostrophes inside) and everything else:
// blanks, punctuation, digits, and runs of letters that hold an IPA symbol, kept whole.
std::vector<TextPiece> splitWords(std::u16string_view text);

} // namespace korv
