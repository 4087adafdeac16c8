// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>

namespace korv::win32 {

/// The pixels a text darkens, from its pen's start on the baseline (right and bottom exclusive).
struct GlyphInk {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

/// Draws the text in the font off screen and finds its ink: the font's line box says nothing of a
/// tie bar high above the letters or a hook below them.
GlyphInk measureGlyphInk(HFONT font, const std::wstring& text);

} // namespace korv::win32
