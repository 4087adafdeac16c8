// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korv {

// The integer syntax of the settings files: optional leading blanks and sign, then decimal
// digits or hexadecimal ones after "$", "x", "X" or "0x"; the whole text, within 32 bits.
std::optional<std::int32_t> parseInteger(std::string_view text);

} // namespace korv
