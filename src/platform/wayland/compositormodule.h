// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compositorclient.h"

// What the program and its Wayland module agree on; both are built together, from one source.
namespace korv::platform {

inline constexpr const char* kCompositorModule = "korvani-wayland.so";
inline constexpr const char* kMakeCompositorKeys = "korv_make_compositor_keys";
inline constexpr const char* kMakeKeyboardFocusProbe = "korv_make_keyboard_focus_probe";

using MakeCompositorKeys = CompositorKeys* (*)(const FocusProbe& focus);
using MakeKeyboardFocusProbe = KeyboardFocusProbe* (*)();

} // namespace korv::platform
