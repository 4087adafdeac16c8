// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// The parts of the IPA chart, in the chart's order, and what linguists use beside it.
enum class IpaSection {
    Pulmonic,
    NonPulmonic,
    Other,
    Vowels,
    Diacritics,
    Suprasegmentals,
    Tones,
    Superscripts,
    Ligatures,
    ExtIpa,
};
inline constexpr int kIpaSectionCount = 10;

std::string_view sectionTitle(IpaSection section);

struct IpaSymbol {
    IpaSection section;
    std::u16string_view chars; // what a click inserts
    // X-SAMPA spellings, the usual one first, separated by spaces; empty when there is none.
    std::string_view xsampa;
    // The name the IPA chart gives; a usual second name may follow in brackets.
    std::string_view name;
    std::string_view unicodeNames; // of each character, joined by " + "
};

// Every symbol, grouped by section in chart order.
std::span<const IpaSymbol> ipaSymbols();

// What linguists call a symbol besides its chart name, for the search: phrases separated by "|".
struct IpaAlias {
    std::u16string_view chars; // a symbol of ipaSymbols()
    std::string_view names;    // letter names and usual terms: "esh", "length mark"
    std::string_view examples; // words with the sound, beside those of the chart buttons' hints
};
std::span<const IpaAlias> ipaAliases();

// A word linguists type for words of the chart's names: "stop" for "plosive".
struct IpaWordSynonym {
    std::string_view word;
    std::string_view chartWords; // separated by spaces
};
std::span<const IpaWordSynonym> ipaWordSynonyms();

// Words every symbol of a section answers to, below its own names: "tone" for the tone marks.
std::string_view sectionWords(IpaSection section);

// True for a mark that combines with the character before it (categories Mn and Me).
bool isCombiningMark(char32_t cp);

// Whether the symbol is a mark to put on the character before the caret.
bool attachesToPrevious(const IpaSymbol& symbol);

// What a button shows: a mark sits on a dotted circle (two for a tie bar), as charts print it.
std::u16string displayText(const IpaSymbol& symbol);
// The same for any symbol the user keeps or used: one that begins with a mark is drawn on its
// circle, else as it is.
std::u16string displayText(std::u16string_view chars);

// The X-SAMPA spellings, the usual one first; and that one alone, or empty.
std::vector<std::string_view> xsampaSpellings(const IpaSymbol& symbol);
std::string_view usualXsampa(const IpaSymbol& symbol);

// "U+0263" for each character, separated by spaces.
std::string codePointText(const IpaSymbol& symbol);
// The same for any characters: "U+0074 U+0283".
std::string codePointText(std::u16string_view chars);

} // namespace korv
