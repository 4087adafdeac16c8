// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "palette.h"
#include "symbolgrid.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace korv::win32 {

/// The Mine tab: the user's own symbols in a grid, or a note on how to add some.
class MinePanel final {
public:
    MinePanel(HINSTANCE instance, HWND parent, Palette& palette);
    MinePanel(const MinePanel&) = delete;
    MinePanel& operator=(const MinePanel&) = delete;

    SymbolGrid& grid() { return m_grid; }
    HWND emptyNote() const { return m_emptyNote; }
    /// Places the panel in area (window pixels) with the window's faces and DPI.
    void place(const RECT& area, HFONT guiFont, HFONT glyphFont, UINT dpi);
    void show(bool shown);
    void setEntries(const std::vector<std::u16string>& entries);

    std::function<void(const std::u16string& symbol, POINT screen)> menuRequested;

private:
    Palette& m_palette;
    SymbolGrid m_grid;
    HWND m_emptyNote = nullptr;
    std::vector<std::u16string> m_entries;
    UINT m_dpi = 96;
    bool m_shown = false;
};

} // namespace korv::win32
