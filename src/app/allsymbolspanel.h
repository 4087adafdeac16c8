// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "symbolsearch.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace korv {

class SymbolGrid;

/// The "All" tab's chart area: a search field above every IPA symbol, grouped and scrolling, as
/// the palette's search groups them. Return inserts the chosen result (at first the best), Up
/// and Down choose another, Escape clears the query.
class AllSymbolsPanel final : public QWidget {
public:
    AllSymbolsPanel(QWidget* parent, QRect geometry, SymbolSearch& search);

    QLineEdit* searchField = nullptr;
    QPushButton* chartButton = nullptr; // opens the IPA chart window
    QScrollArea* scrollArea = nullptr;
    SymbolGrid* grid = nullptr;
    // What Return inserts: the chosen result's symbol, large, and its name.
    QLabel* chosenGlyph = nullptr;
    QLabel* chosenName = nullptr;

    // A cell was clicked.
    std::function<void(int cell)> OnInsert;
    // Return in the search field.
    std::function<void()> OnInsertChosen;
    // A symbol's context menu is asked for.
    std::function<void(std::u16string_view chars, QPoint globalPos)> OnSymbolMenu;
    // Ctrl+D in the search field: the chosen result is to be kept.
    std::function<void()> OnPinKey;
    // The chart button, or Ctrl+K in the search field.
    std::function<void()> OnOpenChart;

    // Lays the grid out again after the symbols used last changed, keeping the scrolled place.
    void refresh();
    // Puts the focus in the search field with its query selected, to be typed over.
    void focusSearch();
    void setShowHint(bool show);
    const std::vector<SymbolGroup>& groups() const { return m_search.groups(); }
    // The cell Return inserts (-1: none).
    int currentCell() const { return m_search.chosen(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void queryChanged(const QString& query);
    void layOut();
    void showChosen();

    SymbolSearch& m_search;
    QList<QLabel*> m_titles;
};

} // namespace korv
