// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <X11/Xlib.h>

namespace korv::platform {

/// The values of a window's 32-bit property of the given type (AnyPropertyType for any), at most
/// maxCount of them; empty when it is missing or of another format.
std::vector<unsigned long> listProperty(Display* dpy, Window window, Atom property, Atom type,
                                        long maxCount = 4096);

} // namespace korv::platform
