// SPDX-License-Identifier: GPL-3.0-or-later
#include "minepanel.h"

#include "ipasymbols.h"
#include "profileini.h"
#include "symbollayout.h"
#include "symbolparts.h"

#include <commctrl.h>

namespace korv::win32 {

MinePanel::MinePanel(HINSTANCE instance, HWND parent, Palette& palette)
    : m_palette(palette)
    , m_grid(instance, parent, L"Mine")
    , m_emptyNote(CreateWindowExW(
          0, WC_STATICW,
          L"Your own symbols go here: right-click a symbol and choose \"Add to Mine\", or select "
          L"symbols in the line and press Ctrl+D.",
          WS_CHILD | SS_CENTER, 0, 0, 0, 0, parent, nullptr, instance, nullptr)) {
    m_grid.clicked = [this](int cell) {
        // A copy: inserting records the symbol, and Mine may change meanwhile.
        const std::u16string symbol = m_entries.at(static_cast<std::size_t>(cell));
        m_palette.insert(symbol);
    };
    m_grid.menuRequested = [this](int cell, POINT screen) {
        if (menuRequested) {
            menuRequested(m_entries.at(static_cast<std::size_t>(cell)), screen);
        }
    };
}

void MinePanel::place(const RECT& area, HFONT guiFont, HFONT glyphFont, UINT dpi) {
    m_dpi = dpi;
    MoveWindow(m_grid.hwnd(), area.left, area.top, area.right - area.left, area.bottom - area.top,
               FALSE);
    const int margin = MulDiv(8, static_cast<int>(dpi), 96);
    MoveWindow(m_emptyNote, area.left + margin, area.top + margin * 4,
               area.right - area.left - 2 * margin, area.bottom - area.top - 5 * margin, FALSE);
    SendMessageW(m_emptyNote, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
    m_grid.setLook(glyphFont, guiFont, dpi);
    setEntries(m_entries);
}

void MinePanel::show(bool shown) {
    m_shown = shown;
    ShowWindow(m_grid.hwnd(), shown ? SW_SHOW : SW_HIDE);
    ShowWindow(m_emptyNote, shown && m_entries.empty() ? SW_SHOW : SW_HIDE);
}

void MinePanel::setEntries(const std::vector<std::u16string>& entries) {
    m_entries = entries;
    RECT client{};
    GetClientRect(m_grid.hwnd(), &client);
    // A mark alone is shown on its dotted circle, as in the Recent row.
    std::vector<std::u16string> shown;
    std::vector<int> widths;
    for (const std::u16string& symbol : m_entries) {
        shown.push_back(displayText(symbol));
        widths.push_back(keptCellWidth(shown.back()));
    }
    const SymbolLayout layout =
        layoutRows(widths, MulDiv(client.right, 96, static_cast<int>(m_dpi)));
    std::vector<GridCell> cells;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const std::wstring symbol(m_entries[i].begin(), m_entries[i].end());
        cells.push_back({layout.cells[i], std::wstring(shown[i].begin(), shown[i].end()), symbol,
                         widen(symbolPartNames(m_entries[i]))});
    }
    const int scrolled = m_grid.scrolled();
    m_grid.setContent(std::move(cells), {}, layout.height);
    m_grid.scrollTo(scrolled);
    ShowWindow(m_emptyNote, m_shown && m_entries.empty() ? SW_SHOW : SW_HIDE);
}

} // namespace korv::win32
