// SPDX-License-Identifier: GPL-3.0-or-later
#include "minepanel.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "ipasymbols.h"
#include "symbolgrid.h"
#include "symbolparts.h"
#include "symboltip.h"

namespace korv {
namespace {

constexpr int kCellHeight = 24;
constexpr int kCellWidth = 25;
// Each further letter widens a cell by as much as the diphthongs' cells are wider.
constexpr int kLetterWidth = 8;

struct KeptCell {
    QString glyph;
    QString hint;
    int width = 0;
};

KeptCell keptCell(const std::u16string& symbol) {
    KeptCell cell;
    cell.glyph = QString::fromStdU16String(displayText(symbol));
    int letters = 0;
    for (const char32_t cp : QString::fromStdU16String(symbol).toUcs4()) {
        letters += isCombiningMark(cp) ? 0 : 1;
    }
    cell.width = kCellWidth + kLetterWidth * std::max(0, letters - 1);
    cell.hint = QString::fromStdString(symbolTip(symbol).text());
    return cell;
}

} // namespace

QList<SymbolGrid::Cell> keptRows(const std::vector<std::u16string>& symbols, int width, int& y) {
    QList<SymbolGrid::Cell> cells;
    int x = 0;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const KeptCell kept = keptCell(symbols[i]);
        if (x > 0 && x + kept.width > width) {
            x = 0;
            y += kCellHeight;
        }
        SymbolGrid::Cell cell;
        cell.rect = QRect(x, y, kept.width, kCellHeight);
        cell.glyph = kept.glyph;
        cell.glyphBox = QSize(kept.width - 2, kCellHeight - 2);
        cell.margin = 1;
        cell.hint = kept.hint;
        cell.name = QString::fromStdU16String(symbols[i]);
        cell.description = QString::fromStdString(symbolPartNames(symbols[i]));
        cell.payload = static_cast<int>(i);
        cells.append(cell);
        x += kept.width;
    }
    return cells;
}

MinePanel::MinePanel(QWidget* parent, QRect geometry)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MinePanel"));
    setGeometry(geometry);
    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("MineScrollArea"));
    scrollArea->setGeometry(rect());
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    grid = new SymbolGrid;
    grid->setObjectName(QStringLiteral("MineGrid"));
    grid->setAccessibleName(QStringLiteral("Mine"));
    scrollArea->setWidget(grid);
    grid->clicked = [this](int cell) {
        if (OnSymbolClick) {
            OnSymbolClick(grid->cells().at(cell).payload);
        }
    };
    grid->contextMenuRequested = [this](int cell, QPoint globalPos) {
        if (OnSymbolMenu) {
            OnSymbolMenu(grid->cells().at(cell).payload, globalPos);
        }
    };
    emptyLabel = new QLabel(
        QStringLiteral("Your own symbols go here: right-click a symbol and choose \"Add to "
                       "Mine\", or select symbols in the line and press Ctrl+D."),
        this);
    emptyLabel->setObjectName(QStringLiteral("MineEmptyLabel"));
    emptyLabel->setWordWrap(true);
    emptyLabel->setEnabled(false);
    emptyLabel->setGeometry(rect().adjusted(8, 8, -8, -8));
    emptyLabel->setAlignment(Qt::AlignCenter);
}

void MinePanel::setEntries(const std::vector<std::u16string>& entries) {
    // Laid out at full width first; when that overflows, again beside the scroll bar.
    const int scrollBar = scrollArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QList<SymbolGrid::Cell> cells;
    int height = 0;
    for (const int width : {this->width(), this->width() - scrollBar}) {
        int y = 0;
        cells = keptRows(entries, width, y);
        height = entries.empty() ? 0 : y + kCellHeight;
        if (height <= this->height()) {
            break;
        }
    }
    const int gridWidth = height > this->height() ? width() - scrollBar : width();
    grid->setCells(std::move(cells));
    grid->resize(gridWidth, height);
    emptyLabel->setVisible(entries.empty());
}

void MinePanel::setShowHint(bool show) {
    grid->setShowHint(show);
}

} // namespace korv
