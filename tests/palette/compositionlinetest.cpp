// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "compositionline.h"

namespace korv {
namespace {

struct EditCase {
    const char* what;
    std::u16string text;
    std::size_t selStart;
    std::size_t selLength;
    bool active;
    std::u16string expectedText;
    std::size_t expectedCaret;
};

TEST(CompositionLine, InsertSymbol) {
    const EditCase cases[] = {
        {"empty line, size box focused", u"", 0, 0, false, u"X", 1},
        {"caret inside, line not active: appends", u"abc", 1, 0, false, u"abcX", 4},
        {"caret inside, line active", u"abc", 1, 0, true, u"aXbc", 2},
        {"selection is never replaced", u"abc", 1, 1, true, u"aXbc", 2},
        {"whole text selected by Tab", u"abc", 0, 3, true, u"Xabc", 1},
        {"caret at the end", u"abc", 3, 0, true, u"abcX", 4},
        {"caret beyond the text is clamped", u"abc", 9, 0, true, u"abcX", 4},
        {"caret inside a surrogate pair goes after it", u"a\U0001DF04b", 2, 0, true,
         u"a\U0001DF04Xb", 4},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        const LineEdit edit = insertSymbol({c.text, c.selStart, c.selLength, c.active}, u"X");
        EXPECT_EQ(edit.text, c.expectedText);
        EXPECT_EQ(edit.caret, c.expectedCaret);
        EXPECT_TRUE(edit.focusLine);
    }
}

TEST(CompositionLine, InsertTwoUnitSymbolPutsCaretAfterBoth) {
    const LineEdit edit = insertSymbol({u"ab", 1, 0, true}, u"d\u0292");
    EXPECT_EQ(edit.text, u"ad\u0292b");
    EXPECT_EQ(edit.caret, 3u);
}

TEST(CompositionLine, MarkCombinesWithTheCharacterBeforeTheCaret) {
    const LineEdit edit = insertSymbol({u"na\U0001DF04", 1, 0, true}, u"\u0325");
    EXPECT_EQ(edit.text, u"n\u0325a\U0001DF04");
    EXPECT_EQ(insertSymbol({u"n", 0, 0, false}, u"\u0325").text, u"n\u0325");
    EXPECT_EQ(insertSymbol({u"\U0001DF04", 1, 0, true}, u"\u0325").text, u"\U0001DF04\u0325");
}

TEST(CompositionLine, DeleteBack) {
    const EditCase cases[] = {
        {"removes one code unit of a pair", u"t\u0283", 2, 0, true, u"t", 1},
        {"with a selection removes the unit before it", u"abcd", 2, 2, true, u"acd", 1},
        {"caret at 0 changes nothing", u"abc", 0, 0, true, u"abc", 0},
        {"caret at 0 with a selection only cancels it", u"abc", 0, 2, true, u"abc", 0},
        {"line not active: removes the last unit", u"abc", 1, 0, false, u"ab", 2},
        {"empty line", u"", 0, 0, false, u"", 0},
        {"a character outside the BMP goes whole", u"a\U0001DF04", 3, 0, true, u"a", 1},
        {"a lone low surrogate goes alone", u"a\xDC00", 2, 0, true, u"a", 1},
        {"a mark goes, its letter stays", u"n\u0325", 2, 0, true, u"n", 1},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        const LineEdit edit = deleteBack({c.text, c.selStart, c.selLength, c.active});
        EXPECT_EQ(edit.text, c.expectedText);
        EXPECT_EQ(edit.caret, c.expectedCaret);
        EXPECT_TRUE(edit.focusLine);
    }
}

TEST(CompositionLine, ClearAllLeavesTheFocusAlone) {
    EXPECT_EQ(clearAll(), (LineEdit{u"", 0, false}));
}

} // namespace
} // namespace korv
