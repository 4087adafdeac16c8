// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "windowhandle.h"

namespace korv::platform {

/// Locks a window's size through the window manager's Motif hints: the resize, minimise and
/// maximise functions and their title-bar buttons are withdrawn. Under KWin, which offers
/// Minimize to every normal window and dialog whatever its hints say, a window that withholds
/// the function is shown as a utility window instead.
class X11SizeLock final {
public:
    X11SizeLock();
    ~X11SizeLock();
    X11SizeLock(const X11SizeLock&) = delete;
    X11SizeLock& operator=(const X11SizeLock&) = delete;

    /// Withdraws the three functions from window; nothing without an X11 display.
    void lock(WindowHandle window);

private:
    class KWinTyping;
    std::unique_ptr<KWinTyping> m_kwinTyping;
};

} // namespace korv::platform
