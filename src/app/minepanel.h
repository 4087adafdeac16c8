// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "symbolgrid.h"

class QLabel;
class QScrollArea;

namespace korv {

// Symbols kept by the user laid out in rows width wide from a row at y, each cell as wide as its
// letters need, its tooltip the name of the symbol or of its parts, its payload its index. y ends
// at the last row.
QList<SymbolGrid::Cell> keptRows(const std::vector<std::u16string>& symbols, int width, int& y);

/// The "Mine" tab's chart area: the user's own symbols in their order, row after row as on
/// "Additional", scrolling when they fill it.
class MinePanel final : public QWidget {
public:
    MinePanel(QWidget* parent, QRect geometry);

    QScrollArea* scrollArea = nullptr;
    SymbolGrid* grid = nullptr;
    QLabel* emptyLabel = nullptr;

    void setEntries(const std::vector<std::u16string>& entries);
    void setShowHint(bool show);

    // Cells are numbered as the entries.
    std::function<void(int entry)> OnSymbolClick;
    std::function<void(int entry, QPoint globalPos)> OnSymbolMenu;
};

} // namespace korv
