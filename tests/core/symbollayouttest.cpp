// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbollayout.h"

#include "ipasymbols.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korv {
namespace {

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(SymbolLayout, CellWidthsCountLettersNotMarks) {
    struct Case {
        std::u16string text;
        int table;
        int kept;
    };
    const Case cases[] = {
        {u"ɣ", kCellWidth, kCellWidth},
        {u"\u25CC\u0303", kCellWidth, kCellWidth}, // a mark on its dotted circle
        {u"pʼ", kWideCellWidth, kCellWidth + kLetterWidth},
        {u"tʃʰ", kWideCellWidth, kCellWidth + 2 * kLetterWidth},
        {u"n\u0329", kCellWidth, kCellWidth},
        {u"\U0001D453x", kWideCellWidth, kCellWidth + kLetterWidth}, // beyond the BMP: one letter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tableCellWidth(c.text), c.table);
        EXPECT_EQ(keptCellWidth(c.text), c.kept);
    }
}

TEST(SymbolLayout, RowsWrapAtTheWidth) {
    struct Case {
        std::vector<int> widths;
        int width;
        std::vector<Rect> cells;
        int height;
    };
    const Case cases[] = {
        {{}, 100, {}, 0},
        {{25, 25, 25}, 75, {{0, 0, 25, 24}, {25, 0, 25, 24}, {50, 0, 25, 24}}, 24},
        {{25, 25, 25}, 74, {{0, 0, 25, 24}, {25, 0, 25, 24}, {0, 24, 25, 24}}, 48},
        // A cell wider than the grid still gets a row of its own.
        {{25, 90, 25}, 60, {{0, 0, 25, 24}, {0, 24, 90, 24}, {0, 48, 25, 24}}, 72},
    };
    for (const Case& c : cases) {
        const SymbolLayout layout = layoutRows(c.widths, c.width);
        EXPECT_EQ(layout.cells, c.cells);
        EXPECT_EQ(layout.height, c.height);
        EXPECT_TRUE(layout.titles.empty());
    }
}

TEST(SymbolLayout, SearchGroupsEachUnderItsTitle) {
    struct Case {
        std::u16string query;
        std::vector<std::u16string> recent;
        std::string firstTitle;
    };
    const Case cases[] = {
        {u"", {}, std::string(sectionTitle(IpaSection::Pulmonic))},
        {u"", {u"ə", u"tʃʰ"}, "Recent"},
        {u"voiced velar fric", {u"ə"}, "Found"},
        {u"qqqqzzzz", {}, "Nothing found"},
    };
    for (const Case& c : cases) {
        SymbolSearch search;
        search.setRecent(c.recent);
        search.setQuery(c.query);
        const int width = 190;
        const SymbolLayout layout = layoutSearch(search, width);
        ASSERT_EQ(layout.cells.size(), search.cellCount()) << c.firstTitle;
        ASSERT_EQ(layout.titles.size(), search.groups().size());
        ASSERT_FALSE(layout.titleTexts.empty());
        EXPECT_EQ(layout.titleTexts.front(), c.firstTitle);
        // Every cell lies within the width, under its group's title and above the next one,
        // and no two cells or a cell and a title overlap.
        std::size_t cell = 0;
        for (std::size_t g = 0; g < search.groups().size(); ++g) {
            const Rect& title = layout.titles[g];
            const int next =
                g + 1 < layout.titles.size() ? layout.titles[g + 1].top : layout.height;
            for (std::size_t i = 0; i < search.groups()[g].symbols.size(); ++i, ++cell) {
                const Rect& r = layout.cells[cell];
                EXPECT_GE(r.top, title.top + title.height);
                EXPECT_LE(r.top + r.height, next);
                EXPECT_LE(r.left + r.width, width);
                EXPECT_EQ(r.width, search.groups()[g].recent
                                       ? keptCellWidth(shownText(search, static_cast<int>(cell)))
                                       : tableCellWidth(shownText(search, static_cast<int>(cell))));
            }
        }
        for (std::size_t a = 0; a < layout.cells.size(); ++a) {
            for (std::size_t b = a + 1; b < std::min(layout.cells.size(), a + 12); ++b) {
                EXPECT_FALSE(overlap(layout.cells[a], layout.cells[b])) << a << " " << b;
            }
        }
    }
}

TEST(SymbolLayout, ShownTextPutsMarksOnACircleInRecentToo) {
    SymbolSearch search;
    // A mark alone in Recent would draw nothing; a sequence of the user's shows as it is.
    search.setRecent({u"\u0303", u"\u0361", u"t\u0283"});
    search.setQuery(u"");
    EXPECT_EQ(shownText(search, 0), u"\u25CC\u0303");
    EXPECT_EQ(shownText(search, 1), u"\u25CC\u0361\u25CC");
    EXPECT_EQ(shownText(search, 2), u"t\u0283");
    search.setQuery(u"voiced velar fricative");
    ASSERT_GE(search.cellCount(), 1u);
    EXPECT_EQ(shownText(search, 0), u"ɣ");
    search.setQuery(u"tilde");
    bool circled = false;
    for (int cell = 0; cell < static_cast<int>(search.cellCount()); ++cell) {
        circled = circled || shownText(search, cell).find(u'\u25CC') != std::u16string::npos;
    }
    EXPECT_TRUE(circled);
    EXPECT_EQ(shownText(search, -1), u"");
}

} // namespace
} // namespace korv
