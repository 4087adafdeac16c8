// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolgrid.h"

#include "gridaccessible.h"
#include "symbollayout.h"
#include "windowowner.h"

#include <windowsx.h>

#include <algorithm>

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
    m_glyphFont = glyphFont;
    m_titleFont = titleFont;
    m_dpi = dpi;
    updateScrollBar();
    InvalidateRect(m_hwnd, nullptr, FALSE);
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
    SelectObject(dc, m_glyphFont);
    SetTextColor(dc, RGB(0x1a, 0x1a, 0x1a));
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
        DrawTextW(dc, glyph.c_str(), static_cast<int>(glyph.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
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
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(m_hwnd, SB_VERT, &info);
        const int line = scale(kCellHeight);
        int to = m_scroll;
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            to -= line;
            break;
        case SB_LINEDOWN:
            to += line;
            break;
        case SB_PAGEUP:
            to -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            to += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            to = info.nTrackPos;
            break;
        case SB_TOP:
            to = 0;
            break;
        case SB_BOTTOM:
            to = info.nMax;
            break;
        default:
            break;
        }
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
