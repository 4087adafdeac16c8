// SPDX-License-Identifier: GPL-3.0-or-later
// The IPA chart's layout against the IPA table, and its scaling.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "ipachart.h"
#include "ipasymbols.h"

namespace korv {
namespace {

const IpaSymbol* find(std::u16string_view chars) {
    for (const IpaSymbol& symbol : ipaSymbols()) {
        if (symbol.chars == chars) {
            return &symbol;
        }
    }
    return nullptr;
}

std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

TEST(IpaChart, EverySymbolOfTheTableStandsOnceOnTheChart) {
    std::map<int, int> seen;
    for (const ChartItem& item : ipaChart().items) {
        if (item.kind == ChartItemKind::Symbol) {
            ASSERT_GE(item.symbol, 0);
            ASSERT_LT(item.symbol, static_cast<int>(ipaSymbols().size()));
            ++seen[item.symbol];
        }
    }
    for (std::size_t i = 0; i < ipaSymbols().size(); ++i) {
        SCOPED_TRACE(ipaSymbols()[i].name);
        EXPECT_EQ(seen[static_cast<int>(i)], 1);
    }
}

TEST(IpaChart, PulmonicCellsPairVoicelessLeftAndVoicedRight) {
    std::set<std::pair<int, int>> taken;
    for (const PulmonicCell& cell : pulmonicCells()) {
        SCOPED_TRACE(std::string(kChartManners.at(static_cast<std::size_t>(cell.manner))) + " " +
                     std::string(kChartPlaces.at(static_cast<std::size_t>(cell.place))));
        for (int place = cell.place; place < cell.place + cell.span; ++place) {
            EXPECT_TRUE(taken.insert({cell.manner, place}).second) << "two cells overlap";
        }
        const IpaSymbol* left = cell.voiceless.empty() ? nullptr : find(cell.voiceless);
        const IpaSymbol* right = cell.voiced.empty() ? nullptr : find(cell.voiced);
        if (!cell.voiceless.empty()) {
            ASSERT_NE(left, nullptr) << utf8(cell.voiceless);
            EXPECT_EQ(left->section, IpaSection::Pulmonic);
            EXPECT_EQ(std::string_view(left->name).find("voiced "), std::string_view::npos)
                << left->name;
            EXPECT_NE(cell.shade, ChartShade::Left);
        }
        if (!cell.voiced.empty()) {
            ASSERT_NE(right, nullptr);
            EXPECT_EQ(right->section, IpaSection::Pulmonic);
            EXPECT_EQ(std::string_view(right->name).substr(0, 7), "voiced ") << right->name;
            EXPECT_NE(cell.shade, ChartShade::Right);
        }
        if (cell.shade == ChartShade::Both) {
            EXPECT_TRUE(cell.voiceless.empty() && cell.voiced.empty());
        }
        // The manner and the place the cell stands at are the symbol's own.
        for (const IpaSymbol* symbol : {left, right}) {
            if (symbol == nullptr) {
                continue;
            }
            const std::string manner(kChartManners.at(static_cast<std::size_t>(cell.manner)));
            const std::string name(symbol->name);
            if (manner == "Tap or Flap") {
                EXPECT_TRUE(name.find("tap") != std::string::npos ||
                            name.find("flap") != std::string::npos)
                    << name;
            } else {
                std::string lower = manner;
                lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
                EXPECT_NE(name.find(lower), std::string::npos) << name;
            }
        }
    }
    // Every manner at every place: the table has no hole.
    EXPECT_EQ(taken.size(), kChartManners.size() * kChartPlaces.size());
}

TEST(IpaChart, VowelsStandOnTheQuadrilateralRoundedRightOfTheirDot) {
    std::set<std::u16string_view> placed;
    for (const ChartVowel& vowel : chartVowels()) {
        EXPECT_GE(vowel.height, 0);
        EXPECT_LE(vowel.height, 3);
        EXPECT_GE(vowel.backness, 0);
        EXPECT_LE(vowel.backness, 2);
        for (const auto& [chars, rounded] :
             {std::pair{vowel.unrounded, false}, std::pair{vowel.rounded, true}}) {
            if (chars.empty()) {
                continue;
            }
            const IpaSymbol* symbol = find(chars);
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->section, IpaSection::Vowels);
            const std::string_view name = symbol->name;
            if (!vowel.unrounded.empty() && !vowel.rounded.empty()) {
                EXPECT_EQ(name.find(rounded ? " rounded" : "unrounded") != std::string_view::npos,
                          true)
                    << name;
            }
            EXPECT_TRUE(placed.insert(chars).second);
        }
    }
    // Each pair's rounded glyph lies right of its unrounded one, on the same line.
    const IpaChart& chart = ipaChart();
    std::map<std::u16string_view, ChartBox> boxes;
    for (const ChartItem& item : chart.items) {
        if (item.kind == ChartItemKind::Symbol) {
            boxes[ipaSymbols()[static_cast<std::size_t>(item.symbol)].chars] = item.glyph;
        }
    }
    for (const ChartVowel& vowel : chartVowels()) {
        if (!vowel.unrounded.empty() && !vowel.rounded.empty()) {
            EXPECT_LT(boxes[vowel.unrounded].left, boxes[vowel.rounded].left);
            EXPECT_EQ(boxes[vowel.unrounded].top, boxes[vowel.rounded].top);
        }
    }
}

TEST(IpaChart, NothingOverlapsAndAllLiesWithinTheChart) {
    const IpaChart& chart = ipaChart();
    std::vector<ChartBox> symbols;
    for (const ChartItem& item : chart.items) {
        if (item.kind == ChartItemKind::Line) {
            continue;
        }
        EXPECT_GE(item.box.left, 0);
        EXPECT_GE(item.box.top, 0);
        EXPECT_LE(item.box.left + item.box.width, chart.width + 0.001) << item.text;
        EXPECT_LE(item.box.top + item.box.height, chart.height + 0.001) << item.text;
        if (item.kind == ChartItemKind::Symbol) {
            // A glyph box holds at least the glyph, so that a mark on its circle is not cut.
            EXPECT_GE(item.glyph.width, kChartGlyphUnits);
            EXPECT_GE(item.glyph.height, kChartGlyphUnits);
            for (const ChartBox& other : symbols) {
                const bool apart = item.box.left >= other.left + other.width ||
                                   other.left >= item.box.left + item.box.width ||
                                   item.box.top >= other.top + other.height ||
                                   other.top >= item.box.top + item.box.height;
                EXPECT_TRUE(apart) << ipaSymbols()[static_cast<std::size_t>(item.symbol)].name;
            }
            symbols.push_back(item.box);
        }
    }
}

TEST(IpaChart, ScalesWithTheViewAndTheZoom) {
    const IpaChart& chart = ipaChart();
    // The window's first width shows the glyphs at their full size or more.
    const int view = defaultChartWindowWidth() - 20;
    EXPECT_GE(kChartGlyphUnits * chartScale(chart, view, 100), 24.0);

    struct Case {
        int viewWidth;
        int zoom;
        double scale;
    };
    const double fit = 500 / chart.width;
    const Case cases[] = {
        {static_cast<int>(chart.width), 100, 1.0},
        {500, 100, fit},
        {500, 200, 2 * fit},
        {500, 1000, 3 * fit}, // beyond the last step
        {0, 100, 0.3},        // never too small to tell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.viewWidth) + " at " + std::to_string(c.zoom));
        EXPECT_DOUBLE_EQ(chartScale(chart, c.viewWidth, c.zoom), c.scale);
    }

    const IpaChart twice = scaleChart(chart, 2.0);
    ASSERT_EQ(twice.items.size(), chart.items.size());
    EXPECT_DOUBLE_EQ(twice.width, 2 * chart.width);
    EXPECT_DOUBLE_EQ(twice.height, 2 * chart.height);
    for (std::size_t i = 0; i < chart.items.size(); ++i) {
        const ChartItem& a = chart.items[i];
        const ChartItem& b = twice.items[i];
        EXPECT_DOUBLE_EQ(b.box.left, 2 * a.box.left);
        EXPECT_DOUBLE_EQ(b.box.height, 2 * a.box.height);
        EXPECT_DOUBLE_EQ(b.glyph.width, 2 * a.glyph.width);
        EXPECT_DOUBLE_EQ(b.size, 2 * a.size);
        EXPECT_EQ(b.symbol, a.symbol);
        // A point of a cell, scaled, finds the same cell.
        if (a.kind == ChartItemKind::Symbol) {
            const double x = a.box.left + a.box.width / 2;
            const double y = a.box.top + a.box.height / 2;
            EXPECT_EQ(chartSymbolAt(chart, x, y), static_cast<int>(i));
            EXPECT_EQ(chartSymbolAt(twice, 2 * x, 2 * y), static_cast<int>(i));
        }
    }
    EXPECT_EQ(chartSymbolAt(chart, -5, -5), -1);
}

TEST(IpaChart, ZoomStepsStopAtTheirEnds) {
    struct Case {
        int zoom;
        int step;
        int next;
    };
    const Case cases[] = {
        {100, 1, 110}, {100, -1, 90},  {300, 1, 300}, {50, -1, 50},
        {105, 1, 110}, {105, -1, 100}, {10, 1, 67},   {900, -1, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.zoom) + " by " + std::to_string(c.step));
        EXPECT_EQ(stepChartZoom(c.zoom, c.step), c.next);
    }
}

} // namespace
} // namespace korv
