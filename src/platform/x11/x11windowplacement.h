// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windowplacement.h"
#include "x11sizelock.h"

namespace korv::platform {

/// X11 window managers place windows where the program asks and report where they are.
class X11WindowPlacement final : public WindowPlacement {
public:
    bool placesWindows() const override { return true; }
    /// The client's place on the screen less the frame the window manager reports around it.
    std::optional<FramePoint> framePosition(WindowHandle window) override;
    /// Asks the window manager through _NET_WM_DESKTOP, when the window is on another desktop.
    void moveToCurrentDesktop(WindowHandle window) override;
    /// _NET_ACTIVE_WINDOW as a pager sends it: window managers grant it to the user at once,
    /// where a program's own request would only make the window ask for attention.
    void activate(WindowHandle window) override;
    /// Read from _NET_ACTIVE_WINDOW.
    std::optional<bool> isActive(WindowHandle window) override;
    /// Through the Motif hints, as X11SizeLock explains.
    void lockSize(WindowHandle window) override { m_sizeLock.lock(window); }

private:
    X11SizeLock m_sizeLock;
};

} // namespace korv::platform
