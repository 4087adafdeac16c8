// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace korv {

// The symbols a query finds, as indexes into ipaSymbols(), best first. Every word of the query
// must begin a word of the symbol's phonetic or Unicode name, in any order, whatever the case,
// hyphens, brackets or British or American spelling. The symbol itself, one of its X-SAMPA
// spellings or its code point ("U+0263", "0263") rank first, a whole name next, then names whose
// words the query spells out whole (a part of a hyphenated word counting less), then prefixes;
// within each, a match in the phonetic name alone before one that needs the Unicode names, and
// then the chart's order.
std::vector<std::size_t> searchSymbols(std::u16string_view query);

} // namespace korv
