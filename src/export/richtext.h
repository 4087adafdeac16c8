// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace korv {

inline constexpr std::string_view UnicodeFontFace{"Lucida Sans Unicode"};
// Text for this face holds legacy font codes, which the rich-text writers send as the byte
// positions of the 8-bit font.
inline constexpr std::string_view KorvaniFontFace{"Korvani"};

// Point sizes the writers accept; anything else throws std::invalid_argument.
inline constexpr int MinFontPoints = 1;
inline constexpr int MaxFontPoints = 1638;

// A complete RTF document holding the text as one run in the given face and point size.
std::string buildRtf(std::u16string_view text, std::string_view face, int points);

// A UTF-8 HTML fragment holding the text in a single span in the given face and point size.
std::string buildHtml(std::u16string_view text, std::string_view face, int points);

} // namespace korv
