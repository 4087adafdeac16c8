// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace korv {

// The two code units of a paired symbol, base first.
std::u16string pairedSymbol(char16_t base, char16_t second);

// Decodes a symbol tag into the one or two code units its button inserts.
// Up to 2000 the tag is the code unit itself; each band of 1000 above that
// appends a second character to the base (tag less the band's multiple).
std::u16string symbolOfTag(int tag);

} // namespace korv
