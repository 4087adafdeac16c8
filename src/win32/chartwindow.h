// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gridaccessible.h"
#include "ipachart.h"
#include "palette.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korv::win32 {

inline constexpr wchar_t kChartWindowClass[] = L"KorvaniChartWindow";
inline constexpr wchar_t kChartCanvasClass[] = L"KorvChartCanvas";

/// The IPA chart painted at a scale of the window's width and a zoom, scrolled: every symbol a
/// cell to click that never takes the keyboard focus, and a push button to a screen reader.
class ChartCanvas final : public AccessibleCells {
public:
    ChartCanvas(HINSTANCE instance, HWND parent, std::wstring glyphFace, std::wstring textFace);
    ~ChartCanvas();
    ChartCanvas(const ChartCanvas&) = delete;
    ChartCanvas& operator=(const ChartCanvas&) = delete;

    /// Lays the chart out again at a zoom, in percent, keeping the middle of the view in view.
    void setZoom(int zoom);
    int zoom() const { return m_zoom; }
    /// The chart as laid out now, in the canvas's pixels before scrolling.
    const IpaChart& chart() const { return m_chart; }
    /// Scrolls by pixels, each way within the chart.
    void scrollTo(int x, int y);

    std::function<void(int symbolRow)> clicked;
    std::function<void(int symbolRow)> hovered; // -1 when the pointer leaves the symbols
    std::function<void(int step)> zoomed;       // Ctrl+wheel, a step a notch

    // AccessibleCells: the chart's symbols in chart order.
    HWND hwnd() const override { return m_hwnd; }
    int cellCount() const override { return static_cast<int>(m_symbols.size()); }
    std::wstring cellName(int cell) const override;
    std::wstring cellDescription(int cell) const override;
    RECT cellRect(int cell) const override;
    int cellAt(POINT point) const override;
    int current() const override { return -1; }
    bool clickable() const override { return true; }

private:
    // A glyph's ink at a reference size, from its pen's start on the baseline.
    struct Ink {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
    };
    // A symbol as drawn: its letters, then its marks moved to sit centred on them.
    struct Shape {
        std::wstring letters;
        std::wstring marks;
        double markShift = 0; // at the reference size
        Ink ink;              // of the whole
    };

    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void rescale();
    void updateScrollBars();
    void paint(HDC dc, const RECT& client);
    void drawGlyph(HDC dc, int symbolRow, double pixels, const ChartBox& box, bool centred);
    const Shape& shapeOf(int symbolRow);
    double xHeight();
    Ink measureInk(const std::wstring& text);
    HFONT font(double pixels, bool glyph, bool bold = false);
    void forgetFonts();
    int itemAt(POINT client) const;
    void setHover(int item);
    void invalidateItem(int item);
    void wheel(int delta, bool zoom, bool across);

    HWND m_hwnd = nullptr;
    std::wstring m_glyphFace;
    std::wstring m_textFace;
    IpaChart m_chart;
    std::vector<int> m_symbols; // the Symbol items, in chart order
    int m_zoom = kDefaultChartZoom;
    int m_scrollX = 0;
    int m_scrollY = 0;
    int m_hover = -1;
    int m_pressed = -1;
    int m_wheel = 0; // a wheel's units not yet a zoom step
    int m_viewWidth = -1;
    std::map<int, HFONT> m_fonts;
    std::map<int, Shape> m_shapes;
    std::optional<double> m_xHeight;
    GridAccessible* m_accessible = nullptr;
};

/// The IPA chart window: the chart, scaled to the window and the zoom, and under it the symbol the
/// pointer is on, large, with its name, X-SAMPA and code points. It stays on top with the palette
/// and never takes the keyboard from the line; a click inserts at the line's caret.
class ChartWindow final {
public:
    /// Made hidden. It has no owner, so that a click brings the palette in front of it, and no
    /// task bar button, as it never takes the activation.
    ChartWindow(HINSTANCE instance, Palette& palette, UINT dpi, const std::wstring& ipaFace);
    ~ChartWindow();
    ChartWindow(const ChartWindow&) = delete;
    ChartWindow& operator=(const ChartWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    ChartCanvas& canvas() { return *m_canvas; }
    /// Shows the window at placement, without taking the activation; raises it when shown. With
    /// no place of its own it goes beside the palette's frame, covering as little of it as fits.
    void show(const ChartPlacement& placement, const RECT& palette);
    void setZoom(int zoom);
    /// Where the frame is, and the client area's size, as it would be restored.
    ChartPlacement placement() const;
    bool shown() const { return IsWindowVisible(m_hwnd) != FALSE; }
    /// Hidden and shown again with the palette's window, while open.
    void hideWithPalette();
    void showWithPalette();
    /// A wheel message meant for the window under the pointer: true when that is the chart,
    /// which then had it.
    bool takeWheel(const MSG& msg);

private:
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void layout();
    void paintHover(HDC dc, const RECT& client);
    void showHovered(int symbolRow);
    int scale(int pixels) const { return MulDiv(pixels, static_cast<int>(m_dpi), 96); }
    RECT hoverRect() const;

    Palette& m_palette;
    UINT m_dpi;
    HWND m_hwnd = nullptr;
    std::unique_ptr<ChartCanvas> m_canvas;
    HFONT m_textFont = nullptr;
    HFONT m_hoverGlyphFont = nullptr;
    int m_hoverRow = -1;
    bool m_hiddenWithPalette = false;
};

} // namespace korv::win32
