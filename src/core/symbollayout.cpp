// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbollayout.h"

#include <algorithm>

#include "ipasymbols.h"
#include "utf16.h"

namespace korv {
namespace {

int letters(std::u16string_view text) {
    int count = 0;
    forEachCodePoint(text, [&count](char32_t cp) { count += isCombiningMark(cp) ? 0 : 1; });
    return count;
}

// Lays cells out from y on, wrapping at width; returns the y under the last row.
int addRows(SymbolLayout& layout, const std::vector<int>& widths, int width, int y) {
    int x = 0;
    for (const int cellWidth : widths) {
        if (x > 0 && x + cellWidth > width) {
            x = 0;
            y += kCellHeight;
        }
        layout.cells.push_back({x, y, cellWidth, kCellHeight});
        x += cellWidth;
    }
    return widths.empty() ? y : y + kCellHeight;
}

} // namespace

int tableCellWidth(std::u16string_view shown) {
    return letters(shown) > 1 ? kWideCellWidth : kCellWidth;
}

int keptCellWidth(std::u16string_view symbol) {
    return kCellWidth + kLetterWidth * std::max(0, letters(symbol) - 1);
}

SymbolLayout layoutRows(const std::vector<int>& cellWidths, int width) {
    SymbolLayout layout;
    layout.height = addRows(layout, cellWidths, width, 0);
    return layout;
}

SymbolLayout layoutSearch(const SymbolSearch& search, int width) {
    SymbolLayout layout;
    int y = 0;
    int cell = 0;
    for (const SymbolGroup& group : search.groups()) {
        if (!group.title.empty()) {
            layout.titles.push_back({2, y, std::max(0, width - 2), kGroupTitleHeight});
            layout.titleTexts.push_back(group.title);
            y += kGroupTitleHeight;
        }
        std::vector<int> widths;
        for (std::size_t i = 0; i < group.symbols.size(); ++i, ++cell) {
            const std::u16string shown = shownText(search, cell);
            widths.push_back(group.recent ? keptCellWidth(shown) : tableCellWidth(shown));
        }
        y = addRows(layout, widths, width, y) + kGroupGap;
    }
    layout.height = y;
    return layout;
}

std::u16string shownText(const SymbolSearch& search, int cell) {
    const int row = search.rowOf(cell);
    return row >= 0 ? displayText(ipaSymbols()[static_cast<std::size_t>(row)])
                    : displayText(search.charsOf(cell));
}

} // namespace korv
