// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QHash>
#include <QWidget>

#include <functional>

#include "ipachart.h"

class QLabel;
class QScrollArea;

namespace korv {

/// The IPA chart painted at a scale: every symbol a button that never takes the focus, and one
/// accessible push button per symbol, named as the symbol and its name.
class ChartCanvas final : public QWidget {
public:
    explicit ChartCanvas(QWidget* parent = nullptr);
    ~ChartCanvas() override;
    ChartCanvas(const ChartCanvas&) = delete;
    ChartCanvas& operator=(const ChartCanvas&) = delete;

    /// Lays the chart out at a scale of its units.
    void setScale(double scale);
    const IpaChart& chart() const { return m_chart; }
    /// The items that are symbols, in chart order; the accessible cells are numbered so.
    const QList<int>& symbolItems() const { return m_symbols; }
    QRect itemRect(int item) const;
    QString cellName(int item) const;
    /// Runs `clicked` with the item's symbol row, as a click does.
    void click(int item);

    std::function<void(int symbolRow)> clicked;
    std::function<void(int symbolRow)> hovered; // -1 when the pointer leaves the symbols
    std::function<void(int step)> zoomed;       // Ctrl+wheel

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class ChartCellAccessible;
    friend class ChartCanvasAccessible;
    void setHover(int item);
    void forgetAccessibleCells();

    IpaChart m_chart;
    QList<int> m_symbols;
    int m_hover = -1;
    int m_pressed = -1;
    int m_wheel = 0; // a wheel's eighths of a degree not yet a step
    mutable QHash<int, QAccessible::Id> m_accessibleCells;
};

/// The chart window: the chart, scaled to the window and the zoom, and under it the symbol the
/// pointer is on, large, with its name, X-SAMPA and code points. It stays on top with the palette
/// and never takes the keyboard from the line.
class ChartWindow final : public QWidget {
public:
    explicit ChartWindow(QWidget* owner);

    ChartCanvas* canvas = nullptr;
    QScrollArea* scrollArea = nullptr;
    QLabel* hoverGlyph = nullptr;
    QLabel* hoverText = nullptr;

    void setZoom(int zoom);
    int zoom() const { return m_zoom; }

    std::function<void(int symbolRow)> OnInsert;
    std::function<void(int step)> OnZoom;
    std::function<void()> OnClosed;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rescale();
    void showHovered(int symbolRow);

    int m_zoom = kDefaultChartZoom;
};

} // namespace korv
