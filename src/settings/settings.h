// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/inifile.h"
#include "settings/version.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korv {

inline constexpr std::string_view kIniName = "KORVANI.INI";
inline constexpr std::string_view kLogName = "KORVANI.LOG";
inline constexpr std::string_view kDefaultHomepage = kHomepage;

// Sections and keys of the settings file.
inline constexpr std::string_view kOptionsSection = "Korvani";
inline constexpr std::string_view kPositionSection = "Position";
inline constexpr std::string_view kAutoPasteKey = "AutoPaste";
inline constexpr std::string_view kShowHintsKey = "ShowHints";
inline constexpr std::string_view kUseUnicodeFontKey = "UseUnicodeFont";
inline constexpr std::string_view kHomepageKey = "Homepage";
inline constexpr std::string_view kFontSizeKey = "FontSize";
inline constexpr std::string_view kLastTabKey = "LastTab";
inline constexpr std::string_view kCopyFaceKey = "CopyFace";
// The desktop's permission to send keys, kept where it lets the next run go unasked.
inline constexpr std::string_view kPastePermissionKey = "PastePermission";
inline constexpr std::string_view kLeftKey = "Left";
inline constexpr std::string_view kTopKey = "Top";
// The IPA chart window: where it was, its size and zoom.
inline constexpr std::string_view kChartSection = "Chart";
inline constexpr std::string_view kWidthKey = "Width";
inline constexpr std::string_view kHeightKey = "Height";
inline constexpr std::string_view kZoomKey = "Zoom";

// The log's section: a fixed name, whatever the executable is called.
inline constexpr std::string_view kLogSection = "KORVANI.EXE";

inline constexpr std::int32_t kDefaultFontSize = 6; // an index into the size list: 16 points
inline constexpr std::int32_t kDefaultLeft = 50;
inline constexpr std::int32_t kDefaultTop = 50;

/// Shown whenever a settings or log value cannot be written in folder: two paragraphs, split by
/// "\n\n", which the message box wraps.
std::string settingsFailureMessage(std::string_view folder);

struct Settings {
    bool autoPaste = true;
    bool showHints = true;
    bool useUnicodeFont = true;
    std::string homepage{kDefaultHomepage};
    std::int32_t fontSize = kDefaultFontSize;
    std::int32_t left = kDefaultLeft;
    std::int32_t top = kDefaultTop;
};

// Reads the seven settings, one access each, missing or malformed ones taking their defaults.
// Never writes.
Settings loadSettings(const IniAccess& ini, bool autoPasteDefault);

// Rewrites the start-up log: drops the sections "Korvani" and "KORVANI.EXE", then writes the
// version and the build. Stops at the first step that fails and returns false.
bool writeStartupLog(IniAccess& log);

} // namespace korv
