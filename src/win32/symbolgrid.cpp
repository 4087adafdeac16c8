// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolgrid.h"

#include "scrollrequest.h"

#include "glyphink.h"
#include "gridaccessible.h"
#include "symbollayout.h"
#include "windowowner.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace korv::win32 {

namespace {

void registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kSymbolGridClass, &wc)) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kSymbolGridClass;
    RegisterClassExW(&wc);
}

} // namespace

SymbolGrid::SymbolGrid(HINSTANCE instance, HWND parent, const wchar_t* name) {
    registerClass(instance, ownedWindowProc<&SymbolGrid::handle>);
    m_hwnd = CreateWindowExW(0, kSymbolGridClass, name, WS_CHILD | WS_VSCROLL, 0, 0, 0, 0, parent,
                             nullptr, instance, this);
}

SymbolGrid::~SymbolGrid() {
    if (m_accessible != nullptr) {
        // A screen reader may hold on to it: from now on it answers that the grid is gone.
        m_accessible->detach();
        m_accessible->Release();
    }
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    }
    forgetPlacings();
}

IAccessible* SymbolGrid::accessible() {
    if (m_accessible == nullptr) {
        m_accessible = new GridAccessible(this);
    }
    return m_accessible;
}

std::wstring SymbolGrid::cellName(int cell) const {
    return m_cells.at(static_cast<std::size_t>(cell)).name;
}

std::wstring SymbolGrid::cellDescription(int cell) const {
    return m_cells.at(static_cast<std::size_t>(cell)).description;
}

void SymbolGrid::setContent(std::vector<GridCell> cells, std::vector<GridTitle> titles,
                            int height) {
    m_cells = std::move(cells);
    m_titles = std::move(titles);
    m_height = height;
    m_hover = m_pressed = m_current = -1;
    updateScrollBar();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void SymbolGrid::setLook(HFONT glyphFont, HFONT titleFont, UINT dpi) {
    forgetPlacings();
    m_glyphFont = glyphFont;
    m_titleFont = titleFont;
    m_dpi = dpi;
    updateScrollBar();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void SymbolGrid::forgetPlacings() {
    m_placings.clear();
    for (const auto& [pixels, font] : m_smallFonts) {
        DeleteObject(font);
    }
    m_smallFonts.clear();
}

HFONT SymbolGrid::glyphFontOf(int pixels) const {
    const auto found = m_smallFonts.find(pixels);
    if (found != m_smallFonts.end()) {
        return found->second;
    }
    LOGFONTW face{};
    GetObjectW(m_glyphFont, sizeof face, &face);
    face.lfHeight = -pixels;
    face.lfWidth = 0;
    HFONT font = CreateFontIndirectW(&face);
    m_smallFonts.emplace(pixels, font);
    return font;
}

// Where a line of text would put the glyph, unless its ink would leave the cell then: a tie bar
// high above two letters, a mark hanging beyond its advance. Such a glyph moves in, and one larger
// than the cell is drawn smaller, centred by its ink.
const SymbolGrid::Placing& SymbolGrid::placing(const std::wstring& glyph, SIZE cell) const {
    // Cells are all as high: the width tells them apart.
    const auto key = std::make_pair(glyph, static_cast<int>(cell.cx));
    const auto found = m_placings.find(key);
    if (found != m_placings.end()) {
        return found->second;
    }
    const int roomWidth = cell.cx - 2;
    const int roomHeight = cell.cy - 2;
    Placing placed{m_glyphFont, 0, 0};
    GlyphInk ink = measureGlyphInk(placed.font, glyph);
    LOGFONTW face{};
    GetObjectW(m_glyphFont, sizeof face, &face);
    int pixels = std::abs(face.lfHeight);
    const bool shrunk = ink.width() > roomWidth || ink.height() > roomHeight;
    if (shrunk) {
        pixels = std::max(6, std::min(MulDiv(pixels, roomWidth, std::max(1, ink.width())),
                                      MulDiv(pixels, roomHeight, std::max(1, ink.height()))));
        // Hinting rounds each size its own way: smaller until it fits.
        for (;;) {
            placed.font = glyphFontOf(pixels);
            ink = measureGlyphInk(placed.font, glyph);
            if (pixels <= 6 || (ink.width() <= roomWidth && ink.height() <= roomHeight)) {
                break;
            }
            --pixels;
        }
    }
    HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, placed.font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, glyph.c_str(), static_cast<int>(glyph.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    const int inkX = (cell.cx - ink.width()) / 2 - ink.left;
    const int inkBaseline = (cell.cy - ink.height()) / 2 - ink.top;
    if (shrunk || ink.empty()) {
        placed.x = ink.empty() ? (cell.cx - extent.cx) / 2 : inkX;
        placed.baseline = ink.empty() ? cell.cy / 2 : inkBaseline;
    } else {
        placed.x = (cell.cx - extent.cx) / 2;
        if (placed.x + ink.left < 1 || placed.x + ink.right > cell.cx - 1) {
            placed.x = inkX;
        }
        placed.baseline = (cell.cy - metrics.tmHeight) / 2 + metrics.tmAscent;
        if (placed.baseline + ink.top < 1) {
            placed.baseline = 1 - ink.top;
        } else if (placed.baseline + ink.bottom > cell.cy - 1) {
            placed.baseline = cell.cy - 1 - ink.bottom;
        }
    }
    return m_placings.emplace(key, placed).first->second;
}

void SymbolGrid::updateScrollBar() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const int page = client.bottom;
    const int content = scale(m_height);
    m_scroll = std::clamp(m_scroll, 0, std::max(0, content - page));
    SCROLLINFO info{sizeof info,
                    SIF_ALL | SIF_DISABLENOSCROLL,
                    0,
                    std::max(0, content - 1),
                    static_cast<UINT>(page),
                    m_scroll,
                    0};
    SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
}

void SymbolGrid::scrollTo(int pixels) {
    m_scroll = pixels;
    updateScrollBar();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

RECT SymbolGrid::cellRect(int cell) const {
    if (cell < 0 || cell >= static_cast<int>(m_cells.size())) {
        return {};
    }
    const Rect& r = m_cells[static_cast<std::size_t>(cell)].rect;
    return {scale(r.left), scale(r.top) - m_scroll, scale(r.left + r.width),
            scale(r.top + r.height) - m_scroll};
}

int SymbolGrid::cellAt(POINT point) const {
    for (int i = 0; i < static_cast<int>(m_cells.size()); ++i) {
        const RECT r = cellRect(i);
        if (PtInRect(&r, point)) {
            return i;
        }
    }
    return -1;
}

void SymbolGrid::invalidateCell(int cell) {
    if (cell >= 0) {
        const RECT r = cellRect(cell);
        InvalidateRect(m_hwnd, &r, FALSE);
    }
}

void SymbolGrid::setCurrent(int cell) {
    invalidateCell(m_current);
    m_current = cell >= 0 && cell < static_cast<int>(m_cells.size()) ? cell : -1;
    if (m_current < 0) {
        return;
    }
    invalidateCell(m_current);
    // Into view, with room for a group title above it.
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const RECT r = cellRect(m_current);
    const int above = scale(kGroupTitleHeight);
    if (r.top - above < 0) {
        scrollTo(m_scroll + r.top - above);
    } else if (r.bottom > client.bottom) {
        scrollTo(m_scroll + r.bottom - client.bottom);
    }
}

void SymbolGrid::setHover(int cell) {
    if (cell != m_hover) {
        invalidateCell(m_hover);
        m_hover = cell;
        invalidateCell(m_hover);
    }
}

void SymbolGrid::paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, m_titleFont);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    for (const GridTitle& title : m_titles) {
        RECT r{scale(title.rect.left), scale(title.rect.top) - m_scroll,
               scale(title.rect.left + title.rect.width),
               scale(title.rect.top + title.rect.height) - m_scroll};
        DrawTextW(dc, title.text.c_str(), static_cast<int>(title.text.size()), &r,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SetTextColor(dc, RGB(0x1a, 0x1a, 0x1a));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    for (int i = 0; i < static_cast<int>(m_cells.size()); ++i) {
        RECT r = cellRect(i);
        if (r.bottom < client.top || r.top > client.bottom) {
            continue;
        }
        if (i == m_current) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
            FrameRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        } else if (i == m_hover) {
            DrawEdge(dc, &r, i == m_pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        const std::wstring& glyph = m_cells[static_cast<std::size_t>(i)].glyph;
        const Placing& placed = placing(glyph, {r.right - r.left, r.bottom - r.top});
        SelectObject(dc, placed.font);
        TextOutW(dc, r.left + placed.x, r.top + placed.baseline, glyph.c_str(),
                 static_cast<int>(glyph.size()));
    }
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    SelectObject(dc, old);
}

LRESULT SymbolGrid::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_NCCREATE:
        m_hwnd = hwnd;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        RECT client{};
        GetClientRect(m_hwnd, &client);
        // Drawn off screen first: a scroll repaints every cell.
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = SelectObject(buffer, bitmap);
        paint(buffer, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
        DeleteObject(bitmap);
        DeleteDC(buffer);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        updateScrollBar();
        return 0;
    case WM_VSCROLL: {
        const int to = scrollRequestTarget(m_hwnd, SB_VERT, wParam, m_scroll, scale(kCellHeight));
        scrollTo(to);
        return 0;
    }
    case WM_MOUSEWHEEL:
        scrollTo(m_scroll -
                 MulDiv(GET_WHEEL_DELTA_WPARAM(wParam), scale(kCellHeight) * 3, WHEEL_DELTA));
        return 0;
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hwnd, 0};
        TrackMouseEvent(&track);
        setHover(cellAt(at));
        return 0;
    }
    case WM_MOUSELEAVE:
        if (GetCapture() != m_hwnd) {
            setHover(-1);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // No SetFocus: the focus stays where the user left it.
        m_pressed = cellAt(at);
        SetCapture(m_hwnd);
        invalidateCell(m_pressed);
        return 0;
    case WM_LBUTTONUP: {
        const int pressed = m_pressed;
        m_pressed = -1;
        ReleaseCapture();
        invalidateCell(pressed);
        if (pressed >= 0 && cellAt(at) == pressed && clicked) {
            clicked(pressed);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        m_pressed = -1;
        return 0;
    case WM_CONTEXTMENU: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        POINT client = screen;
        ScreenToClient(m_hwnd, &client);
        const int cell = cellAt(client);
        if (cell >= 0 && menuRequested) {
            menuRequested(cell, screen);
        }
        return 0;
    }
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            return answerGetObject(accessible(), wParam, lParam);
        }
        break;
    case kClickCellMessage:
        if (static_cast<int>(wParam) < static_cast<int>(m_cells.size()) && clicked) {
            clicked(static_cast<int>(wParam));
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace korv::win32
