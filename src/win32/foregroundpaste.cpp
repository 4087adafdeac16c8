// SPDX-License-Identifier: GPL-3.0-or-later
#include "foregroundpaste.h"

#include "pastekeys.h"

#include <array>

namespace korv::win32 {

void ForegroundPasteTarget::trackForeground() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    // Only a window the user types in can be the target: not the desktop, a tool window, a menu
    // or the notification area's own windows.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(foreground, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(foreground, GWL_EXSTYLE));
    // Wine reports its notification-area icons, child windows, as foreground at times.
    const bool captionlessPopup =
        (style & WS_CHILD) != 0 || ((style & WS_POPUP) != 0 && (style & WS_CAPTION) == 0);
    if (foreground != nullptr && process != GetCurrentProcessId() && IsWindowVisible(foreground) &&
        foreground != GetDesktopWindow() && (exStyle & WS_EX_TOOLWINDOW) == 0 &&
        !captionlessPopup) {
        m_previous = foreground;
    }
}

void ForegroundPasteTarget::pasteIntoPreviousWindow(std::uintptr_t, Done done) {
    done(paste() ? platform::PasteResult::Pasted : platform::PasteResult::NotSwitched);
}

bool ForegroundPasteTarget::paste() {
    const std::array<KeyEvent, 8> events = buildAutoPasteKeys([](char c) { return VkKeyScanA(c); });
    // Where the previous window is known it is activated directly and only Ctrl+V is sent: a
    // synthesised Alt+Tab may be taken by a window manager of its own.
    std::size_t first = 0;
    if (m_previous != nullptr && IsWindow(m_previous) && SetForegroundWindow(m_previous)) {
        first = 4;
        // The switch completes through the window manager, which may be slow: the keys must not
        // arrive before it. Only sent messages are handled meanwhile (the activation's), no input.
        for (int waited = 0; GetForegroundWindow() != m_previous && waited < 2000; waited += 20) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        if (GetForegroundWindow() != m_previous) {
            // Ctrl+V would land in this window; the copy stays on the clipboard for the user.
            return false;
        }
    }
    for (std::size_t i = first; i < events.size(); ++i) {
        keybd_event(events[i].vk, events[i].scan, events[i].flags, events[i].extra);
    }
    return true;
}

} // namespace korv::win32
