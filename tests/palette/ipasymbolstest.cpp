// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "ipasymbols.h"
#include "utf16.h"

namespace korv {
namespace {

struct UnicodeChar {
    std::string name;
    std::string category;
};

// Debian's unicode-data: the character database the table's code points and names come from.
std::map<char32_t, UnicodeChar> readUnicodeData() {
    std::map<char32_t, UnicodeChar> chars;
    std::ifstream file("/usr/share/unicode/UnicodeData.txt");
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string code, name, category;
        std::getline(fields, code, ';');
        std::getline(fields, name, ';');
        std::getline(fields, category, ';');
        chars[static_cast<char32_t>(std::stoul(code, nullptr, 16))] = {name, category};
    }
    return chars;
}

TEST(IpaSymbols, CodePointsAndNamesAreUnicodes) {
    const auto unicode = readUnicodeData();
    ASSERT_FALSE(unicode.empty())
        << "/usr/share/unicode/UnicodeData.txt is missing: install unicode-data";
    for (const IpaSymbol& symbol : ipaSymbols()) {
        SCOPED_TRACE(std::string(symbol.name));
        std::string names;
        bool first = true;
        forEachCodePoint(symbol.chars, [&](char32_t cp) {
            const auto found = unicode.find(cp);
            ASSERT_NE(found, unicode.end()) << codePointText(symbol);
            names += (first ? "" : " + ") + found->second.name;
            const bool combining = found->second.category == "Mn" || found->second.category == "Me";
            EXPECT_EQ(isCombiningMark(cp), combining) << found->second.name;
            first = false;
        });
        EXPECT_EQ(names, symbol.unicodeNames);
    }
}

TEST(IpaSymbols, RowsAreUniqueAndInChartOrder) {
    std::set<std::u16string_view> chars;
    std::set<std::string_view> spellings;
    std::set<std::string_view> names;
    int section = 0;
    for (const IpaSymbol& symbol : ipaSymbols()) {
        SCOPED_TRACE(std::string(symbol.name));
        EXPECT_TRUE(chars.insert(symbol.chars).second) << "symbol twice";
        EXPECT_TRUE(names.insert(symbol.name).second) << "name twice";
        for (const std::string_view spelling : xsampaSpellings(symbol)) {
            EXPECT_TRUE(spellings.insert(spelling).second) << "X-SAMPA twice: " << spelling;
        }
        // Sections follow one another without coming back, and none is empty.
        const int current = static_cast<int>(symbol.section);
        EXPECT_TRUE(current == section || current == section + 1) << sectionTitle(symbol.section);
        section = current;
    }
    EXPECT_EQ(section, kIpaSectionCount - 1);
}

TEST(IpaSymbols, MarksShowOnDottedCircles) {
    const struct {
        std::u16string_view chars;
        std::u16string shown;
    } cases[] = {
        {u"\u0325", u"\u25CC\u0325"},       // voiceless
        {u"\u0361", u"\u25CC\u0361\u25CC"}, // tie bar
        {u"\u1DC4", u"\u25CC\u1DC4"},       // high rising
        {u"ʰ", u"ʰ"},                       // a letter of its own
        {u"˥", u"˥"},
    };
    for (const auto& c : cases) {
        bool found = false;
        for (const IpaSymbol& symbol : ipaSymbols()) {
            if (symbol.chars == c.chars) {
                EXPECT_EQ(displayText(symbol), c.shown) << symbol.name;
                found = true;
            }
        }
        EXPECT_TRUE(found) << codePointText({IpaSection::Other, c.chars, "", "", ""});
    }
}

} // namespace
} // namespace korv
