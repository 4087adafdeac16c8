// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace korv::win32 {

/// Where a WM_VSCROLL or WM_HSCROLL request on bar (SB_VERT or SB_HORZ) of hwnd asks to scroll
/// to, from the current offset, a line of the given pixels and the bar's own page and range.
inline int scrollRequestTarget(HWND hwnd, int bar, WPARAM wParam, int current, int line) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, bar, &info);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        return current - line;
    case SB_LINEDOWN:
        return current + line;
    case SB_PAGEUP:
        return current - static_cast<int>(info.nPage);
    case SB_PAGEDOWN:
        return current + static_cast<int>(info.nPage);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return info.nTrackPos;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return info.nMax;
    default:
        return current;
    }
}

} // namespace korv::win32
