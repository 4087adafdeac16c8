// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace korv::win32 {

// The object a window was created for (CreateWindowExW's last argument), kept in the window's user
// data from WM_NCCREATE on; null for the few messages that come before it.
template <typename Owner> Owner* windowOwner(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

} // namespace korv::win32
