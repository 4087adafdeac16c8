// SPDX-License-Identifier: GPL-3.0-or-later
#include "ipachart.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "ipasymbols.h"

namespace korv {
namespace {

using Shade = ChartShade;

// Places: 0 bilabial, 1 labiodental, 2 dental, 3 alveolar, 4 postalveolar, 5 retroflex,
// 6 palatal, 7 velar, 8 uvular, 9 pharyngeal, 10 glottal.
// clang-format off
constexpr PulmonicCell kPulmonic[] = {
    {0, 0, 1, u"p", u"b"}, {0, 1, 1, u"", u""}, {0, 2, 3, u"t", u"d"}, {0, 5, 1, u"ʈ", u"ɖ"},
    {0, 6, 1, u"c", u"ɟ"}, {0, 7, 1, u"k", u"ɡ"}, {0, 8, 1, u"q", u"ɢ"},
    {0, 9, 1, u"", u"", Shade::Both}, {0, 10, 1, u"ʔ", u"", Shade::Right},

    {1, 0, 1, u"", u"m"}, {1, 1, 1, u"", u"ɱ"}, {1, 2, 3, u"", u"n"}, {1, 5, 1, u"", u"ɳ"},
    {1, 6, 1, u"", u"ɲ"}, {1, 7, 1, u"", u"ŋ"}, {1, 8, 1, u"", u"ɴ"},
    {1, 9, 1, u"", u"", Shade::Both}, {1, 10, 1, u"", u"", Shade::Both},

    {2, 0, 1, u"", u"ʙ"}, {2, 1, 1, u"", u""}, {2, 2, 3, u"", u"r"}, {2, 5, 1, u"", u""},
    {2, 6, 1, u"", u""}, {2, 7, 1, u"", u"", Shade::Both}, {2, 8, 1, u"", u"ʀ"},
    {2, 9, 1, u"", u""}, {2, 10, 1, u"", u"", Shade::Both},

    {3, 0, 1, u"", u""}, {3, 1, 1, u"", u"ⱱ"}, {3, 2, 3, u"", u"ɾ"}, {3, 5, 1, u"", u"ɽ"},
    {3, 6, 1, u"", u""}, {3, 7, 1, u"", u"", Shade::Both}, {3, 8, 1, u"", u""},
    {3, 9, 1, u"", u""}, {3, 10, 1, u"", u"", Shade::Both},

    {4, 0, 1, u"ɸ", u"β"}, {4, 1, 1, u"f", u"v"}, {4, 2, 1, u"θ", u"ð"}, {4, 3, 1, u"s", u"z"},
    {4, 4, 1, u"ʃ", u"ʒ"}, {4, 5, 1, u"ʂ", u"ʐ"}, {4, 6, 1, u"ç", u"ʝ"}, {4, 7, 1, u"x", u"ɣ"},
    {4, 8, 1, u"χ", u"ʁ"}, {4, 9, 1, u"ħ", u"ʕ"}, {4, 10, 1, u"h", u"ɦ"},

    {5, 0, 1, u"", u"", Shade::Both}, {5, 1, 1, u"", u"", Shade::Both}, {5, 2, 3, u"ɬ", u"ɮ"},
    {5, 5, 1, u"", u""}, {5, 6, 1, u"", u""}, {5, 7, 1, u"", u""}, {5, 8, 1, u"", u""},
    {5, 9, 1, u"", u"", Shade::Both}, {5, 10, 1, u"", u"", Shade::Both},

    {6, 0, 1, u"", u""}, {6, 1, 1, u"", u"ʋ"}, {6, 2, 3, u"", u"ɹ"}, {6, 5, 1, u"", u"ɻ"},
    {6, 6, 1, u"", u"j"}, {6, 7, 1, u"", u"ɰ"}, {6, 8, 1, u"", u""}, {6, 9, 1, u"", u""},
    {6, 10, 1, u"", u"", Shade::Both},

    {7, 0, 1, u"", u"", Shade::Both}, {7, 1, 1, u"", u"", Shade::Both}, {7, 2, 3, u"", u"l"},
    {7, 5, 1, u"", u"ɭ"}, {7, 6, 1, u"", u"ʎ"}, {7, 7, 1, u"", u"ʟ"}, {7, 8, 1, u"", u""},
    {7, 9, 1, u"", u"", Shade::Both}, {7, 10, 1, u"", u"", Shade::Both},
};

// Heights: 0 close, 1 close-mid, 2 open-mid, 3 open; backness 0 front, 1 central, 2 back.
constexpr ChartVowel kVowels[] = {
    {0, 0, u"i", u"y"},     {0, 1, u"ɨ", u"ʉ"},   {0, 2, u"ɯ", u"u"},
    {0.5, 0.55, u"ɪ", u"ʏ"}, {0.5, 1.6, u"", u"ʊ"},
    {1, 0, u"e", u"ø"},     {1, 1, u"ɘ", u"ɵ"},   {1, 2, u"ɤ", u"o"},
    {1.5, 1, u"ə", u""},
    {2, 0, u"ɛ", u"œ"},     {2, 1, u"ɜ", u"ɞ"},   {2, 2, u"ʌ", u"ɔ"},
    {2.5, 0.1, u"æ", u""},  {2.5, 1, u"ɐ", u""},
    {3, 0, u"a", u"ɶ"},     {3, 2, u"ɑ", u"ɒ"},
};

constexpr std::u16string_view kClicks[] = {u"ʘ", u"ǀ", u"ǃ", u"ǂ", u"ǁ"};
constexpr std::u16string_view kImplosives[] = {u"ɓ", u"ɗ", u"ʄ", u"ɠ", u"ʛ"};
constexpr std::u16string_view kEjectives[] = {u"ʼ", u"pʼ", u"tʼ", u"kʼ", u"sʼ"};
// clang-format on

constexpr double kMargin = 16;
constexpr double kRowHeadWidth = 168;
constexpr double kHalfWidth = 36;
constexpr double kColumnWidth = 2 * kHalfWidth;
constexpr double kRowHeight = 40;
constexpr double kWidth = 2 * kMargin + kRowHeadWidth + 11 * kColumnWidth;
constexpr double kTitleSize = 15;
constexpr double kTitleHeight = 26;
constexpr double kHeadingSize = 11.5;
constexpr double kLabelSize = 11;
constexpr double kEntryHeight = 40;
// Marks and modifier letters are small by nature: drawn larger, so that one is told from another;
// a mark on its dotted circle is centred in its box, the others keep the letters' baseline, which
// tells the stress marks and the superscripts apart.
constexpr double kMarkGlyphUnits = 36;
constexpr double kModifierGlyphUnits = 28;
constexpr double kEntryGlyphWidth = 52;
constexpr double kSectionGap = 18;
constexpr double kMinScale = 0.3;

int symbolRow(std::u16string_view chars) {
    static const std::map<std::u16string_view, int> rows = [] {
        std::map<std::u16string_view, int> map;
        const auto symbols = ipaSymbols();
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            map.emplace(symbols[i].chars, static_cast<int>(i));
        }
        return map;
    }();
    const auto it = rows.find(chars);
    return it == rows.end() ? -1 : it->second;
}

bool isSmallByNature(const IpaSymbol& symbol) {
    switch (symbol.section) {
    case IpaSection::Diacritics:
    case IpaSection::Suprasegmentals:
    case IpaSection::Superscripts:
        return true;
    default:
        return false;
    }
}

class Builder {
public:
    IpaChart chart;

    void text(ChartItemKind kind, ChartBox box, double size, std::string_view text,
              bool centred = false) {
        ChartItem item;
        item.kind = kind;
        item.box = box;
        item.size = size;
        item.text = std::string(text);
        item.centred = centred;
        chart.items.push_back(std::move(item));
    }
    void box(ChartItemKind kind, ChartBox box) {
        ChartItem item;
        item.kind = kind;
        item.box = box;
        chart.items.push_back(std::move(item));
    }
    void symbol(std::u16string_view chars, ChartBox box, ChartBox glyph,
                double size = kChartGlyphUnits, bool centred = false) {
        const int row = symbolRow(chars);
        if (row < 0) {
            return; // the table test finds it missing from the chart
        }
        ChartItem item;
        item.kind = ChartItemKind::Symbol;
        item.box = box;
        item.glyph = glyph;
        item.size = size;
        item.centred = centred;
        item.symbol = row;
        chart.items.push_back(std::move(item));
    }
    void title(double x, double& y, std::string_view text) {
        this->text(ChartItemKind::Title, {x, y, kWidth - x - kMargin, kTitleHeight}, kTitleSize,
                   text);
        y += kTitleHeight;
    }
    // A symbol with its name beside it, as the chart lists what has no cell.
    void entry(std::u16string_view chars, double x, double y, double width) {
        const int row = symbolRow(chars);
        const ChartBox glyph{x, y, kEntryGlyphWidth, kEntryHeight};
        const IpaSymbol* table = row >= 0 ? &ipaSymbols()[static_cast<std::size_t>(row)] : nullptr;
        const bool mark = table != nullptr && attachesToPrevious(*table);
        const double size = mark                                          ? kMarkGlyphUnits
                            : table != nullptr && isSmallByNature(*table) ? kModifierGlyphUnits
                                                                          : kChartGlyphUnits;
        symbol(chars, {x, y, width - 4, kEntryHeight}, glyph, size, mark);
        if (row >= 0) {
            text(ChartItemKind::Label,
                 {x + kEntryGlyphWidth + 2, y, width - kEntryGlyphWidth - 8, kEntryHeight},
                 kLabelSize, ipaSymbols()[static_cast<std::size_t>(row)].name);
        }
    }
    // Entries in columns, filled row by row; y ends under the last row.
    void entries(const std::vector<std::u16string_view>& symbols, double x, double& y, double width,
                 int columns) {
        const double columnWidth = width / columns;
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            const auto column = static_cast<double>(i % static_cast<std::size_t>(columns));
            const auto row = static_cast<double>(i / static_cast<std::size_t>(columns));
            entry(symbols[i], x + column * columnWidth, y + row * kEntryHeight, columnWidth);
        }
        const std::size_t rows = (symbols.size() + static_cast<std::size_t>(columns) - 1) /
                                 static_cast<std::size_t>(columns);
        y += static_cast<double>(rows) * kEntryHeight;
    }
    void line(double x1, double y1, double x2, double y2) {
        box(ChartItemKind::Line, {x1, y1, x2 - x1, y2 - y1});
    }
};

std::vector<std::u16string_view> sectionSymbols(IpaSection section) {
    std::vector<std::u16string_view> symbols;
    for (const IpaSymbol& symbol : ipaSymbols()) {
        if (symbol.section == section) {
            symbols.push_back(symbol.chars);
        }
    }
    return symbols;
}

void pulmonic(Builder& b, double& y) {
    b.title(kMargin, y, sectionTitle(IpaSection::Pulmonic));
    const double tableLeft = kMargin + kRowHeadWidth;
    for (std::size_t place = 0; place < kChartPlaces.size(); ++place) {
        b.text(ChartItemKind::Heading,
               {tableLeft + static_cast<double>(place) * kColumnWidth, y, kColumnWidth, 22},
               kHeadingSize * 0.9, kChartPlaces[place], true);
    }
    y += 22;
    for (std::size_t manner = 0; manner < kChartManners.size(); ++manner) {
        const double top = y + static_cast<double>(manner) * kRowHeight;
        b.text(ChartItemKind::Heading, {kMargin, top, kRowHeadWidth - 6, kRowHeight}, kHeadingSize,
               kChartManners[manner]);
    }
    for (const PulmonicCell& cell : kPulmonic) {
        const double top = y + cell.manner * kRowHeight;
        const double left = tableLeft + cell.place * kColumnWidth;
        const ChartBox frame{left, top, cell.span * kColumnWidth, kRowHeight};
        // A shared cell's pair stands where the alveolar one would.
        const double pairLeft = left + (cell.span - 1) / 2 * kColumnWidth;
        const ChartBox leftHalf{pairLeft, top, kHalfWidth, kRowHeight};
        const ChartBox rightHalf{pairLeft + kHalfWidth, top, kHalfWidth, kRowHeight};
        if (cell.shade == Shade::Both) {
            b.box(ChartItemKind::Shade, frame);
        } else if (cell.shade == Shade::Left) {
            b.box(ChartItemKind::Shade, leftHalf);
        } else if (cell.shade == Shade::Right) {
            b.box(ChartItemKind::Shade, rightHalf);
        }
        b.box(ChartItemKind::Cell, frame);
        if (!cell.voiceless.empty()) {
            b.symbol(cell.voiceless, leftHalf, leftHalf);
        }
        if (!cell.voiced.empty()) {
            b.symbol(cell.voiced, rightHalf, rightHalf);
        }
    }
    y += static_cast<double>(kChartManners.size()) * kRowHeight;
}

// Non-pulmonic consonants and other symbols on the left; returns where they end.
double leftColumn(Builder& b, double y, double width) {
    b.title(kMargin, y, sectionTitle(IpaSection::NonPulmonic));
    const std::pair<std::string_view, std::span<const std::u16string_view>> groups[] = {
        {"Clicks", kClicks}, {"Voiced implosives", kImplosives}, {"Ejectives", kEjectives}};
    const double groupWidth = width / 3;
    double bottom = y;
    for (std::size_t g = 0; g < std::size(groups); ++g) {
        const double x = kMargin + static_cast<double>(g) * groupWidth;
        double top = y;
        b.text(ChartItemKind::Heading, {x, top, groupWidth, 20}, kHeadingSize, groups[g].first);
        top += 20;
        b.entries({groups[g].second.begin(), groups[g].second.end()}, x, top, groupWidth, 1);
        bottom = std::max(bottom, top);
    }
    y = bottom + kSectionGap;
    b.title(kMargin, y, sectionTitle(IpaSection::Other));
    b.entries(sectionSymbols(IpaSection::Other), kMargin, y, width, 2);
    return y;
}

double vowels(Builder& b, double x, double y, double width) {
    b.text(ChartItemKind::Title, {x, y, width, kTitleHeight}, kTitleSize,
           sectionTitle(IpaSection::Vowels));
    y += kTitleHeight;
    const double quadLeft = x + 86;
    const double quadTop = y + 34;
    const double quadWidth = width - 86 - 30;
    const double quadHeight = 300;
    const double slant = quadWidth / 2;
    const auto front = [&](double height) { return quadLeft + slant * height / 3; };
    const auto at = [&](double height, double backness) {
        const double f = front(height);
        const double back = quadLeft + quadWidth;
        return std::pair{f + (back - f) * backness / 2, quadTop + quadHeight * height / 3};
    };
    const std::pair<std::string_view, double> columns[] = {
        {"Front", 0}, {"Central", 1}, {"Back", 2}};
    for (const auto& [name, backness] : columns) {
        const double cx = at(0, backness).first;
        b.text(ChartItemKind::Heading, {cx - 40, y + 4, 80, 20}, kHeadingSize, name, true);
    }
    const std::pair<std::string_view, double> rows[] = {
        {"Close", 0}, {"Close-mid", 1}, {"Open-mid", 2}, {"Open", 3}};
    for (const auto& [name, height] : rows) {
        const double cy = at(height, 0).second;
        b.text(ChartItemKind::Heading, {x, cy - 10, front(height) - x - 22, 20}, kHeadingSize,
               name);
    }
    // The outline, the close-mid and open-mid lines, and the central line.
    const double back = quadLeft + quadWidth;
    b.line(quadLeft, quadTop, back, quadTop);
    b.line(back, quadTop, back, quadTop + quadHeight);
    b.line(front(3), quadTop + quadHeight, back, quadTop + quadHeight);
    b.line(quadLeft, quadTop, front(3), quadTop + quadHeight);
    for (const double height : {1.0, 2.0}) {
        b.line(front(height), at(height, 0).second, back, at(height, 0).second);
    }
    b.line(at(0, 1).first, quadTop, at(3, 1).first, quadTop + quadHeight);

    constexpr double kBox = 30;
    constexpr double kDot = 6;
    for (const ChartVowel& vowel : kVowels) {
        const auto [cx, cy] = at(vowel.height, vowel.backness);
        const ChartBox centred{cx - kBox / 2, cy - kBox / 2, kBox, kBox};
        if (vowel.unrounded.empty() || vowel.rounded.empty()) {
            const std::u16string_view alone =
                vowel.unrounded.empty() ? vowel.rounded : vowel.unrounded;
            b.symbol(alone, centred, centred);
            continue;
        }
        b.box(ChartItemKind::Dot, {cx - kDot / 2, cy - kDot / 2, kDot, kDot});
        const ChartBox left{cx - kDot / 2 - kBox, cy - kBox / 2, kBox, kBox};
        const ChartBox right{cx + kDot / 2, cy - kBox / 2, kBox, kBox};
        b.symbol(vowel.unrounded, left, left);
        b.symbol(vowel.rounded, right, right);
    }
    y = quadTop + quadHeight + 18;
    b.text(ChartItemKind::Label, {x, y, width, 32}, kLabelSize,
           "Where symbols appear in pairs, the one to the right represents a rounded vowel.");
    return y + 32;
}

IpaChart build() {
    Builder b;
    double y = kMargin;
    pulmonic(b, y);
    y += kSectionGap;
    const double contentWidth = kWidth - 2 * kMargin;
    const double leftWidth = 480;
    const double leftEnd = leftColumn(b, y, leftWidth);
    const double rightEnd = vowels(b, kMargin + leftWidth + 16, y, contentWidth - leftWidth - 16);
    y = std::max(leftEnd, rightEnd) + kSectionGap;

    const std::pair<IpaSection, int> flows[] = {
        {IpaSection::Diacritics, 3}, {IpaSection::Suprasegmentals, 3}, {IpaSection::Tones, 3},
        {IpaSection::ExtIpa, 3},     {IpaSection::Superscripts, 4},    {IpaSection::Ligatures, 3},
    };
    for (const auto& [section, columns] : flows) {
        b.title(kMargin, y, sectionTitle(section));
        b.entries(sectionSymbols(section), kMargin, y, contentWidth, columns);
        y += kSectionGap;
    }
    b.chart.width = kWidth;
    b.chart.height = y;
    return b.chart;
}

ChartBox scaled(const ChartBox& box, double scale) {
    return {box.left * scale, box.top * scale, box.width * scale, box.height * scale};
}

} // namespace

std::span<const PulmonicCell> pulmonicCells() {
    return kPulmonic;
}

std::span<const ChartVowel> chartVowels() {
    return kVowels;
}

const IpaChart& ipaChart() {
    static const IpaChart chart = build();
    return chart;
}

IpaChart scaleChart(const IpaChart& chart, double scale) {
    IpaChart result;
    result.width = chart.width * scale;
    result.height = chart.height * scale;
    result.items.reserve(chart.items.size());
    for (const ChartItem& item : chart.items) {
        ChartItem copy = item;
        copy.box = scaled(item.box, scale);
        copy.glyph = scaled(item.glyph, scale);
        copy.size = item.size * scale;
        result.items.push_back(std::move(copy));
    }
    return result;
}

int clampChartZoom(int zoom) {
    return std::clamp(zoom, kChartZooms.front(), kChartZooms.back());
}

int stepChartZoom(int zoom, int step) {
    zoom = clampChartZoom(zoom);
    if (step > 0) {
        const auto next = std::upper_bound(kChartZooms.begin(), kChartZooms.end(), zoom);
        return next == kChartZooms.end() ? kChartZooms.back() : *next;
    }
    if (step < 0) {
        const auto at = std::lower_bound(kChartZooms.begin(), kChartZooms.end(), zoom);
        return at == kChartZooms.begin() ? kChartZooms.front() : *(at - 1);
    }
    return zoom;
}

double chartScale(const IpaChart& chart, int viewWidth, int zoomPercent) {
    if (chart.width <= 0) {
        return 1.0;
    }
    const double fit = std::max(0, viewWidth) / chart.width;
    return std::max(kMinScale, fit * clampChartZoom(zoomPercent) / 100.0);
}

int chartSymbolAt(const IpaChart& chart, double x, double y) {
    for (std::size_t i = 0; i < chart.items.size(); ++i) {
        const ChartItem& item = chart.items[i];
        if (item.kind == ChartItemKind::Symbol && item.box.contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int defaultChartWindowWidth() {
    // Room for the scroll bar beside the chart at its own size.
    return static_cast<int>(std::ceil(ipaChart().width)) + 24;
}

} // namespace korv
