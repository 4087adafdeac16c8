// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolbutton.h"

#include "mainwindow.h"
#include "symboltable.h"
#include "symboltag.h"

namespace korv::win32 {

namespace {

constexpr wchar_t kFormProp[] = L"KorvForm";
constexpr wchar_t kHotProp[] = L"KorvHot";
constexpr wchar_t kDownProp[] = L"KorvDown";

bool flag(HWND hwnd, const wchar_t* name) {
    return GetPropW(hwnd, name) != nullptr;
}

void setFlag(HWND hwnd, const wchar_t* name, bool on) {
    if (flag(hwnd, name) != on) {
        SetPropW(hwnd, name, on ? reinterpret_cast<HANDLE>(1) : nullptr);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

bool pointerInside(HWND hwnd, LPARAM lParam) {
    RECT r{};
    GetClientRect(hwnd, &r);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, p) != 0;
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool hot = flag(hwnd, kHotProp);
    const bool down = flag(hwnd, kDownProp);
    if (hot) {
        DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const auto* form = reinterpret_cast<const MainWindow*>(GetPropW(hwnd, kFormProp));
    const auto index = static_cast<std::size_t>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form != nullptr && index < kSymbolButtons.size()) {
        const SymbolButtonEntry& entry = kSymbolButtons[index];
        const GlyphSize glyph = glyphSizeForButton(entry.width);
        const int margin = form->scale(entry.glyphMargin);
        RECT box{(r.right - form->scale(glyph.width)) / 2, margin, 0, 0};
        box.right = box.left + form->scale(glyph.width);
        if (entry.glyphAlign == GlyphAlign::Bottom) {
            box.bottom = r.bottom - margin;
            box.top = box.bottom - form->scale(glyph.height);
        } else {
            box.bottom = box.top + form->scale(glyph.height);
        }
        if (down && hot) {
            OffsetRect(&box, 1, 1);
        }
        const std::u16string text = symbolOfTag(entry.tag);
        const std::wstring wide(text.begin(), text.end());
        HGDIOBJ old = SelectObject(dc, form->glyphFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0x20, 0x20, 0x20));
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(dc, old);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetPropW(hwnd, kFormProp, reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        break;
    case WM_NCDESTROY:
        RemovePropW(hwnd, kFormProp);
        RemovePropW(hwnd, kHotProp);
        RemovePropW(hwnd, kDownProp);
        break;
    case WM_PAINT:
        paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE: {
        if (!flag(hwnd, kHotProp) || GetCapture() == hwnd) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
        }
        setFlag(hwnd, kHotProp, pointerInside(hwnd, lParam));
        return 0;
    }
    case WM_MOUSELEAVE:
        if (GetCapture() != hwnd) {
            setFlag(hwnd, kHotProp, false);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // No SetFocus: the focus stays where the user left it.
        SetCapture(hwnd);
        setFlag(hwnd, kDownProp, true);
        setFlag(hwnd, kHotProp, true);
        return 0;
    case WM_LBUTTONUP: {
        const bool clicked = flag(hwnd, kDownProp) && pointerInside(hwnd, lParam);
        setFlag(hwnd, kDownProp, false);
        ReleaseCapture();
        if (clicked) {
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        setFlag(hwnd, kDownProp, false);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

void registerSymbolButtonClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = buttonProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kSymbolButtonClass;
    RegisterClassExW(&wc);
}

} // namespace korv::win32
