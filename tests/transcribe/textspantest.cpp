// SPDX-License-Identifier: GPL-3.0-or-later
// What the transcription command replaces in the line, and how a text splits into English words
// and what stays as it is.

#include "textspan.h"
#include "text/utf16.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

constexpr std::size_t kEnd = std::u16string_view::npos;

TEST(TranscriptionSpan, SelectionOrWordsBeforeTheCaret) {
    const struct {
        const char16_t* line;
        TextRange selection;
        std::size_t caret; // kEnd: the line's end
        const char16_t* expected;
    } cases[] = {
        {u"hello world", {}, kEnd, u"hello world"},
        {u"ˈkæt dog house", {}, kEnd, u"dog house"},
        {u"/kæt/ dog", {}, kEnd, u"dog"},
        {u"[fəʊn] cat", {}, kEnd, u"cat"},
        {u"ðə, dog.", {}, kEnd, u"dog."},
        {u"kæt dog   ", {}, kEnd, u"dog"},
        {u"dog kæt", {}, kEnd, u""},
        {u"   ", {}, kEnd, u""},
        {u"", {}, 0, u""},
        // The caret inside a word takes all of it, and nothing after it.
        {u"hello world again", {}, 9, u"hello world"},
        {u"cat dog kæt", {}, 7, u"cat dog"},
        {u"cat dog", {}, 0, u""},
        // Typographic punctuation is no IPA.
        {u"don\u2019t \u2014 stop", {}, kEnd, u"don\u2019t \u2014 stop"},
        // A selection is taken as it is, IPA and blanks included, and kept inside the line.
        {u"the cat sat", {4, 3}, 0, u"cat"},
        {u"ˈkæt  cat", {0, 6}, kEnd, u"ˈkæt  "},
        {u"the cat", {4, 100}, 0, u"cat"},
        {u"the cat", {50, 3}, 0, u""},
    };
    for (const auto& c : cases) {
        const std::u16string_view line = c.line;
        const TextRange range =
            transcriptionSpan(line, c.selection, c.caret == kEnd ? line.size() : c.caret);
        ASSERT_LE(range.start + range.length, line.size()) << toUtf8(line);
        EXPECT_EQ(toUtf8(line.substr(range.start, range.length)), toUtf8(c.expected))
            << toUtf8(line) << " caret " << c.caret;
    }
}

TEST(SplitWords, EnglishWordsAndWhatStays) {
    const struct {
        const char16_t* text;
        std::vector<std::u16string> words;
        std::vector<std::u16string> kept;
    } cases[] = {
        {u"Hello, world!", {u"Hello", u"world"}, {u", ", u"!"}},
        {u"don't it’s", {u"don't", u"it’s"}, {u" "}},
        {u"'quoted'", {u"quoted"}, {u"'", u"'"}},
        {u"well-known", {u"well", u"known"}, {u"-"}},
        {u"abc123 x", {u"abc", u"x"}, {u"123 "}},
        {u"ˈkæt's dog", {u"dog"}, {u"ˈkæt's "}},
        {u"the kæt", {u"the"}, {u" kæt"}},
        {u"", {}, {}},
    };
    for (const auto& c : cases) {
        const std::u16string_view text = c.text;
        std::vector<std::u16string> words;
        std::vector<std::u16string> kept;
        std::size_t next = 0;
        for (const TextPiece& piece : splitWords(text)) {
            EXPECT_EQ(piece.range.start, next) << toUtf8(text);
            next = piece.range.start + piece.range.length;
            (piece.word ? words : kept)
                .emplace_back(text.substr(piece.range.start, piece.range.length));
        }
        EXPECT_EQ(next, text.size()) << toUtf8(text);
        EXPECT_EQ(words, c.words) << toUtf8(text);
        EXPECT_EQ(kept, c.kept) << toUtf8(text);
    }
}

} // namespace
} // namespace korv
