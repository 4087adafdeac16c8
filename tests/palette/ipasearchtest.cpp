// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "ipasearch.h"
#include "ipasymbols.h"
#include "symboltable.h"
#include "symboltag.h"
#include "utf16.h"

namespace korv {
namespace {

struct FirstResult {
    std::u16string_view query;
    std::u16string_view first;
};

// Each query's first result is the symbol expected.
template <std::size_t N> void expectFirstResults(const FirstResult (&cases)[N]) {
    const auto symbols = ipaSymbols();
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.query));
        const auto results = searchSymbols(c.query);
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(toUtf8(symbols[results.front()].chars), toUtf8(c.first))
            << symbols[results.front()].name << ": " << whyFound(c.query, results.front());
    }
}

TEST(IpaSearch, TheSymbolThatComesFirst) {
    const FirstResult cases[] = {
        // pulmonic consonants: names, order, case, hyphens, prefixes, symbol, X-SAMPA, code point
        {u"voiced velar fricative", u"ɣ"},
        {u"fricative velar voiced", u"ɣ"},
        {u"Voi-ced VEL fric", u"ɣ"},
        {u"ɣ", u"ɣ"},
        {u"G", u"ɣ"},
        {u"U+0263", u"ɣ"},
        {u"u+0263", u"ɣ"},
        {u"0263", u"ɣ"},
        {u"gamma", u"ɣ"},
        {u"retroflex nasal", u"ɳ"},
        {u"glottal stop", u"ʔ"},
        {u"r\\`", u"ɻ"},
        {u"g", u"ɡ"},
        // non-pulmonic
        {u"post-alveolar click", u"ǃ"},
        {u"postalveolar click", u"ǃ"},
        {u"(post)alveolar click", u"ǃ"},
        {u"implosive bilabial", u"ɓ"},
        {u"ejective", u"ʼ"},
        {u"velar ejective", u"kʼ"},
        // other symbols
        {u"epiglottal plosive", u"ʡ"},
        {u"alveolo-palatal voiced", u"ʑ"},
        {u"tie bar", u"\u0361"},
        {u"_", u"\u0361"},
        // vowels
        {u"close front unrounded vowel", u"i"},
        {u"schwa", u"ə"},
        {u"open back rounded", u"ɒ"},
        {u"{", u"æ"},
        // diacritics, British and American
        {u"centralised", u"\u0308"},
        {u"centralized", u"\u0308"},
        {u"labialised", u"ʷ"},
        {u"breathy", u"\u0324"},
        {u"_0", u"\u0325"},
        {u"dental", u"\u032A"}, // the whole name before "voiceless dental fricative"
        // suprasegmentals
        {u"primary stress", u"ˈ"},
        {u"\"", u"ˈ"},
        {u"long", u"ː"},
        {u"half long", u"ˑ"},
        // tones and word accents
        {u"high", u"\u0301"}, // the whole name before "extra high"
        {u"downstep", u"ꜜ"},
        {u"rising falling", u"\u1DC8"},
        // superscripts, ligatures, extIPA
        {u"breathy-voiced aspiration", u"ʱ"},
        {u"tesh", u"ʧ"},
        {u"r-colored", u"ɚ"},
        {u"r coloured", u"ɚ"},
        {u"velodorsal nasal", u"\U0001DF07"},
        {u"U+1DF04", u"\U0001DF04"},
        {u"dentolabial", u"\u0346"},
        {u"whistled", u"\u034E"},
    };
    expectFirstResults(cases);
}

// What a linguist types, and the symbol Return should insert: the words of textbooks and field
// notes, letter names, example words, slips, and code points as they are written.
TEST(IpaSearch, WhatALinguistTypesFindsTheSymbolMeant) {
    const FirstResult cases[] = {
        {u"ng", u"ŋ"},
        {u"ash", u"æ"},
        {u"stop", u"p"}, // plosives, not only the glottal stop
        {u"velar stop", u"k"},
        {u"high front unrounded", u"i"},
        {u"low back rounded", u"ɒ"},
        {u"high-mid back rounded", u"o"},
        {u"glide", u"j"},
        {u"semivowel", u"j"},
        {u"rhotacized", u"˞"},
        {u"r-colored schwa", u"ɚ"},
        {u"long vowel", u"ː"},
        {u"length", u"ː"},
        {u"palatal click", u"ǂ"},
        {u"voiced pharyngeal approximant", u"ʕ"},
        {u"esh", u"ʃ"}, // not the superscript ᶴ
        {u"ezh", u"ʒ"},
        {u"yogh", u"ʒ"},
        {u"eng", u"ŋ"},
        {u"engma", u"ŋ"},
        {u"theta", u"θ"}, // not ᶿ
        {u"eth", u"ð"},
        {u"schwa", u"ə"},
        {u"barred i", u"ɨ"},
        {u"turned a", u"ɐ"},
        {u"labialised", u"ʷ"},
        {u"nasalised", u"\u0303"},
        {u"velarised", u"ˠ"},
        {u"pharyngealised", u"ˤ"},
        {u"r-coloured", u"ɚ"},
        {u"cup", u"ʌ"},
        {u"ship", u"ʃ"},
        {u"vision", u"ʒ"},
        {u"sing", u"ŋ"},
        {u"bleu", u"ø"},
        {u"fricitive", u"ɸ"},
        {u"lateral fricitive", u"ɬ"},
        {u"retroflx nasal", u"ɳ"},
        {u"velar", u"k"}, // a velar consonant, not ᵑ "prenasalized (velar)"
        {u"tone", u"˥"},
        {u"U+283", u"ʃ"},
        {u"0x0283", u"ʃ"},
        {u"\\u0283", u"ʃ"},
        {u"\\U0001DF04", u"\U0001DF04"},
        {u"◌̃", u"\u0303"},
        {u"acute", u"\u0301"}, // not ◌̋, the double acute
        {u"release", u"\u031A"},
        {u"nasal release", u"ⁿ"},
        {u"tilde", u"\u0303"}, // not ◌̰, the tilde below
        {u"click", u"ǃ"},
        {u"alveolar click", u"ǃ"},
        {u"lateral click", u"ǁ"},
        {u"aspiration", u"ʰ"},
        {u"flap", u"ɾ"},
        {u"chao", u"˥"},
        {u"dipping", u"\u1DC9"},
        {u"affricate", u"t\u0361s"},
        {u"voiceless postalveolar affricate", u"t\u0361ʃ"},
        {u"chain", u"t\u0361ʃ"},
        {u"retroflex implosive", u"ᶑ"},
        {u"apical", u"\u033A"},
        {u"apical vowel", u"ɿ"},
        {u"high rising tone letters", u"˦˥"},
        {u"upper pharyngeal", u"ꞯ"},
    };
    expectFirstResults(cases);
}

std::size_t indexOf(std::u16string_view chars) {
    const auto symbols = ipaSymbols();
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (symbols[i].chars == chars) {
            return i;
        }
    }
    return symbols.size();
}

std::size_t positionIn(const std::vector<std::size_t>& results, std::u16string_view chars) {
    return static_cast<std::size_t>(std::find(results.begin(), results.end(), indexOf(chars)) -
                                    results.begin());
}

TEST(IpaSearch, BothOfTwoKindsAreFoundInTheRightOrder) {
    const struct {
        std::u16string_view query;
        std::u16string_view before;
        std::u16string_view after;
    } cases[] = {
        {u"tone", u"˥", u"\u030B"},     // tone letters, and the tone marks too
        {u"alveola", u"ɹ", u"ɕ"},       // a prefix before a slip ("alveolo-palatal")
        {u"esh", u"ʃ", u"ᶴ"},           // a letter before its superscript
        {u"velar", u"ɰ", u"ᵑ"},         // its own name before its brackets
        {u"rhotacized", u"ɚ", u"ɝ"},    // r-coloured vowels, by the chart's order
        {u"stop", u"p", u"ʔ"},          // all plosives, the glottal stop among them
        {u"high", u"\u0301", u"i"},     // the high tone, and close vowels
        {u"cat", u"k", u"æ"},           // the example of two chart buttons
        {u"superscript h", u"ʰ", u"ʱ"}, // the superscript when it is asked for
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.query));
        const auto results = searchSymbols(c.query);
        const std::size_t before = positionIn(results, c.before);
        const std::size_t after = positionIn(results, c.after);
        EXPECT_LT(before, results.size()) << toUtf8(c.before) << " not found";
        EXPECT_LT(after, results.size()) << toUtf8(c.after) << " not found";
        EXPECT_LT(before, after);
    }
}

// Each chart button's example word finds the symbol the button inserts, as its hint says.
TEST(IpaSearch, ChartButtonsExampleWordsFindTheirSymbols) {
    int checked = 0;
    for (const SymbolButtonEntry& button : kSymbolButtons) {
        const std::size_t symbol = indexOf(symbolOfTag(button.tag));
        const std::string_view hint = button.hint;
        const std::size_t in = hint.find(" in ");
        const std::string example(in == std::string_view::npos
                                      ? hint
                                      : hint.substr(in + 4, hint.find(' ', in + 4) - in - 4));
        if (symbol == ipaSymbols().size() || example.empty() ||
            (in == std::string_view::npos && hint.find(' ') != std::string_view::npos)) {
            continue;
        }
        SCOPED_TRACE(std::string(button.name) + " " + example);
        const auto results = searchSymbols(fromUtf8(example));
        EXPECT_NE(std::find(results.begin(), results.end(), symbol), results.end());
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

TEST(IpaSearch, WhyEachResultWasFound) {
    const struct {
        std::u16string_view query;
        std::u16string_view symbol;
        std::string_view why;
    } cases[] = {
        {u"ɣ", u"ɣ", "the symbol itself"},
        {u"G", u"ɣ", "its X-SAMPA, G"},
        {u"u+263", u"ɣ", "its code point, U+0263"},
        {u"dental", u"\u032A", "its name, “dental”"},
        {u"esh", u"ʃ", "another name for it, “esh”"},
        {u"latin small letter gamma", u"ɣ", "its Unicode name, LATIN SMALL LETTER GAMMA"},
        {u"velar stop", u"k", "“velar” is in its name; “stop” stands for “plosive”, in its name"},
        {u"fric velar", u"x", "“fric” begins “fricative”, in its name; “velar” is in its name"},
        {u"fricitive", u"x", "“fricitive” taken for “fricative”, in its name"},
        {u"cup", u"ʌ", "“cup” is an example word"},
        {u"velar", u"ᵑ", "“velar” is in brackets in its name"},
        {u"tone", u"\u030B", "“tone” is the name of its group"},
        {u"gamma", u"ˠ", "“gamma” is in its Unicode name"},
        {u"fricative", u"ɚ", ""},
        {u"", u"ɚ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.query));
        EXPECT_EQ(whyFound(c.query, indexOf(c.symbol)), c.why);
    }
    EXPECT_EQ(whyFound(u"velar", ipaSymbols().size()), "");
}

// The data beside the table: an alias of a symbol the table lacks, or a synonym no name uses,
// would be dropped without a word.
TEST(IpaSearch, AliasesAndSynonymsPointIntoTheTable) {
    for (const IpaAlias& alias : ipaAliases()) {
        EXPECT_LT(indexOf(alias.chars), ipaSymbols().size()) << toUtf8(alias.chars);
    }
    for (const IpaWordSynonym& synonym : ipaWordSynonyms()) {
        EXPECT_FALSE(
            searchSymbols(fromUtf8(synonym.chartWords.substr(0, synonym.chartWords.find(' '))))
                .empty())
            << synonym.word;
        EXPECT_FALSE(searchSymbols(fromUtf8(synonym.word)).empty()) << synonym.word;
    }
}

TEST(IpaSearch, NothingFoundForWhatNoNameHolds) {
    for (const std::u16string_view query :
         {u"", u"  ", u"xyzzy", u"voiced xyzzy", u"U+FFFF", u"U+110000", u"nasl"}) {
        EXPECT_TRUE(searchSymbols(query).empty()) << toUtf8(query);
    }
}

} // namespace
} // namespace korv
