// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "palette.h"
#include "symbolgrid.h"

#include <windows.h>

#include <functional>
#include <string>

namespace korv::win32 {

/// The All tab: a search field over a grid of every symbol, or of what the query finds, with the
/// symbols used last first while the query is blank.
class SearchPanel final {
public:
    SearchPanel(HINSTANCE instance, HWND parent, Palette& palette);
    SearchPanel(const SearchPanel&) = delete;
    SearchPanel& operator=(const SearchPanel&) = delete;

    HWND field() const { return m_field; }
    /// The button that opens the IPA chart window.
    HWND chartButton() const { return m_chartButton; }
    SymbolGrid& grid() { return m_grid; }
    /// Places the panel in area (window pixels) with the window's faces and DPI.
    void place(const RECT& area, HFONT guiFont, HFONT glyphFont, UINT dpi);
    void show(bool shown);
    /// Shows the search's groups again; the scrolled position stays while the query does.
    void refresh();
    /// Puts the focus in the field with the query selected.
    void focus();
    /// The field's text changed.
    void queryChanged();
    /// Return, Up, Down and Escape in the field; true when the key was taken.
    bool takeKey(const MSG& msg);

    std::function<void(const std::u16string& symbol, POINT screen)> menuRequested;

private:
    Palette& m_palette;
    HWND m_field = nullptr;
    HWND m_chartButton = nullptr;
    SymbolGrid m_grid;
    UINT m_dpi = 96;
    std::u16string m_shownQuery;
};

} // namespace korv::win32
