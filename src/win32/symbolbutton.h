// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace korv::win32 {

inline constexpr wchar_t kSymbolButtonClass[] = L"KorvSymbolButton";

// A flat chart button: its glyph drawn in the IPA face, a border only under the pointer, never
// the keyboard focus; a click on release sends WM_COMMAND with its id to the parent. The window's
// creation parameter is the MainWindow, its GWLP_USERDATA the index into the chart.
void registerSymbolButtonClass(HINSTANCE instance);

} // namespace korv::win32
