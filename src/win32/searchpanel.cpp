// SPDX-License-Identifier: GPL-3.0-or-later
#include "searchpanel.h"

#include "accessiblename.h"
#include "commandbutton.h"
#include "ipachart.h"
#include "ipasymbols.h"
#include "profileini.h"
#include "symbollayout.h"

#include <commctrl.h>

#include <algorithm>

namespace korv::win32 {

namespace {

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// What a screen reader says of a cell: the symbol and its name; its X-SAMPA and code points.
GridCell cellFor(const SymbolSearch& search, int index, const Rect& rect) {
    GridCell cell;
    cell.rect = rect;
    cell.glyph = wide(shownText(search, index));
    cell.name = cell.glyph;
    const int row = search.rowOf(index);
    if (row >= 0) {
        const IpaSymbol& symbol = ipaSymbols()[static_cast<std::size_t>(row)];
        cell.name += L", " + widen(symbol.name);
        std::string description = codePointText(symbol) + " " + std::string(symbol.unicodeNames);
        if (!usualXsampa(symbol).empty()) {
            description = "X-SAMPA " + std::string(usualXsampa(symbol)) + ", " + description;
        }
        cell.description = widen(description);
    }
    return cell;
}

} // namespace

SearchPanel::SearchPanel(HINSTANCE instance, HWND parent, Palette& palette)
    : m_palette(palette)
    , m_field(CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                              WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, parent, nullptr,
                              instance, nullptr))
    , m_grid(instance, parent, L"All symbols") {
    const std::wstring placeholder = widen(kSearchPlaceholder);
    SendMessageW(m_field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(placeholder.c_str()));
    nameForScreenReader(m_field, kSearchAccessibleName);
    m_chartButton =
        CreateWindowExW(0, WC_BUTTONW, widen(kChartButtonCaption).c_str(), WS_CHILD | BS_PUSHBUTTON,
                        0, 0, 0, 0, parent, nullptr, instance, nullptr);
    clickWithoutFocus(m_chartButton);
    m_grid.clicked = [this](int cell) {
        // A copy: inserting records the symbol, which regroups the search.
        const std::u16string chars(m_palette.search().charsOf(cell));
        if (!chars.empty()) {
            m_palette.insert(chars);
        }
    };
    m_grid.menuRequested = [this](int cell, POINT screen) {
        if (menuRequested) {
            menuRequested(std::u16string(m_palette.search().charsOf(cell)), screen);
        }
    };
}

void SearchPanel::place(const RECT& area, HFONT guiFont, HFONT glyphFont, UINT dpi) {
    m_dpi = dpi;
    const int fieldHeight = MulDiv(kSearchFieldHeight, static_cast<int>(dpi), 96);
    const int gap = MulDiv(2, static_cast<int>(dpi), 96);
    // The chart's button at the field's end, as wide as its caption.
    const int width = area.right - area.left;
    HDC dc = GetDC(m_chartButton);
    const HGDIOBJ old = SelectObject(dc, guiFont);
    const std::wstring caption = widen(kChartButtonCaption);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(m_chartButton, dc);
    const int buttonWidth =
        std::min(width / 3, static_cast<int>(extent.cx) + MulDiv(10, static_cast<int>(dpi), 96));
    MoveWindow(m_field, area.left, area.top, width - buttonWidth - gap, fieldHeight, FALSE);
    SendMessageW(m_field, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
    MoveWindow(m_chartButton, area.right - buttonWidth, area.top, buttonWidth, fieldHeight, FALSE);
    SendMessageW(m_chartButton, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
    MoveWindow(m_grid.hwnd(), area.left, area.top + fieldHeight + gap, area.right - area.left,
               area.bottom - area.top - fieldHeight - gap, FALSE);
    m_grid.setLook(glyphFont, guiFont, dpi);
    refresh();
}

void SearchPanel::show(bool shown) {
    ShowWindow(m_field, shown ? SW_SHOW : SW_HIDE);
    ShowWindow(m_chartButton, shown ? SW_SHOW : SW_HIDE);
    ShowWindow(m_grid.hwnd(), shown ? SW_SHOW : SW_HIDE);
}

void SearchPanel::refresh() {
    const SymbolSearch& search = m_palette.search();
    RECT client{};
    GetClientRect(m_grid.hwnd(), &client);
    const int width = MulDiv(client.right, 96, static_cast<int>(m_dpi));
    const SymbolLayout layout = layoutSearch(search, width);
    std::vector<GridCell> cells;
    for (std::size_t i = 0; i < layout.cells.size(); ++i) {
        cells.push_back(cellFor(search, static_cast<int>(i), layout.cells[i]));
    }
    std::vector<GridTitle> titles;
    for (std::size_t i = 0; i < layout.titles.size(); ++i) {
        titles.push_back({layout.titles[i], widen(layout.titleTexts[i])});
    }
    const int scrolled = m_grid.scrolled();
    m_grid.setContent(std::move(cells), std::move(titles), layout.height);
    m_grid.scrollTo(search.query() == m_shownQuery ? scrolled : 0);
    m_shownQuery = search.query();
    m_grid.setCurrent(search.chosen());
}

void SearchPanel::focus() {
    SetFocus(m_field);
    SendMessageW(m_field, EM_SETSEL, 0, -1);
}

void SearchPanel::queryChanged() {
    const int length = GetWindowTextLengthW(m_field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(m_field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    m_palette.search().setQuery(std::u16string(text.begin(), text.end()));
    refresh();
}

bool SearchPanel::takeKey(const MSG& msg) {
    if (msg.hwnd != m_field || msg.message != WM_KEYDOWN) {
        // The keys' characters would only beep.
        return msg.hwnd == m_field && msg.message == WM_CHAR &&
               (msg.wParam == L'\r' || msg.wParam == 0x1B);
    }
    switch (msg.wParam) {
    case VK_RETURN:
        m_palette.insertChosen();
        return true;
    case VK_DOWN:
    case VK_UP:
        m_palette.search().step(msg.wParam == VK_DOWN ? 1 : -1);
        m_grid.setCurrent(m_palette.search().chosen());
        return true;
    case VK_ESCAPE:
        SetWindowTextW(m_field, L"");
        return true;
    default:
        return false;
    }
}

} // namespace korv::win32
