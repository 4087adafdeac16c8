// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string_view>

namespace korv::win32 {

/// Names a control for screen readers twice over: a zero-size label just before it, which MSAA
/// takes as its name, and the name set on the control itself through the system's accessibility
/// property service where there is one. Returns the label.
HWND nameForScreenReader(HWND control, std::string_view name);

} // namespace korv::win32
