// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace korv {

// What a symbol the user keeps or used is called: the table's name when it is one symbol of
// the IPA table, else the names of its parts, the longest symbol of the table at each place
// first, joined by " + ". A character the table lacks is named by its code point ("U+0283").
std::string symbolPartNames(std::u16string_view symbol);

} // namespace korv
