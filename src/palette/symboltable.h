// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace korv {

enum class ChartPanel { Standard, Diacritics, Additional };

// Where the glyph sits on its button: at the top with a margin, or at the bottom.
enum class GlyphAlign { Top, Bottom };

struct SymbolButtonEntry {
    std::string_view name;
    ChartPanel panel;
    int left;
    int top;
    int width;
    int height;
    int tag;
    std::string_view hint; // empty: the button has no tooltip
    GlyphAlign glyphAlign = GlyphAlign::Top;
    int glyphMargin = 2;
};

inline constexpr std::size_t kSymbolButtonCount = 62;

// The chart, in layout order; positions are relative to the button's panel.
extern const std::array<SymbolButtonEntry, kSymbolButtonCount> kSymbolButtons;

// Glyph box of a button of the given width: the picture drawn on it.
struct GlyphSize {
    int width;
    int height;
};
GlyphSize glyphSizeForButton(int buttonWidth);

} // namespace korv
