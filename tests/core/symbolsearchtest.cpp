// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ipasymbols.h"
#include "symbolsearch.h"

namespace korv {
namespace {

TEST(SymbolSearchTest, ChoosingAndSteppingStayWithinTheResults) {
    SymbolSearch search;
    EXPECT_EQ(search.chosen(), -1); // a blank query chooses nothing
    EXPECT_EQ(search.cellCount(), ipaSymbols().size());
    search.step(-1);
    EXPECT_EQ(search.chosen(), 0);
    search.setQuery(u"velar");
    ASSERT_GT(search.cellCount(), 2U);
    EXPECT_EQ(search.chosen(), 0);
    search.step(-1);
    EXPECT_EQ(search.chosen(), 0);
    search.step(2);
    EXPECT_EQ(search.chosen(), 2);
    search.step(1000);
    EXPECT_EQ(search.chosen(), static_cast<int>(search.cellCount()) - 1);
    search.choose(static_cast<int>(search.cellCount()));
    EXPECT_EQ(search.chosen(), -1);
    EXPECT_TRUE(search.charsOf(-1).empty());
    search.setQuery(u"qqqq");
    EXPECT_EQ(search.groups().at(0).title, "Nothing found");
    EXPECT_EQ(search.chosen(), -1);
}

TEST(SymbolSearchTest, RecentLeadsOnlyWhileTheQueryIsBlank) {
    SymbolSearch search;
    search.setRecent({u"t\u0283\u02B0", u"\u0259"});
    ASSERT_TRUE(search.groups().at(0).recent);
    EXPECT_EQ(search.charsOf(0), u"t\u0283\u02B0");
    EXPECT_EQ(search.rowOf(0), -1);
    EXPECT_EQ(search.charsOf(2), ipaSymbols()[0].chars);
    EXPECT_EQ(search.rowOf(2), 0);
    search.setQuery(u"schwa");
    EXPECT_FALSE(search.groups().at(0).recent);
    search.setRecent({u"i"});
    EXPECT_FALSE(search.groups().at(0).recent);
    EXPECT_EQ(search.chosen(), 0);
}

} // namespace
} // namespace korv
