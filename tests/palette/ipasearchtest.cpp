// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ipasearch.h"
#include "ipasymbols.h"
#include "utf16.h"

namespace korv {
namespace {

TEST(IpaSearch, TheSymbolThatComesFirst) {
    const struct {
        std::u16string_view query;
        std::u16string_view first;
    } cases[] = {
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
    const auto symbols = ipaSymbols();
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.query));
        const auto results = searchSymbols(c.query);
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(toUtf8(symbols[results.front()].chars), toUtf8(c.first))
            << symbols[results.front()].name;
    }
}

TEST(IpaSearch, NothingFoundForWhatNoNameHolds) {
    for (const std::u16string_view query : {u"", u"  ", u"xyzzy", u"voiced xyzzy", u"U+FFFF"}) {
        EXPECT_TRUE(searchSymbols(query).empty()) << toUtf8(query);
    }
}

} // namespace
} // namespace korv
