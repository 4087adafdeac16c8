// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <X11/Xlib.h>

namespace korv::platform {

/// The values of a window's 32-bit property of the given type (AnyPropertyType for any), at most
/// maxCount of them; empty when it is missing or of another format.
std::vector<unsigned long> listProperty(Display* dpy, Window window, Atom property, Atom type,
                                        long maxCount = 4096);

/// _NET_ACTIVE_WINDOW's source indication for a pager: a request on the user's behalf, which
/// window managers honour without their focus-stealing rules.
constexpr long kSourcePager = 2;

/// Asks the window manager, as a pager does, to activate window; requester is the caller's
/// active window, or None.
void requestActivation(Display* dpy, Window window, Window requester = None);

} // namespace korv::platform
