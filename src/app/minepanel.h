// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QScrollArea;

namespace korv {

class SymbolGrid;

// A cell for a symbol kept by the user: as wide as its letters need, its tooltip the name of
// the symbol or of its parts.
struct KeptCell {
    QString glyph;
    QString hint;
    int width = 0;
};
KeptCell keptCell(const std::u16string& symbol);

/// The "Mine" tab's chart area: the user's own symbols in their order, row after row as on
/// "Additional", scrolling when they fill it.
class MinePanel final : public QWidget {
public:
    MinePanel(QWidget* parent, QRect geometry);

    QScrollArea* MineScrollBox1 = nullptr;
    SymbolGrid* MineGrid1 = nullptr;
    QLabel* MineEmptyLabel1 = nullptr;

    void setEntries(const std::vector<std::u16string>& entries);
    void setShowHint(bool show);

    // Cells are numbered as the entries.
    std::function<void(int entry)> OnSymbolClick;
    std::function<void(int entry, QPoint globalPos)> OnSymbolMenu;
};

} // namespace korv
