// SPDX-License-Identifier: GPL-3.0-or-later
// The Wayland module's entries: all it shows the program.
#include "compositormodule.h"

#include <type_traits>

#include "waylandkeyboardfocus.h"
#include "wlrootspastetarget.h"

using korv::platform::CompositorKeys;
using korv::platform::FocusProbe;
using korv::platform::KeyboardFocusProbe;

extern "C" __attribute__((visibility("default"))) CompositorKeys*
korv_make_compositor_keys(const FocusProbe& focus) {
    return new korv::platform::WlrootsPasteTarget(focus);
}

extern "C" __attribute__((visibility("default"))) KeyboardFocusProbe*
korv_make_keyboard_focus_probe() {
    return new korv::platform::WaylandKeyboardFocus;
}

// Checked where both are defined: the program calls through these types.
static_assert(
    std::is_same_v<decltype(&korv_make_compositor_keys), korv::platform::MakeCompositorKeys>);
static_assert(std::is_same_v<decltype(&korv_make_keyboard_focus_probe),
                             korv::platform::MakeKeyboardFocusProbe>);
