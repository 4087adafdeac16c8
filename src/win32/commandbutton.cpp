// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandbutton.h"

#include <commctrl.h>
#include <windowsx.h>

namespace korv::win32 {

namespace {

bool pointerInside(HWND button, LPARAM lParam) {
    RECT client{};
    GetClientRect(button, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, at) != FALSE;
}

// The button's own press would take the focus first; the press is played here instead, drawn by
// the button as its own.
LRESULT CALLBACK pressWithoutFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(hwnd);
        SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd) {
            SendMessageW(hwnd, BM_SETSTATE, pointerInside(hwnd, lParam) ? TRUE : FALSE, 0);
        }
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd) {
            const bool clicked = pointerInside(hwnd, lParam);
            ReleaseCapture();
            if (clicked) {
                SendMessageW(GetParent(hwnd), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                             reinterpret_cast<LPARAM>(hwnd));
            }
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void clickWithoutFocus(HWND button) {
    SetWindowSubclass(button, pressWithoutFocus, 1, 0);
}

} // namespace korv::win32
