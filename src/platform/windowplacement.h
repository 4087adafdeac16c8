// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "windowhandle.h"

namespace korv::platform {

/// The outer top-left corner of a window's frame, in screen pixels.
struct FramePoint {
    int x = 0;
    int y = 0;
};

/// Whether the desktop lets a program place its windows and tells it where they are.
class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    /// False where the compositor alone places windows and reports no position to the program.
    virtual bool placesWindows() const = 0;
    /// Where the window manager has put the window's frame, as asked of it, not as the toolkit
    /// reckons it; nullopt where it cannot tell.
    virtual std::optional<FramePoint> framePosition(WindowHandle /*window*/) {
        return std::nullopt;
    }
    /// Moves the window onto the desktop in view; nothing where there are no virtual desktops.
    virtual void moveToCurrentDesktop(WindowHandle /*window*/) {}
    /// Asks the window manager to raise the window and give it the focus on the user's behalf,
    /// past any rule against programs stealing the focus; nothing where no such request exists.
    virtual void activate(WindowHandle /*window*/) {}
    /// Whether the window manager holds the window as the active one now; nullopt where it
    /// cannot tell. The toolkit learns of a lost focus only after a delay.
    virtual std::optional<bool> isActive(WindowHandle /*window*/) { return std::nullopt; }
    /// Keeps the window manager from offering to resize, minimise or maximise the window, in its
    /// window menu and its title-bar buttons; nothing where the compositor decides that alone.
    virtual void lockSize(WindowHandle /*window*/) {}
};

} // namespace korv::platform
