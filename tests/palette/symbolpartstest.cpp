// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolparts.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(SymbolPartNamesTest, NamesTheSymbolOrItsParts) {
    const struct {
        std::u16string symbol;
        std::string names;
    } cases[] = {
        {u"ʃ", "voiceless postalveolar fricative"},
        {u"tʃʰ", "voiceless alveolar plosive + voiceless postalveolar fricative + aspirated"},
        {u"ŋ\u030D", "voiced velar nasal + syllabic (above a descender)"},
        {u"ˈ/", "primary stress + U+002F"},
        {u"\U0001F600", "U+1F600"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(symbolPartNames(c.symbol), c.names);
    }
}

} // namespace
} // namespace korv
