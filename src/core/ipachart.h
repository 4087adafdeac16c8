// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// The IPA chart window: the whole table laid out as linguists know the chart, in chart units. At
// zoom 100 and the window's first width one unit is one pixel.

inline constexpr std::string_view kChartWindowCaption = "Korvani \u2013 IPA chart";
inline constexpr std::string_view kChartButtonCaption = "IPA chart";
inline constexpr std::string_view kChartAccessibleName = "IPA chart";

// A symbol's glyph and the texts around it, in chart units.
inline constexpr double kChartGlyphUnits = 26.0;

/// A rectangle in chart units, or in pixels once scaled.
struct ChartBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool contains(double x, double y) const {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
    friend bool operator==(const ChartBox&, const ChartBox&) = default;
};

enum class ChartItemKind {
    Title,   // a section's title
    Heading, // a column's or row's heading
    Label,   // a symbol's name, or a note
    Cell,    // a framed box of the consonant table
    Shade,   // an articulation judged impossible: a shaded cell or half cell
    Symbol,  // a symbol to click; its glyph is drawn centred in glyph
    Line,    // an edge of the vowel quadrilateral, from (left, top) by (width, height)
    Dot,     // the point of a vowel pair
};

struct ChartItem {
    ChartItemKind kind = ChartItemKind::Label;
    ChartBox box;     // where it is; for a Symbol, the area a click hits
    ChartBox glyph;   // a Symbol's glyph box
    double size = 0;  // the text's or glyph's pixel size
    std::string text; // UTF-8 text of a title, heading or label
    int symbol = -1;  // a Symbol's row of ipaSymbols()
    // A text centred in its box, else left and wrapped; a Symbol's ink centred in its glyph box,
    // else on the letters' baseline.
    bool centred = false;
    friend bool operator==(const ChartItem&, const ChartItem&) = default;
};

struct IpaChart {
    double width = 0;
    double height = 0;
    std::vector<ChartItem> items;
};

// The pulmonic consonants' places and manners, as columns and rows.
inline constexpr std::array<std::string_view, 11> kChartPlaces{
    "Bilabial", "Labiodental", "Dental", "Alveolar",   "Postalveolar", "Retroflex",
    "Palatal",  "Velar",       "Uvular", "Pharyngeal", "Glottal"};
inline constexpr std::array<std::string_view, 8> kChartManners{
    "Plosive",     "Nasal",
    "Trill",       "Tap or Flap",
    "Fricative",   "Lateral fricative",
    "Approximant", "Lateral approximant"};

/// What a half of a pulmonic cell shows: nothing, a shade, or a symbol.
enum class ChartShade { None, Both, Left, Right };

/// One cell of the pulmonic table: voiceless on the left, voiced on the right.
struct PulmonicCell {
    int manner;
    int place;
    int span; // dental, alveolar and postalveolar share one cell but for the fricatives
    std::u16string_view voiceless;
    std::u16string_view voiced;
    ChartShade shade = ChartShade::None;
};
std::span<const PulmonicCell> pulmonicCells();

/// A vowel's place on the quadrilateral: height from 0 (close) to 3 (open), backness from 0
/// (front) to 2 (back); a pair puts its rounded vowel to the right of a dot.
struct ChartVowel {
    double height;
    double backness;
    std::u16string_view unrounded; // empty: a rounded vowel alone
    std::u16string_view rounded;   // empty: an unrounded vowel alone
};
std::span<const ChartVowel> chartVowels();

/// The chart in chart units, laid out once.
const IpaChart& ipaChart();

/// The chart with every box and size multiplied by scale.
IpaChart scaleChart(const IpaChart& chart, double scale);

// The zoom steps Ctrl+plus and Ctrl+minus go through, in percent.
inline constexpr std::array<int, 12> kChartZooms{50,  67,  80,  90,  100, 110,
                                                 125, 150, 175, 200, 250, 300};
inline constexpr int kDefaultChartZoom = 100;
/// The zoom a step up (+1) or down (-1) from zoom leads to, stopping at the ends.
int stepChartZoom(int zoom, int step);
/// A stored zoom brought into the range the steps cover.
int clampChartZoom(int zoom);

/// The scale that fits the chart to a view width, times the zoom; never below a scale at which
/// the glyphs could no longer be told apart.
double chartScale(const IpaChart& chart, int viewWidth, int zoomPercent);

/// The Symbol item under a point of a chart (scaled or not), or -1.
int chartSymbolAt(const IpaChart& chart, double x, double y);

// The window as it opens the first time: the chart's width at zoom 100, a screen's height.
inline constexpr int kChartWindowHeight = 680;
int defaultChartWindowWidth();

} // namespace korv
