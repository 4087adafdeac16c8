// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "ipasymbols.h"
#include "utf16.h"
#include "xsampa.h"

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

// Pitch of a tone letter, 5 for ˥ down to 1 for ˩; 0 for any other character.
int pitch(char16_t letter) {
    return letter >= u'˥' && letter <= u'˩' ? 5 - (letter - u'˥') : 0;
}

// A row of several characters says the same as its X-SAMPA; a row of tone letters says what the
// X-SAMPA of its tone mark says: `_T` to `_B` are the levels ˥ to ˩, `_R` and `_F` a rise and a
// fall to the next letter.
TEST(IpaSymbols, SeveralCharactersAgreeWithTheirXsampa) {
    const auto symbols = ipaSymbols();
    int checked = 0;
    for (const IpaSymbol& row : symbols) {
        if (row.chars.size() < 2 || (row.chars.size() == 2 && isHighSurrogate(row.chars[0]))) {
            continue;
        }
        SCOPED_TRACE(std::string(row.name));
        ++checked;
        if (!row.xsampa.empty()) {
            for (const std::string_view spelling : xsampaSpellings(row)) {
                EXPECT_EQ(toUtf8(xsampaToIpa(std::u16string(spelling.begin(), spelling.end()))),
                          toUtf8(row.chars));
            }
            continue;
        }
        const std::string_view suffix = " (tone letters)";
        if (!row.name.ends_with(suffix)) {
            EXPECT_EQ(row.name, "sublaminal percussive click") << "a row with no X-SAMPA";
            continue;
        }
        const std::string_view markName = row.name.substr(0, row.name.size() - suffix.size());
        const auto mark = std::find_if(symbols.begin(), symbols.end(),
                                       [&](const IpaSymbol& s) { return s.name == markName; });
        ASSERT_NE(mark, symbols.end());
        std::string_view spelling = usualXsampa(*mark);
        std::size_t letter = 0;
        for (; spelling.size() >= 2 && letter < row.chars.size(); spelling.remove_prefix(2)) {
            const int at = pitch(row.chars[letter]);
            const std::size_t level = std::string_view("BLMHT").find(spelling[1]);
            const bool rises = spelling[1] == 'R';
            if (rises || spelling[1] == 'F') {
                ASSERT_LT(letter + 1, row.chars.size()) << spelling;
                const int next = pitch(row.chars[letter + 1]);
                EXPECT_TRUE(at != 0 && next != 0 && (rises ? next > at : next < at)) << spelling;
                // A contour's last letter is where the next contour starts.
                letter += spelling.size() > 2 ? 1 : 2;
            } else {
                ASSERT_NE(level, std::string_view::npos) << spelling;
                EXPECT_EQ(at, static_cast<int>(level) + 1) << spelling;
                ++letter;
            }
        }
        EXPECT_TRUE(spelling.empty() && letter == row.chars.size()) << usualXsampa(*mark);
    }
    EXPECT_GT(checked, 10);
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
