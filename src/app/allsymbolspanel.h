// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollArea;

namespace korv {

class SymbolGrid;

// What the grid of the "All" tab shows: titled groups of symbols, as indexes into ipaSymbols().
// A group put in front (such as the symbols used last) goes in as any other.
struct SymbolGroup {
    QString title;
    std::vector<std::size_t> symbols;
};

// Every section in chart order for an empty query, else what the query finds, best first.
std::vector<SymbolGroup> symbolGroups(const QString& query);

/// The "All" tab's chart area: a search field above every IPA symbol, grouped and scrolling.
/// Return inserts the chosen result (at first the best), Up and Down choose another, Escape
/// clears the query.
class AllSymbolsPanel final : public QWidget {
public:
    AllSymbolsPanel(QWidget* parent, QRect geometry);

    QLineEdit* SearchEdit1 = nullptr;
    QScrollArea* AllScrollBox1 = nullptr;
    SymbolGrid* AllGrid1 = nullptr;

    // A symbol chosen by click or Return: its characters.
    std::function<void(std::u16string_view chars)> OnSymbolClick;
    // A symbol's context menu is asked for.
    std::function<void(std::u16string_view chars, QPoint globalPos)> OnSymbolMenu;
    // Ctrl+D in the search field: the chosen result is to be kept.
    std::function<void(std::u16string_view chars)> OnPinKey;

    // The symbols used last, newest first: the first row while the query is empty.
    void setRecent(std::vector<std::u16string> recent);

    // Puts the focus in the search field with its query selected, to be typed over.
    void focusSearch();
    void setShowHint(bool show);
    // The groups shown, and the cell Return inserts (-1: none).
    const std::vector<SymbolGroup>& groups() const { return m_groups; }
    int currentCell() const { return m_current; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SearchEdit1Change(const QString& query);
    void showGroups(std::vector<SymbolGroup> groups);
    void setCurrent(int cell);
    void insertCell(int cell);
    std::u16string_view charsOf(int cell) const;

    std::vector<SymbolGroup> m_groups;
    QList<QLabel*> m_titles;
    int m_current = -1;
    std::vector<std::u16string> m_recent;
};

} // namespace korv
