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

template <typename Handler> struct HandlerOwner;
template <typename Owner> struct HandlerOwner<LRESULT (Owner::*)(HWND, UINT, WPARAM, LPARAM)> {
    using type = Owner;
};

/// The window procedure of a class whose windows each belong to an object: every message from
/// WM_NCCREATE on goes to that object's Handle member (say &SymbolGrid::handle), the rest to the
/// system. The object is CreateWindowExW's last argument; a window whose user data is cleared
/// (its object gone first) is left to the system too.
template <auto Handle>
LRESULT CALLBACK ownedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    using Owner = typename HandlerOwner<decltype(Handle)>::type;
    Owner* owner = windowOwner<Owner>(hwnd, message, lParam);
    if (owner == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return (owner->*Handle)(hwnd, message, wParam, lParam);
}

} // namespace korv::win32
