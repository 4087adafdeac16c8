// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace korv::win32 {

// True when the current user belongs to the built-in Administrators group, enabled or not.
bool isAdministrator();

} // namespace korv::win32
