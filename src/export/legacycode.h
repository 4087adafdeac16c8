// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korv {

// The code at which the legacy 8-bit IPA font "Korvani" draws the symbol of one UTF-16 code unit;
// any value without a table row, in or out of 0..65535, comes back unchanged.
std::int32_t UnicodeToKorvaniCode(std::int32_t codeUnit) noexcept;

// The text as it must leave the program for the chosen font: an unchanged copy for the Unicode
// font, otherwise the same number of code units with each one re-coded on its own.
std::u16string ConvertUnicodeToKorvaniString(std::u16string_view text, bool useUnicodeFont);

} // namespace korv
