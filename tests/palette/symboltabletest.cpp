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
    {"See1", u"\u0069"},
    {"Sit1", u"\u026A"},
    {"Put1", u"\u028A"},
    {"Too1", u"\u0075"},
    {"Near1", u"\u026A\u0259"},
    {"Say1", u"\u0065\u026A"},
    {"Slash1", u"\u002F"},
    {"Ten1", u"\u0065"},
    {"Mother1", u"\u0259"},
    {"Bird1", u"\u025C"},
    {"Saw1", u"\u0254"},
    {"Pure1", u"\u028A\u0259"},
    {"Boy1", u"\u0254\u026A"},
    {"Go1", u"\u0259\u028A"},
    {"Fat1", u"\u00E6"},
    {"Cup1", u"\u028C"},
    {"Arm1", u"\u0251"},
    {"Got1", u"\u0252"},
    {"Hair1", u"\u0065\u0259"},
    {"Eye1", u"\u0061\u026A"},
    {"Now1", u"\u0061\u028A"},
    {"Pen1", u"\u0070"},
    {"Bad1", u"\u0062"},
    {"Tea1", u"\u0074"},
    {"Did1", u"\u0064"},
    {"Chain1", u"\u0074\u0283"},
    {"June1", u"\u0064\u0292"},
    {"Kat1", u"\u006B"},
    {"Get1", u"\u0067"},
    {"Fall1", u"\u0066"},
    {"Van1", u"\u0076"},
    {"Thin1", u"\u03B8"},
    {"Then1", u"\u00F0"},
    {"So1", u"\u0073"},
    {"Zoo1", u"\u007A"},
    {"She1", u"\u0283"},
    {"Vision1", u"\u0292"},
    {"Man1", u"\u006D"},
    {"No1", u"\u006E"},
    {"Sing1", u"\u014B"},
    {"Hat1", u"\u0068"},
    {"Leg1", u"\u006C"},
    {"Red1", u"\u0072"},
    {"Wet1", u"\u0077"},
    {"Yes1", u"\u006A"},
    {"PrimaryStress1", u"\u02C8"},
    {"SecondaryStress1", u"\u02CC"},
    {"Long1", u"\u02D0"},
    {"HalfLong1", u"\u02D1"},
    {"Aspired1", u"\u02B0"},
    {"Bleu1", u"\u00F8"},
    {"Boeuf1", u"\u0153"},
    {"Du1", u"\u0079"},
    {"Nuit1", u"\u0265"},
    {"Bed1", u"\u025B"},
    {"RPr1", u"\u02B4"},
    {"Gli1", u"\u028E"},
    {"Mignon1", u"\u0272"},
    {"Loch1", u"\u0078"},
    {"Nicht1", u"\u00E7"},
    {"Glottal1", u"\u0294"},
    {"RollR1", u"\u02B3"},
};

TEST(SymbolTable, EveryButtonProducesItsCharacters) {
    ASSERT_EQ(kProduces.size(), kSymbolButtons.size());
    std::set<std::string_view> names;
    for (const SymbolButtonEntry& entry : kSymbolButtons) {
        SCOPED_TRACE(std::string(entry.name));
        EXPECT_TRUE(names.insert(entry.name).second) << "duplicate name";
        const auto expected = kProduces.find(entry.name);
        ASSERT_NE(expected, kProduces.end());
        EXPECT_EQ(GetNewUnistr(entry.tag), expected->second);
    }
}

TEST(SymbolTable, PanelsHoldTheirButtonsInsideThem) {
    struct PanelBox {
        int width, height, count;
    };
    const std::map<ChartPanel, PanelBox> panels = {
        {ChartPanel::IPAPanel, {200, 145, 45}},
        {ChartPanel::DiacriticsPanel1, {25, 71, 5}},
        {ChartPanel::AdditionalPanel, {200, 145, 12}},
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
        EXPECT_EQ(entry.hint.empty(), entry.name == "Slash1") << entry.name;
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
        EXPECT_EQ(GetNewUnistr(c.tag), c.expected) << c.tag;
    }
}

TEST(SymbolTag, MakeNewUnistrKeepsBaseFirst) {
    EXPECT_EQ(MakeNewUnistr(u'a', u'\u026A'), u"a\u026A");
}

} // namespace
} // namespace korv
