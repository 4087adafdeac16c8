// SPDX-License-Identifier: GPL-3.0-or-later
#include "allsymbolspanel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "ipasearch.h"
#include "ipasymbols.h"
#include "minepanel.h"
#include "symbolgrid.h"

namespace korv {
namespace {

constexpr int kSearchHeight = 20;
constexpr int kCellHeight = 24;
constexpr int kCellWidth = 25;
constexpr int kWideCellWidth = 33;
constexpr int kTitleHeight = 14;
constexpr int kGroupGap = 4;

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Symbols of two letters or more ("pʼ", "˧˥", a tie bar on its two circles) get a wider cell.
bool isWide(const QString& glyph) {
    int bases = 0;
    for (const char32_t cp : glyph.toUcs4()) {
        bases += isCombiningMark(cp) ? 0 : 1;
    }
    return bases > 1;
}

SymbolGrid::Cell cellFor(std::size_t index, QPoint at) {
    const IpaSymbol& symbol = ipaSymbols()[index];
    const QString shown = QString::fromStdU16String(displayText(symbol));
    const QString name = utf8(symbol.name);
    const QString xsampa = latin1(usualXsampa(symbol));
    const QString codes = QString::fromStdString(codePointText(symbol));
    SymbolGrid::Cell cell;
    cell.rect = QRect(at, QSize(isWide(shown) ? kWideCellWidth : kCellWidth, kCellHeight));
    cell.glyph = shown;
    cell.hint = shown + QStringLiteral("  ") + name;
    cell.description = codes + QLatin1Char(' ') + latin1(symbol.unicodeNames);
    if (!xsampa.isEmpty()) {
        cell.hint += QStringLiteral("\nX-SAMPA: ") + xsampa;
        cell.description =
            QStringLiteral("X-SAMPA ") + xsampa + QStringLiteral(", ") + cell.description;
    }
    cell.hint += QLatin1Char('\n') + codes;
    cell.name = shown + QStringLiteral(", ") + name;
    cell.payload = static_cast<int>(index);
    return cell;
}

} // namespace

std::vector<SymbolGroup> symbolGroups(const QString& query) {
    std::vector<SymbolGroup> groups;
    if (query.trimmed().isEmpty()) {
        const auto symbols = ipaSymbols();
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            if (groups.empty() || i == 0 || symbols[i].section != symbols[i - 1].section) {
                groups.push_back({latin1(sectionTitle(symbols[i].section)), {}});
            }
            groups.back().symbols.push_back(i);
        }
        return groups;
    }
    const std::vector<std::size_t> found = searchSymbols(query.toStdU16String());
    groups.push_back(
        {found.empty() ? QStringLiteral("Nothing found") : QStringLiteral("Found"), found});
    return groups;
}

AllSymbolsPanel::AllSymbolsPanel(QWidget* parent, QRect geometry)
    : QWidget(parent) {
    setObjectName(QStringLiteral("AllPanel"));
    setGeometry(geometry);
    SearchEdit1 = new QLineEdit(this);
    SearchEdit1->setObjectName(QStringLiteral("SearchEdit1"));
    SearchEdit1->setPlaceholderText(QStringLiteral("Search: name, X-SAMPA or U+"));
    SearchEdit1->setAccessibleName(QStringLiteral("Search symbols"));
    SearchEdit1->setClearButtonEnabled(false);
    SearchEdit1->installEventFilter(this);

    AllScrollBox1 = new QScrollArea(this);
    AllScrollBox1->setObjectName(QStringLiteral("AllScrollBox1"));
    AllScrollBox1->setFrameShape(QFrame::NoFrame);
    AllScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AllScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    AllScrollBox1->setFocusPolicy(Qt::NoFocus);
    AllScrollBox1->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    AllGrid1 = new SymbolGrid;
    AllGrid1->setObjectName(QStringLiteral("AllGrid1"));
    AllGrid1->setAccessibleName(QStringLiteral("All symbols"));
    AllScrollBox1->setWidget(AllGrid1);
    AllGrid1->clicked = [this](int cell) { insertCell(cell); };
    AllGrid1->contextMenuRequested = [this](int cell, QPoint globalPos) {
        if (OnSymbolMenu) {
            OnSymbolMenu(charsOf(cell), globalPos);
        }
    };

    connect(SearchEdit1, &QLineEdit::textChanged, this,
            [this](const QString& query) { SearchEdit1Change(query); });
    showGroups(symbolGroups(QString()));
}

void AllSymbolsPanel::focusSearch() {
    SearchEdit1->setFocus(Qt::ShortcutFocusReason);
    SearchEdit1->selectAll();
}

void AllSymbolsPanel::setShowHint(bool show) {
    AllGrid1->setShowHint(show);
}

void AllSymbolsPanel::SearchEdit1Change(const QString& query) {
    showGroups(symbolGroups(query));
    setCurrent(query.trimmed().isEmpty() || AllGrid1->cells().isEmpty() ? -1 : 0);
    AllScrollBox1->verticalScrollBar()->setValue(0);
}

void AllSymbolsPanel::showGroups(std::vector<SymbolGroup> groups) {
    const int searchWidth = width();
    SearchEdit1->setGeometry(0, 0, searchWidth, kSearchHeight);
    AllScrollBox1->setGeometry(0, kSearchHeight + 2, searchWidth,
                               std::max(0, height() - kSearchHeight - 2));
    const int gridWidth =
        searchWidth - AllScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    qDeleteAll(m_titles);
    m_titles.clear();
    QList<SymbolGrid::Cell> cells;
    int y = 0;
    const auto addTitle = [&](const QString& text) {
        auto* title = new QLabel(text, AllGrid1);
        title->setGeometry(2, y, gridWidth - 2, kTitleHeight);
        title->setEnabled(false);
        title->show();
        m_titles.append(title);
        y += kTitleHeight;
    };
    if (!m_recent.empty() && SearchEdit1->text().trimmed().isEmpty()) {
        addTitle(QStringLiteral("Recent"));
        for (SymbolGrid::Cell& cell : keptRows(m_recent, gridWidth, y)) {
            cell.payload = -1 - cell.payload; // the table's symbols count from 0
            cells.append(std::move(cell));
        }
        y += kCellHeight + kGroupGap;
    }
    for (const SymbolGroup& group : groups) {
        if (!group.title.isEmpty()) {
            addTitle(group.title);
        }
        int x = 0;
        for (const std::size_t index : group.symbols) {
            SymbolGrid::Cell cell = cellFor(index, QPoint(x, y));
            if (x > 0 && cell.rect.right() >= gridWidth) {
                x = 0;
                y += kCellHeight;
                cell.rect.moveTo(x, y);
            }
            x += cell.rect.width();
            cells.append(std::move(cell));
        }
        y += (group.symbols.empty() ? 0 : kCellHeight) + kGroupGap;
    }
    AllGrid1->setCells(std::move(cells));
    AllGrid1->resize(gridWidth, y);
    m_groups = std::move(groups);
    m_current = -1;
}

void AllSymbolsPanel::setCurrent(int cell) {
    m_current = cell;
    AllGrid1->setCurrent(cell);
    if (cell >= 0) {
        const QRect rect = AllGrid1->cells().at(cell).rect;
        AllScrollBox1->ensureVisible(rect.center().x(), rect.center().y(), 0,
                                     rect.height() / 2 + kTitleHeight);
    }
}

void AllSymbolsPanel::setRecent(std::vector<std::u16string> recent) {
    m_recent = std::move(recent);
    if (SearchEdit1->text().trimmed().isEmpty()) {
        const int scrolled = AllScrollBox1->verticalScrollBar()->value();
        showGroups(symbolGroups(QString()));
        AllScrollBox1->verticalScrollBar()->setValue(scrolled);
    }
}

std::u16string_view AllSymbolsPanel::charsOf(int cell) const {
    const int payload = AllGrid1->cells().at(cell).payload;
    return payload < 0 ? std::u16string_view(m_recent.at(static_cast<std::size_t>(-1 - payload)))
                       : ipaSymbols()[static_cast<std::size_t>(payload)].chars;
}

void AllSymbolsPanel::insertCell(int cell) {
    if (cell < 0 || cell >= AllGrid1->cells().size() || !OnSymbolClick) {
        return;
    }
    // A copy: inserting records the symbol, which rebuilds the recent row.
    const std::u16string chars(charsOf(cell));
    OnSymbolClick(chars);
}

bool AllSymbolsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SearchEdit1 || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const int count = static_cast<int>(AllGrid1->cells().size());
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        insertCell(m_current);
        return true;
    case Qt::Key_Down:
        if (count > 0) {
            setCurrent(m_current < 0 ? 0 : std::min(m_current + 1, count - 1));
        }
        return true;
    case Qt::Key_Up:
        if (count > 0) {
            setCurrent(std::max(m_current - 1, 0));
        }
        return true;
    case Qt::Key_Escape:
        SearchEdit1->clear();
        return true;
    case Qt::Key_D:
        if (key->modifiers() == Qt::ControlModifier) {
            if (m_current >= 0 && m_current < count && OnPinKey) {
                OnPinKey(charsOf(m_current));
            }
            return true;
        }
        return QWidget::eventFilter(watched, event);
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace korv
