// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace korv::win32 {

/// Lets a push button be clicked without taking the keyboard focus, as a tool bar's buttons are:
/// the keys go on where the user was typing. Tab and Space still reach and press it.
void clickWithoutFocus(HWND button);

} // namespace korv::win32
