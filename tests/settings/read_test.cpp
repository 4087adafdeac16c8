// SPDX-License-Identifier: GPL-3.0-or-later
// Reading: names, blanks, quotes, length, defaults, duplicates and line ends, each case a file's
// contents and what one key reads as.

#include "settings/inifile.h"
#include "settings/settings.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

using namespace std::string_literals;
using test::TempFolder;
using test::writeBytes;

constexpr std::string_view kDef = "<default>";

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
};

std::string text(std::string_view s) {
    return std::string(s);
}

const std::string kLong3000 = std::string(3000, 'a');
// "é" (two bytes) straddling byte 2047: the cut keeps it whole or drops it whole.
const std::string kSplitChar = std::string(2046, 'a') + "\xC3\xA9" + "zz";

const ReadCase kReadCases[] = {
    {"exact", "[Korvani]\r\nHomepage=x\r\n", "Korvani", "Homepage", "x"},
    {"sectionCase", "[KORVANI]\r\nHomepage=x\r\n", "korvani", "Homepage", "x"},
    {"keyCase", "[Korvani]\r\nhOMEPAGE=x\r\n", "Korvani", "HomePage", "x"},
    {"nonAsciiCaseIsExact", "[Ä]\r\nk=x\r\n", "ä", "k", text(kDef)},
    {"blanksAroundEverything", "  [Korvani]  \r\n \t Homepage \t= \t a b \t\r\n", "Korvani",
     "Homepage", "a b"},
    {"blanksInsideBracketsDropped", "[ Korvani ]\r\nk=x\r\n", "Korvani", "k", "x"},
    {"blankBeforeClosingBracket", "[Position \t]\r\nk=x\r\n", "position", "k", "x"},
    {"blanksOnlyNameMatchesNothing", "[  ]\r\nk=x\r\n", " ", "k", text(kDef)},
    {"textAfterHeader", "[Korvani] ; options\r\nk=x\r\n", "Korvani", "k", "x"},
    {"valueAfterFirstEquals", "[s]\r\nk = a=b = c\r\n", "s", "k", "a=b = c"},
    {"doubleQuotes", "[s]\r\nk=\"a b \"\r\n", "s", "k", "a b "},
    {"singleQuotes", "[s]\r\nk=' x '\r\n", "s", "k", " x "},
    {"quotesOnlyOnePair", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", "\"x\""},
    {"quotesMismatched", "[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
    {"quoteAlone", "[s]\r\nk=\"\r\n", "s", "k", "\""},
    {"quotesEmpty", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"quotesNotAtBothEnds", "[s]\r\nk=\"a\" b\r\n", "s", "k", "\"a\" b"},
    {"emptyValueIsNotDefault", "[s]\r\nk=\r\n", "s", "k", ""},
    {"blankValueIsEmpty", "[s]\r\nk=  \t\r\n", "s", "k", ""},
    {"lineWithoutEquals", "[s]\r\nk\r\n", "s", "k", text(kDef)},
    {"missingKey", "[s]\r\nother=1\r\n", "s", "k", text(kDef)},
    {"missingSection", "[t]\r\nk=1\r\n", "s", "k", text(kDef)},
    {"keyOfNextSection", "[s]\r\n[t]\r\nk=1\r\n", "s", "k", text(kDef)},
    {"keyBeforeAnySection", "k=1\r\n[s]\r\n", "s", "k", text(kDef)},
    {"commentIsNoKey", "[s]\r\n;k=1\r\n", "s", "k", text(kDef)},
    {"firstKeyCounts", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
    {"firstSectionCounts", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "s", "k", text(kDef)},
    {"firstSectionsKey", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "1"},
    {"lfLineEnds", "[s]\nk=1\n", "s", "k", "1"},
    {"crLineEnds", "[s]\rk=1\ra=2", "s", "a", "2"},
    {"mixedLineEnds", "[s]\r\nk=1\n\ra=2\r", "s", "a", "2"},
    {"noFinalLineEnd", "[s]\r\nk=1", "s", "k", "1"},
    {"utf8ByteOrderMark", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "1"},
    {"utf8Value", "[s]\r\nk=ɪə\r\n", "s", "k", "ɪə"},
    {"nulEndsValue", "[s]\r\nk=ab\0cd\r\n"s, "s", "k", "ab"},
    {"nulBeforeClosingQuote", "[s]\r\nk=\"ab\0\"\r\n"s, "s", "k", "\"ab"},
    {"cutAt2047", "[s]\r\nk=" + kLong3000 + "\r\n", "s", "k", std::string(2047, 'a')},
    {"cutAfterUnquoting", "[s]\r\nk=\"" + kLong3000 + "\"\r\n", "s", "k", std::string(2047, 'a')},
    {"exactly2047", "[s]\r\nk=" + std::string(2047, 'b'), "s", "k", std::string(2047, 'b')},
    {"cutKeepsCharactersWhole", "[s]\r\nk=" + kSplitChar, "s", "k", std::string(2046, 'a')},
    {"utf16Le", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0"s, "s", "k", "é"},
    {"utf16Be", "\xFE\xFF\0[\0s\0]\0\n\0k\0=\0001"s, "s", "k", "1"},
    {"utf16Surrogates", "\xFF\xFE[\0s\0]\0\n\0k\0=\0\x3D\xD8\x00\xDE"s, "s", "k",
     "\xF0\x9F\x98\x80"},
    {"utf16OddByteIgnored", "\xFF\xFE[\0s\0]\0\n\0k\0=\0001\0\x01"s, "s", "k", "1"},
    {"headerWithoutCloseIsNoHeader", "[s]\r\n[t\r\nk=1\r\n", "s", "k", "1"},
    {"sectionNameWithBracket", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
    {"emptySectionNameNeverMatches", "[]\r\nk=1\r\n", "", "k", text(kDef)},
    {"keyWithEqualsNeverMatches", "[s]\r\na=b=1\r\n", "s", "a=b", text(kDef)},
};

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, ReadsAsExpected) {
    TempFolder folder;
    const ReadCase& c = GetParam();
    writeBytes(folder.file("a.ini"), c.file);
    EXPECT_EQ(IniFile(folder.file("a.ini")).readString(c.section, c.key, kDef), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Ini, ReadTable, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct IntegerCase {
    std::string_view text;
    std::optional<std::int32_t> expected;
};

TEST(ParseInteger, AcceptsOnlyWholeThirtyTwoBitNumbers) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"2", 2},
        {"-2000", -2000},
        {"+7", 7},
        {"  12", 12},
        {"00012", 12},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$1A", 26},
        {"x1a", 26},
        {"X1A", 26},
        {"0x1", 1},
        {"0X1f", 31},
        {"-0x10", -16},
        {" -$10", -16},
        {"+x10", 16},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"0x000000001", 1},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"yes", std::nullopt},
        {"1x", std::nullopt},
        {"12 ", std::nullopt},
        {"1 2", std::nullopt},
        {"- 5", std::nullopt},
        {"\t5", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"x", std::nullopt},
        {"0x", std::nullopt},
        {"0x-5", std::nullopt},
        {"$1G", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$100000000", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(parseInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ReadTyped, IntegersAndBooleansFallBackToTheirDefaults) {
    TempFolder folder;
    writeBytes(folder.file("a.ini"), "[Korvani]\r\nAutoPaste=2\r\nShowHints=0x1\r\n"
                                     "UseUnicodeFont=yes\r\nA=1x\r\nB=\r\nC=0\r\n"
                                     "FontSize=16\r\n[Position]\r\nLeft=-2000\r\nTop=\" 7\"\r\n");
    const IniFile ini(folder.file("a.ini"));
    EXPECT_TRUE(ini.readBool("Korvani", "AutoPaste", false));
    EXPECT_TRUE(ini.readBool("Korvani", "ShowHints", false));
    EXPECT_FALSE(ini.readBool("Korvani", "UseUnicodeFont", false));
    EXPECT_TRUE(ini.readBool("Korvani", "A", true));
    EXPECT_TRUE(ini.readBool("Korvani", "B", true));
    EXPECT_FALSE(ini.readBool("Korvani", "C", true));
    EXPECT_FALSE(ini.readBool("Korvani", "Missing", false));
    EXPECT_EQ(ini.readInteger("Korvani", "FontSize", 6), 16);
    EXPECT_EQ(ini.readInteger("Position", "Left", 50), -2000);
    EXPECT_EQ(ini.readInteger("Position", "Top", 50), 7);
    EXPECT_EQ(ini.readInteger("Korvani", "A", 50), 50);
}

TEST(LoadSettings, MissingFileGivesDefaultsAndCreatesNothing) {
    TempFolder folder;
    const IniFile ini(folder.file("KORVANI.INI"));
    for (const bool autoPasteDefault : {false, true}) {
        const Settings s = loadSettings(ini, autoPasteDefault);
        EXPECT_EQ(s.autoPaste, autoPasteDefault);
        EXPECT_TRUE(s.showHints);
        EXPECT_TRUE(s.useUnicodeFont);
        EXPECT_EQ(s.homepage, kDefaultHomepage);
        EXPECT_EQ(s.fontSize, 6);
        EXPECT_EQ(s.left, 50);
        EXPECT_EQ(s.top, 50);
    }
    EXPECT_FALSE(std::filesystem::exists(ini.path()));
}

TEST(LoadSettings, ReadsEveryKeyFromItsSection) {
    TempFolder folder;
    writeBytes(folder.file("KORVANI.INI"),
               "[korvani]\nautopaste=1\nShowHints=0\nUseUnicodeFont=0\n"
               "Homepage=\"https://example.net/\"\nFontSize=15\n[Position]\nLeft=-2000\nTop=x10\n");
    const Settings s = loadSettings(IniFile(folder.file("KORVANI.INI")), false);
    EXPECT_TRUE(s.autoPaste);
    EXPECT_FALSE(s.showHints);
    EXPECT_FALSE(s.useUnicodeFont);
    EXPECT_EQ(s.homepage, "https://example.net/");
    EXPECT_EQ(s.fontSize, 15);
    EXPECT_EQ(s.left, -2000);
    EXPECT_EQ(s.top, 16);
}

} // namespace
} // namespace korv
