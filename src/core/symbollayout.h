// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "layout.h"
#include "symbolsearch.h"

namespace korv {

// The painted grids of the All and Mine tabs, in pixels at 96 DPI.
inline constexpr int kSearchFieldHeight = 20;
inline constexpr int kCellHeight = 24;
inline constexpr int kCellWidth = 25;
inline constexpr int kWideCellWidth = 33;
// Each further letter of a user's symbol widens its cell by as much as a diphthong's is wider.
inline constexpr int kLetterWidth = 8;
inline constexpr int kGroupTitleHeight = 14;
inline constexpr int kGroupGap = 4;

/// A table symbol's cell width: wide for two letters or more (marks do not count).
int tableCellWidth(std::u16string_view shown);
/// A user's symbol's cell width (Mine and Recent): one letter's width more per further letter.
int keptCellWidth(std::u16string_view symbol);

/// Where a grid's cells and group titles go, top to bottom, and how tall it is.
struct SymbolLayout {
    std::vector<Rect> cells;
    std::vector<Rect> titles;
    std::vector<std::string> titleTexts;
    int height = 0;
};

/// Cells of the given widths in rows no wider than width (a cell wider than that on a row of its
/// own); nothing for no cells.
SymbolLayout layoutRows(const std::vector<int>& cellWidths, int width);
/// The All tab's grid: each group under its title, its cells in rows, a gap after each group.
SymbolLayout layoutSearch(const SymbolSearch& search, int width);

/// What a cell of the All tab shows: a mark on a dotted circle, a user's symbol as it is.
std::u16string shownText(const SymbolSearch& search, int cell);

} // namespace korv
