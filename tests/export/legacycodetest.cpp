// SPDX-License-Identifier: GPL-3.0-or-later
#include "legacycode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>

using namespace std::string_literals;

namespace {

// The legacy font's code table, code point to code.
const std::map<std::int32_t, std::int32_t> kTable = {
    {0x0078, 120}, {0x0079, 121}, {0x00E6, 190}, {0x00E7, 71},  {0x00F0, 182}, {0x00F8, 175},
    {0x014B, 247}, {0x0153, 70},  {0x0251, 197}, {0x0252, 129}, {0x0254, 191}, {0x0259, 196},
    {0x025B, 171}, {0x025C, 177}, {0x0265, 180}, {0x026A, 246}, {0x0272, 181}, {0x0283, 167},
    {0x028A, 172}, {0x028C, 195}, {0x028E, 241}, {0x0292, 189}, {0x0294, 214}, {0x02B0, 250},
    {0x02B3, 66},  {0x02B4, 67},  {0x02C8, 199}, {0x02CC, 200}, {0x02D0, 173}, {0x02D1, 174},
    {0x03B8, 160},
};

TEST(UnicodeToKorvaniCode, MapsExactlyTheTableRowsAndPassesEverythingElse) {
    ASSERT_EQ(kTable.size(), 31u);
    for (std::int32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto row = kTable.find(unit);
        const std::int32_t expected = row == kTable.end() ? unit : row->second;
        ASSERT_EQ(korv::UnicodeToKorvaniCode(unit), expected) << "U+" << std::hex << unit;
    }
}

TEST(UnicodeToKorvaniCode, ValuesOutsideOneCodeUnitPassUnchanged) {
    for (const std::int32_t value : {-1, 0x10000, 0x10283, -0x0283, std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()}) {
        EXPECT_EQ(korv::UnicodeToKorvaniCode(value), value) << value;
    }
}

struct ConversionCase {
    const char* name;
    std::u16string input;
    bool useUnicodeFont;
    std::u16string expected;
};

TEST(ConvertUnicodeToKorvaniString, Cases) {
    const ConversionCase cases[] = {
        {"empty, Unicode font", u"", true, u""},
        {"empty, legacy font", u"", false, u""},
        {"Unicode font keeps rows", u"\u0283i\u02D0", true, u"\u0283i\u02D0"},
        {"she-long", u"\u0283i\u02D0", false, u"\u00A7i\u00AD"},
        {"near diphthong", u"\u026A\u0259", false, u"\u00F6\u00C4"},
        {"affricate", u"d\u0292", false, u"d\u00BD"},
        {"think", u"\u02C8\u03B8\u026A\u014Bk", false, u"\u00C7\u00A0\u00F6\u00F7k"},
        {"x and y and other ASCII", u"xy/Bab", false, u"xy/Bab"},
        {"o-umlaut collides with small capital I", u"\u00F6\u026A", false, u"\u00F6\u00F6"},
        {"no rows above 0xFF", u"\u0253\u0250\u0434\u0301", false, u"\u0253\u0250\u0434\u0301"},
        {"surrogate pair", u"a\xD83D\xDE00z", false, u"a\xD83D\xDE00z"},
        {"lone surrogates", u"\xDC00\xD800", false, u"\xDC00\xD800"},
        {"NUL inside", u"\u0283\0\u0283"s, false, u"\u00A7\0\u00A7"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string result =
            korv::ConvertUnicodeToKorvaniString(c.input, c.useUnicodeFont);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(result.size(), c.input.size());
    }
}

} // namespace
