// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// The symbols a query finds, as indexes into ipaSymbols(), best first. Every word of the query
// must begin a word of the symbol's names, in any order, whatever the case, hyphens, brackets or
// British or American spelling; a word the table's synonyms know stands for the chart's word
// ("stop" for "plosive"), and a word of five letters or more with one letter wrong, missing or
// extra still finds. The symbol itself, one of its X-SAMPA spellings or its code point ("U+0263",
// "U+263", "0x0263", "\u0263", "0263") rank first; then a whole name, its own or another the
// table gives it ("esh", "long vowel"); then names holding the query's words whole (a part of a
// hyphenated word counting less, and a word only in brackets, an example word or the section's
// words less again), then prefixes, then near misses; within each, a match in the phonetic names
// alone before one that needs the Unicode names, a letter before a superscript, then the chart's
// order.
std::vector<std::size_t> searchSymbols(std::u16string_view query);

// Why the symbol at `index` of ipaSymbols() answers `query`, in words for a tooltip or a screen
// reader ("its X-SAMPA", "“stop” stands for “plosive”, in its name"); empty when it does not.
std::string whyFound(std::u16string_view query, std::size_t index);

} // namespace korv
