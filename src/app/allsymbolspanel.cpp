// SPDX-License-Identifier: GPL-3.0-or-later
#include "allsymbolspanel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "coretext.h"
#include "ipachart.h"
#include "ipasearch.h"
#include "ipasymbols.h"
#include "layout.h"
#include "minepanel.h"
#include "symbolgrid.h"
#include "symboltip.h"

namespace korv {
namespace {

constexpr int kSearchHeight = 20;
// The strip under the search field that shows what Return inserts.
constexpr int kChosenHeight = 22;
constexpr int kCellHeight = 24;
constexpr int kCellWidth = 25;
constexpr int kWideCellWidth = 33;
constexpr int kTitleHeight = 14;
constexpr int kGroupGap = 4;

// Symbols of two letters or more ("pʼ", "˧˥", a tie bar on its two circles) get a wider cell.
bool isWide(const QString& glyph) {
    int bases = 0;
    for (const char32_t cp : glyph.toUcs4()) {
        bases += isCombiningMark(cp) ? 0 : 1;
    }
    return bases > 1;
}

SymbolGrid::Cell cellFor(std::size_t index, QPoint at, const std::u16string& query) {
    const IpaSymbol& symbol = ipaSymbols()[index];
    const QString shown = QString::fromStdU16String(displayText(symbol));
    const QString name = fromUtf8(symbol.name);
    const QString xsampa = fromLatin1(usualXsampa(symbol));
    const QString codes = QString::fromStdString(codePointText(symbol));
    SymbolGrid::Cell cell;
    cell.rect = QRect(at, QSize(isWide(shown) ? kWideCellWidth : kCellWidth, kCellHeight));
    cell.glyph = shown;
    cell.glyphBox = cell.rect.size() - QSize(2, 2);
    cell.margin = 1;
    cell.hint = QString::fromStdString(symbolTip(index).text());
    cell.description = codes + QLatin1Char(' ') + fromLatin1(symbol.unicodeNames);
    if (!xsampa.isEmpty()) {
        cell.description =
            QStringLiteral("X-SAMPA ") + xsampa + QStringLiteral(", ") + cell.description;
    }
    // What was typed, and why this symbol answers it.
    if (const std::string why = whyFound(query, index); !why.empty()) {
        const QString found = QStringLiteral("Found for \u201C") +
                              QString::fromStdU16String(query).trimmed() +
                              QStringLiteral("\u201D: ") + fromUtf8(why);
        cell.hint += QLatin1Char('\n') + found;
        cell.description += QStringLiteral(". ") + found;
    }
    cell.name = shown + QStringLiteral(", ") + name;
    cell.payload = static_cast<int>(index);
    return cell;
}

} // namespace

AllSymbolsPanel::AllSymbolsPanel(QWidget* parent, QRect geometry, SymbolSearch& search)
    : QWidget(parent)
    , m_search(search) {
    setObjectName(QStringLiteral("AllPanel"));
    setGeometry(geometry);
    searchField = new QLineEdit(this);
    searchField->setObjectName(QStringLiteral("SearchField"));
    searchField->setPlaceholderText(fromUtf8(kSearchPlaceholder));
    searchField->setAccessibleName(fromUtf8(kSearchAccessibleName));
    searchField->setClearButtonEnabled(false);
    searchField->setText(QString::fromStdU16String(m_search.query()));
    searchField->installEventFilter(this);

    chartButton = new QPushButton(fromUtf8(kChartButtonCaption), this);
    chartButton->setObjectName(QStringLiteral("ChartButton"));
    chartButton->setFocusPolicy(Qt::NoFocus);
    chartButton->setAutoDefault(false);
    chartButton->setToolTip(QStringLiteral("The IPA chart in a window of its own (Ctrl+K)"));
    connect(chartButton, &QPushButton::clicked, this, [this] {
        if (OnOpenChart) {
            OnOpenChart();
        }
    });

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("AllScrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    grid = new SymbolGrid;
    grid->setObjectName(QStringLiteral("AllGrid"));
    grid->setAccessibleName(QStringLiteral("All symbols"));
    scrollArea->setWidget(grid);
    grid->clicked = [this](int cell) {
        if (OnInsert) {
            OnInsert(cell);
        }
    };
    grid->contextMenuRequested = [this](int cell, QPoint globalPos) {
        if (OnSymbolMenu) {
            // A copy: the menu's commands may regroup the search.
            const std::u16string chars(m_search.charsOf(cell));
            OnSymbolMenu(chars, globalPos);
        }
    };

    chosenGlyph = new QLabel(this);
    chosenGlyph->setObjectName(QStringLiteral("ChosenGlyph"));
    chosenGlyph->setAlignment(Qt::AlignCenter);
    QFont large = chosenGlyph->font();
    large.setPixelSize(kChosenHeight - 4);
    chosenGlyph->setFont(large);
    chosenName = new QLabel(this);
    chosenName->setObjectName(QStringLiteral("ChosenName"));
    chosenName->setAccessibleName(QStringLiteral("Return inserts"));

    connect(searchField, &QLineEdit::textChanged, this,
            [this](const QString& query) { queryChanged(query); });
    layOut();
}

void AllSymbolsPanel::focusSearch() {
    searchField->setFocus(Qt::ShortcutFocusReason);
    searchField->selectAll();
}

void AllSymbolsPanel::setShowHint(bool show) {
    grid->setShowHint(show);
}

void AllSymbolsPanel::queryChanged(const QString& query) {
    m_search.setQuery(query.toStdU16String());
    layOut();
    showChosen();
    scrollArea->verticalScrollBar()->setValue(0);
}

void AllSymbolsPanel::layOut() {
    const int searchWidth = width();
    const int buttonWidth = std::min(
        searchWidth / 3, chartButton->fontMetrics().horizontalAdvance(chartButton->text()) + 10);
    searchField->setGeometry(0, 0, searchWidth - buttonWidth - 2, kSearchHeight);
    chartButton->setGeometry(searchWidth - buttonWidth, 0, buttonWidth, kSearchHeight);
    // While the user searches, what Return inserts stands under the field.
    const bool searching = !searchField->text().trimmed().isEmpty();
    const int gridTop = kSearchHeight + 2 + (searching ? kChosenHeight : 0);
    chosenGlyph->setGeometry(0, kSearchHeight + 1, kChosenHeight + 8, kChosenHeight);
    chosenName->setGeometry(kChosenHeight + 10, kSearchHeight + 1, searchWidth - kChosenHeight - 10,
                            kChosenHeight);
    chosenGlyph->setVisible(searching);
    chosenName->setVisible(searching);
    scrollArea->setGeometry(0, gridTop, searchWidth, std::max(0, height() - gridTop));
    const int gridWidth =
        searchWidth - scrollArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    qDeleteAll(m_titles);
    m_titles.clear();
    QList<SymbolGrid::Cell> cells;
    int y = 0;
    for (const SymbolGroup& group : m_search.groups()) {
        auto* title = new QLabel(fromUtf8(group.title), grid);
        title->setGeometry(2, y, gridWidth - 2, kTitleHeight);
        title->setEnabled(false);
        title->show();
        m_titles.append(title);
        y += kTitleHeight;
        if (group.recent) {
            for (SymbolGrid::Cell& cell : keptRows(m_search.recent(), gridWidth, y)) {
                cell.payload = -1 - cell.payload; // the table's symbols count from 0
                cells.append(std::move(cell));
            }
            y += kCellHeight + kGroupGap;
            continue;
        }
        int x = 0;
        for (const std::size_t index : group.symbols) {
            SymbolGrid::Cell cell = cellFor(index, QPoint(x, y), m_search.query());
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
    grid->setCells(std::move(cells));
    grid->resize(gridWidth, y);
    grid->setCurrent(m_search.chosen());
}

void AllSymbolsPanel::showChosen() {
    const int cell = m_search.chosen();
    grid->setCurrent(cell);
    const int row = m_search.rowOf(cell);
    if (row >= 0) {
        const IpaSymbol& symbol = ipaSymbols()[static_cast<std::size_t>(row)];
        chosenGlyph->setText(QString::fromStdU16String(displayText(symbol)));
        chosenName->setText(fromUtf8(symbol.name));
    } else {
        chosenGlyph->clear();
        chosenName->setText(cell < 0 ? QStringLiteral("Nothing found") : QString());
    }
    if (cell >= 0) {
        const QRect rect = grid->cells().at(cell).rect;
        scrollArea->ensureVisible(rect.center().x(), rect.center().y(), 0,
                                  rect.height() / 2 + kTitleHeight);
    }
}

void AllSymbolsPanel::refresh() {
    const int scrolled = scrollArea->verticalScrollBar()->value();
    layOut();
    scrollArea->verticalScrollBar()->setValue(scrolled);
}

bool AllSymbolsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != searchField || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (OnInsertChosen) {
            OnInsertChosen();
        }
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        m_search.step(key->key() == Qt::Key_Down ? 1 : -1);
        showChosen();
        return true;
    case Qt::Key_Escape:
        searchField->clear();
        return true;
    case Qt::Key_F:
        // Ctrl+F again: the old query, selected, to be typed over.
        if (key->modifiers() == Qt::ControlModifier) {
            searchField->selectAll();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    case Qt::Key_K:
        if (key->modifiers() == Qt::ControlModifier) {
            if (OnOpenChart) {
                OnOpenChart();
            }
            return true;
        }
        return QWidget::eventFilter(watched, event);
    case Qt::Key_D:
        if (key->modifiers() == Qt::ControlModifier) {
            if (OnPinKey) {
                OnPinKey();
            }
            return true;
        }
        return QWidget::eventFilter(watched, event);
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace korv
