// SPDX-License-Identifier: GPL-3.0-or-later
// The All and Mine tabs, built when first shown, and the context menu of every symbol.
#include <QApplication>
#include <QMenu>
#include <QWindow>

#include "allsymbolspanel.h"
#include "chartwindow.h"
#include "compositionedit.h"
#include "ipasymbols.h"
#include "mainwindow.h"
#include "minepanel.h"
#include "symbolgrid.h"

namespace korv {

void MainWindow::showAllPanel() {
    // Built when first asked for, so that it costs nothing at start.
    if (allPanel == nullptr) {
        m_palette->recent(); // the first group, read before the grid is laid out
        allPanel = new AllSymbolsPanel(clientArea, standardChart->geometry(), m_palette->search());
        allPanel->setShowHint(m_palette->options().showHints);
        allPanel->OnInsert = [this](int cell) {
            guarded([&] {
                m_palette->search().choose(cell);
                m_palette->insertChosen();
            });
        };
        allPanel->OnInsertChosen = [this] { guarded([&] { m_palette->insertChosen(); }); };
        allPanel->OnSymbolMenu = [this](std::u16string_view chars, QPoint globalPos) {
            guarded([&] { showSymbolMenu(chars, globalPos); });
        };
        allPanel->OnPinKey = [this] { guarded([&] { m_palette->pinChosen(); }); };
        allPanel->OnOpenChart = [this] { guarded([&] { m_palette->openChart(); }); };
        connect(qApp, &QApplication::focusChanged, allPanel, [this](QWidget* old, QWidget* now) {
            // A return of the focus with the window keeps what was known.
            if (now == allPanel->searchField && old != nullptr) {
                m_searchFromLine = old == lineEdit;
            }
        });
    }
    allPanel->show();
}

void MainWindow::showMinePanel() {
    if (minePanel == nullptr) {
        minePanel = new MinePanel(clientArea, standardChart->geometry());
        minePanel->setShowHint(m_palette->options().showHints);
        minePanel->setEntries(m_palette->mine());
        minePanel->OnSymbolClick = [this](int entry) {
            // A copy: the click records the symbol, and the list may change under it.
            const std::u16string symbol = m_palette->mine().at(static_cast<std::size_t>(entry));
            guarded([&] { m_palette->insert(symbol); });
        };
        minePanel->OnSymbolMenu = [this](int entry, QPoint globalPos) {
            const std::u16string symbol = m_palette->mine().at(static_cast<std::size_t>(entry));
            guarded([&] { showSymbolMenu(symbol, globalPos); });
        };
    }
    minePanel->show();
}

void MainWindow::showChart(const ChartPlacement& placement) {
    if (chartWindow == nullptr) {
        chartWindow = new ChartWindow(this);
        chartWindow->OnInsert = [this](int row) {
            const std::u16string chars(ipaSymbols()[static_cast<std::size_t>(row)].chars);
            guarded([&] { m_palette->insert(chars); });
        };
        chartWindow->OnZoom = [this](int step) { guarded([&] { m_palette->zoomChart(step); }); };
        chartWindow->OnClosed = [this] { guarded([&] { m_palette->chartClosed(); }); };
    }
    if (chartWindow->isVisible()) {
        if (chartWindow->isMinimized()) {
            chartWindow->showNormal();
        }
        chartWindow->raise();
        return;
    }
    chartWindow->setZoom(placement.zoom);
    chartWindow->resize(placement.width, placement.height);
    if (placement.position) {
        chartWindow->move(placement.position->left, placement.position->top);
        chartWindow->winId(); // the native window, to be given its frame's position
        if (QWindow* window = chartWindow->windowHandle()) {
            chartWindow->setAttribute(Qt::WA_Moved, false);
            window->setFramePosition(QPoint(placement.position->left, placement.position->top));
        }
    }
    chartWindow->show();
    chartWindow->raise();
}

void MainWindow::showChartZoom(int zoom) {
    if (chartWindow != nullptr) {
        chartWindow->setZoom(zoom);
    }
}

std::optional<ChartPlacement> MainWindow::chartPlacement() const {
    if (chartWindow == nullptr) {
        return std::nullopt;
    }
    ChartPlacement placement;
    const auto frame =
        m_platform.placement.framePosition(static_cast<std::uintptr_t>(chartWindow->winId()));
    const QPoint position =
        frame ? QPoint(frame->x, frame->y) : chartWindow->frameGeometry().topLeft();
    placement.position = ScreenPosition{position.x(), position.y()};
    const QSize size =
        chartWindow->isMaximized() ? chartWindow->normalGeometry().size() : chartWindow->size();
    placement.width = size.width();
    placement.height = size.height();
    placement.zoom = chartWindow->zoom();
    return placement;
}

void MainWindow::showSymbolMenu(std::u16string_view symbolView, QPoint globalPos) {
    const std::u16string symbol(symbolView);
    const SymbolMenu offer = m_palette->menuFor(symbol);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("SymbolMenu"));
    if (!offer.inMine) {
        QAction* add = menu.addAction(QStringLiteral("Add to Mine"),
                                      [&] { guarded([&] { m_palette->addToMine(symbol); }); });
        add->setEnabled(offer.canAdd);
    } else {
        menu.addAction(QStringLiteral("Remove from Mine"),
                       [&] { guarded([&] { m_palette->removeFromMine(symbol); }); });
        QAction* left = menu.addAction(QStringLiteral("Move Left"), [&] {
            guarded([&] { m_palette->moveInMine(symbol, -1); });
        });
        left->setEnabled(offer.canMoveLeft);
        QAction* right = menu.addAction(QStringLiteral("Move Right"), [&] {
            guarded([&] { m_palette->moveInMine(symbol, 1); });
        });
        right->setEnabled(offer.canMoveRight);
    }
    menu.exec(globalPos);
}

} // namespace korv
