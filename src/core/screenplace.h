// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "layout.h"
#include "paletteview.h"

namespace korv {

// The strip at the top of a window's frame that must lie on a screen for the user to find the
// window and drag it: no title bar of a desktop we know is lower, and this much of its width is
// enough to grab. In screen pixels.
inline constexpr int kTitleStripHeight = 20;
inline constexpr int kTitleStripGrab = 40;

/// Where a window whose frame would be at frame goes: there, if its title bar shows on a work
/// area; else onto the work area nearest to it, moved as little as the whole frame needs (to the
/// area's top-left corner where the frame is larger). With no work areas known, there.
ScreenPosition placeOnScreens(const Rect& frame, std::span<const Rect> workAreas);

} // namespace korv
