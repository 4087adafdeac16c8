// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korv::win32 {

// The "HTML Format" clipboard bytes around a UTF-8 fragment: the header with its offsets.
std::string htmlClipboardFormat(std::string_view fragment);

// Puts the text on the clipboard as CF_UNICODETEXT, "Rich Text Format" and "HTML Format", the
// rich copies in the face and point size; false when the clipboard could not be opened.
bool putOnClipboard(HWND owner, std::u16string_view text, std::string_view face, int points);

} // namespace korv::win32
