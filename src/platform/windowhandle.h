// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace korv::platform {

/// A top-level window as the desktop knows it (on X11, its window id); 0 for none.
using WindowHandle = std::uintptr_t;

} // namespace korv::platform
