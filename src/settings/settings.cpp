// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

namespace korv {

std::string settingsFailureMessage(std::string_view folder) {
    return "Korvani is unable to save or update its settings in " + std::string(folder) +
           ".\n\nPlease check Korvani has write permissions for its own files or contact your "
           "administrator to grant Korvani these rights.";
}

Settings loadSettings(const IniAccess& ini, bool autoPasteDefault) {
    // One statement per key: the file is read in this order, one access per value.
    Settings settings;
    settings.autoPaste = ini.readBool(kOptionsSection, kAutoPasteKey, autoPasteDefault);
    settings.showHints = ini.readBool(kOptionsSection, kShowHintsKey, true);
    settings.useUnicodeFont = ini.readBool(kOptionsSection, kUseUnicodeFontKey, true);
    settings.homepage = ini.readString(kOptionsSection, kHomepageKey, kDefaultHomepage);
    settings.fontSize = ini.readInteger(kOptionsSection, kFontSizeKey, kDefaultFontSize);
    settings.left = ini.readInteger(kPositionSection, kLeftKey, kDefaultLeft);
    settings.top = ini.readInteger(kPositionSection, kTopKey, kDefaultTop);
    return settings;
}

bool writeStartupLog(IniAccess& log) {
    // The file of the program's own is rewritten once before the first picture, not per value.
    const IniChange changes[] = {
        {kOptionsSection, std::nullopt, {}},
        {kLogSection, std::nullopt, {}},
        {kLogSection, "Version", kVersion},
        {kLogSection, "Build", kBuild},
    };
    return log.change(changes);
}

} // namespace korv
