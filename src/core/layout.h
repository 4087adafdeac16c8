// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace korv {

// The main window as both front ends lay it out: positions in pixels at 96 DPI, relative to the
// client area unless said otherwise.

inline constexpr std::string_view kWindowCaption = "Korvani v6";
inline constexpr std::string_view kTrayTip = "Korvani by the Korvani developers";
inline constexpr int kClientWidth = 331;
inline constexpr int kClientHeight = 226;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr Rect kLineRect{8, 10, 236, 31};
inline constexpr Rect kCopyRect{252, 10, 70, 28};
inline constexpr Rect kBackRect{252, 42, 70, 28};
inline constexpr Rect kClearRect{252, 74, 70, 28};
inline constexpr Rect kSizeLabelRect{252, 126, 23, 13};
inline constexpr Rect kSizeBoxRect{277, 122, 44, 21};
inline constexpr Rect kAboutRect{252, 162, 70, 25};
inline constexpr Rect kHideRect{252, 191, 70, 25};
inline constexpr Rect kChartFrameRect{8, 48, 204, 149};
inline constexpr Rect kDiacriticFrameRect{216, 48, 29, 75};
// The chart's symbols, and the All and Mine tabs, which take the chart's place.
inline constexpr Rect kChartRect{10, 50, 200, 145};
inline constexpr Rect kDiacriticsRect{218, 50, 25, 71};
// The tab strip under the chart: its sunken frame, and the tabs within it.
inline constexpr Rect kTabFrameRect{8, 197, 204, 19};
inline constexpr Rect kTabsRect{9, 197, 201, 17};
// The Standard chart's dividers between single vowels, diphthongs and consonants, relative to the
// chart.
inline constexpr Rect kVowelDividerRect{100, 0, 2, 73};
inline constexpr Rect kConsonantDividerRect{0, 72, 204, 2};

inline constexpr std::string_view kCopyCaption = "Copy";
inline constexpr std::string_view kPasteCaption = "Paste";
inline constexpr std::string_view kBackCaption = "Back";
inline constexpr std::string_view kClearCaption = "Clear all";
inline constexpr std::string_view kAboutCaption = "About";
inline constexpr std::string_view kHideCaption = "Hide";
inline constexpr std::string_view kSizeCaption = "Size:";

// Names a screen reader says.
inline constexpr std::string_view kLineAccessibleName = "Transcription";
inline constexpr std::string_view kSizeAccessibleName = "Point size";
inline constexpr std::string_view kSearchAccessibleName = "Search symbols";
inline constexpr std::string_view kSearchPlaceholder = "Search: name, X-SAMPA or U+";

/// The charts, in the order of their tabs.
enum class ChartTab { Standard, Additional, All, Mine };
inline constexpr int kChartTabCount = 4;
inline constexpr std::array<std::string_view, kChartTabCount> kChartTabCaptions{
    "Standard", "Additional", "All", "Mine"};

// The point sizes Copy offers, and the one a new user gets.
inline constexpr std::array<int, 16> kPointSizes{8,  9,  10, 11, 12, 14, 16, 18,
                                                 20, 22, 24, 26, 28, 36, 48, 72};
inline constexpr int kDefaultSizeIndex = 6; // 16 points

// Faces that hold the IPA, best first, for the line and the symbols: the first one installed is
// used. Every Windows has Lucida Sans Unicode. Elsewhere DejaVu Sans Mono comes first: Wine's
// text shaper faults in an edit control on the mark positioning of DejaVu Sans (at a stress or
// length mark that follows no letter) and of Charis SIL (at "ɪ"), and not on its (though it draws
// those marks over the character before them).
inline constexpr std::array<std::string_view, 6> kIpaFaces{
    "Lucida Sans Unicode", "DejaVu Sans Mono", "DejaVu Sans",
    "Charis SIL",          "Segoe UI",         "Arial Unicode MS"};
// The line's and the chart's glyph sizes, in pixels at 96 DPI.
inline constexpr int kLineFacePixels = 19;
inline constexpr int kGlyphFacePixels = 16;

// The notices given, each once a run, when a copy could not be pasted for the user: the switch
// back did not happen; the user did not allow keys to be sent; the desktop offers no way to.
inline constexpr std::string_view kPasteByHandNotice = "Copied: press Ctrl+V to paste";
inline constexpr std::string_view kPasteRefusedNotice =
    "Copied: press Ctrl+V to paste (pasting for you was not allowed)";
inline constexpr std::string_view kPasteUnavailableNotice =
    "Copied: press Ctrl+V to paste (this desktop lets no program paste for you)";

} // namespace korv
