// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "symboltable.h"
#include "symboltag.h"

namespace korv {
namespace {

// What each button must insert, written from the chart, not computed from the tags.
const std::map<std::string_view, std::u16string> kProduces = {
    {"See", u"\u0069"},
    {"Sit", u"\u026A"},
    {"Put", u"\u028A"},
    {"Too", u"\u0075"},
    {"Near", u"\u026A\u0259"},
    {"Say", u"\u0065\u026A"},
    {"Slash", u"\u002F"},
    {"Ten", u"\u0065"},
    {"Mother", u"\u0259"},
    {"Bird", u"\u025C"},
    {"Saw", u"\u0254"},
    {"Pure", u"\u028A\u0259"},
    {"Boy", u"\u0254\u026A"},
    {"Go", u"\u0259\u028A"},
    {"Fat", u"\u00E6"},
    {"Cup", u"\u028C"},
    {"Arm", u"\u0251"},
    {"Got", u"\u0252"},
    {"Hair", u"\u0065\u0259"},
    {"Eye", u"\u0061\u026A"},
    {"Now", u"\u0061\u028A"},
    {"Pen", u"\u0070"},
    {"Bad", u"\u0062"},
    {"Tea", u"\u0074"},
    {"Did", u"\u0064"},
    {"Chain", u"\u0074\u0283"},
    {"June", u"\u0064\u0292"},
    {"Kat", u"\u006B"},
    {"Get", u"\u0067"},
    {"Fall", u"\u0066"},
    {"Van", u"\u0076"},
    {"Thin", u"\u03B8"},
    {"Then", u"\u00F0"},
    {"So", u"\u0073"},
    {"Zoo", u"\u007A"},
    {"She", u"\u0283"},
    {"Vision", u"\u0292"},
    {"Man", u"\u006D"},
    {"No", u"\u006E"},
    {"Sing", u"\u014B"},
    {"Hat", u"\u0068"},
    {"Leg", u"\u006C"},
    {"Red", u"\u0072"},
    {"Wet", u"\u0077"},
    {"Yes", u"\u006A"},
    {"PrimaryStress", u"\u02C8"},
    {"SecondaryStress", u"\u02CC"},
    {"Long", u"\u02D0"},
    {"HalfLong", u"\u02D1"},
    {"Aspired", u"\u02B0"},
    {"Bleu", u"\u00F8"},
    {"Boeuf", u"\u0153"},
    {"Du", u"\u0079"},
    {"Nuit", u"\u0265"},
    {"Bed", u"\u025B"},
    {"RPr", u"\u02B4"},
    {"Gli", u"\u028E"},
    {"Mignon", u"\u0272"},
    {"Loch", u"\u0078"},
    {"Nicht", u"\u00E7"},
    {"Glottal", u"\u0294"},
    {"RollR", u"\u02B3"},
};

TEST(SymbolTable, EveryButtonProducesItsCharacters) {
    ASSERT_EQ(kProduces.size(), kSymbolButtons.size());
    std::set<std::string_view> names;
    for (const SymbolButtonEntry& entry : kSymbolButtons) {
        SCOPED_TRACE(std::string(entry.name));
        EXPECT_TRUE(names.insert(entry.name).second) << "duplicate name";
        const auto expected = kProduces.find(entry.name);
        ASSERT_NE(expected, kProduces.end());
        EXPECT_EQ(symbolOfTag(entry.tag), expected->second);
    }
}

TEST(SymbolTable, PanelsHoldTheirButtonsInsideThem) {
    struct PanelBox {
        int width, height, count;
    };
    const std::map<ChartPanel, PanelBox> panels = {
        {ChartPanel::Standard, {200, 145, 45}},
        {ChartPanel::Diacritics, {25, 71, 5}},
        {ChartPanel::Additional, {200, 145, 12}},
    };
    std::map<ChartPanel, int> counts;
    for (const SymbolButtonEntry& entry : kSymbolButtons) {
        SCOPED_TRACE(std::string(entry.name));
        const PanelBox& box = panels.at(entry.panel);
        EXPECT_LE(entry.left + entry.width, box.width);
        EXPECT_LE(entry.top + entry.height, box.height);
        ++counts[entry.panel];
    }
    for (const auto& [panel, box] : panels) {
        EXPECT_EQ(counts[panel], box.count);
    }
}

TEST(SymbolTable, OnlySlashHasNoHint) {
    for (const SymbolButtonEntry& entry : kSymbolButtons) {
        EXPECT_EQ(entry.hint.empty(), entry.name == "Slash") << entry.name;
    }
}

TEST(SymbolTag, BandsAndTheirEdges) {
    const struct {
        int tag;
        std::u16string expected;
    } cases[] = {
        {0, std::u16string(1, u'\0')},
        {47, u"/"},
        {2000, u"\u07D0"},
        {2001, u"\u0001\u0259"},
        {3000, u"\u03E8\u0259"},
        {3001, u"\u0001\u026A"},
        {4000, u"\u03E8\u026A"},
        {4001, u"\u0001\u028A"},
        {5000, u"\u03E8\u028A"},
        {5001, u"\u0001\u0283"},
        {6000, u"\u03E8\u0283"},
        {6001, u"\u0001\u0292"},
        {6100, u"d\u0292"},
        {3097, u"a\u026A"},
        {5116, u"t\u0283"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(symbolOfTag(c.tag), c.expected) << c.tag;
    }
}

TEST(SymbolTag, pairedSymbolKeepsBaseFirst) {
    EXPECT_EQ(pairedSymbol(u'a', u'\u026A'), u"a\u026A");
}

} // namespace
} // namespace korv
