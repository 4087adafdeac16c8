// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gridaccessible.h"
#include "layout.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace korv::win32 {

inline constexpr wchar_t kSymbolGridClass[] = L"KorvSymbolGrid";

/// One symbol of a grid: where it goes (at 96 DPI, in the grid's whole height), what it shows and
/// what a screen reader says of it.
struct GridCell {
    Rect rect;
    std::wstring glyph;
    std::wstring name;
    std::wstring description;
};

/// A group's title over its cells.
struct GridTitle {
    Rect rect;
    std::wstring text;
};

/// A painted, scrolling grid of symbols (the All and Mine tabs): flat cells raised under the
/// pointer, the chosen one marked; a click on release inside the pressed cell. It never takes the
/// keyboard focus.
class SymbolGrid final : public AccessibleCells {
public:
    /// name is what a screen reader calls the grid.
    SymbolGrid(HINSTANCE instance, HWND parent, const wchar_t* name);
    ~SymbolGrid();
    SymbolGrid(const SymbolGrid&) = delete;
    SymbolGrid& operator=(const SymbolGrid&) = delete;

    HWND hwnd() const override { return m_hwnd; }
    /// Replaces what the grid shows; height is the content's, at 96 DPI.
    void setContent(std::vector<GridCell> cells, std::vector<GridTitle> titles, int height);
    /// Marks a cell as the chosen one and scrolls it into view; -1 for none.
    void setCurrent(int cell);
    int current() const override { return m_current; }
    const std::vector<GridCell>& cells() const { return m_cells; }
    /// The faces and the scale of the window's DPI.
    void setLook(HFONT glyphFont, HFONT titleFont, UINT dpi);
    /// Keeps the scrolled position or goes back to the top.
    void scrollTo(int pixels);
    int scrolled() const { return m_scroll; }
    /// The cell under a point of the window, or -1.
    int cellAt(POINT point) const override;
    /// A cell's rectangle in the window, scaled and scrolled.
    RECT cellRect(int cell) const override;

    std::function<void(int cell)> clicked;
    std::function<void(int cell, POINT screen)> menuRequested;

    int cellCount() const override { return static_cast<int>(m_cells.size()); }
    std::wstring cellName(int cell) const override;
    std::wstring cellDescription(int cell) const override;
    bool clickable() const override { return static_cast<bool>(clicked); }

    /// The screen reader's view of the grid and its cells, made when first asked for.
    IAccessible* accessible();

private:
    // Where a glyph goes in its cell, from the cell's top left corner, and in which face.
    struct Placing {
        HFONT font = nullptr;
        int x = 0;
        int baseline = 0;
    };

    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc, const RECT& client) const;
    void updateScrollBar();
    void setHover(int cell);
    void invalidateCell(int cell);
    int scale(int pixels) const { return MulDiv(pixels, static_cast<int>(m_dpi), 96); }
    const Placing& placing(const std::wstring& glyph, SIZE cell) const;
    HFONT glyphFontOf(int pixels) const;
    void forgetPlacings();

    HWND m_hwnd = nullptr;
    std::vector<GridCell> m_cells;
    std::vector<GridTitle> m_titles;
    int m_height = 0;
    int m_scroll = 0;
    int m_hover = -1;
    int m_pressed = -1;
    int m_current = -1;
    HFONT m_glyphFont = nullptr;
    HFONT m_titleFont = nullptr;
    UINT m_dpi = 96;
    // Measured once a glyph and cell size, and the smaller faces of glyphs too large for theirs.
    mutable std::map<std::pair<std::wstring, int>, Placing> m_placings;
    mutable std::map<int, HFONT> m_smallFonts;
    GridAccessible* m_accessible = nullptr;
};

} // namespace korv::win32
