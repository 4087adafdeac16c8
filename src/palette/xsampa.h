// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace korv {

// X-SAMPA to IPA by longest match over the symbol table's X-SAMPA spellings ("t_h" gives tʰ,
// "r\`" ɻ); whatever is not X-SAMPA stays as it is.
std::u16string xsampaToIpa(std::u16string_view text);

} // namespace korv
