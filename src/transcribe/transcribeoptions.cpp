// SPDX-License-Identifier: GPL-3.0-or-later
#include "transcribeoptions.h"

#include "settings/settings.h"

#include <cctype>
#include <string>

namespace korv {

std::optional<Accent> parseAccent(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (lower == kAccentRp) {
        return Accent::Rp;
    }
    if (lower == kAccentGa) {
        return Accent::Ga;
    }
    return std::nullopt;
}

std::string_view accentName(Accent accent) {
    return accent == Accent::Ga ? kAccentGa : kAccentRp;
}

TranscribeOptions loadTranscribeOptions(const IniAccess& ini) {
    TranscribeOptions options;
    options.accent =
        parseAccent(ini.readString(kOptionsSection, kAccentKey, "")).value_or(options.accent);
    options.turnedR = ini.readBool(kOptionsSection, kTranscribeTurnedRKey, options.turnedR);
    options.tieBars = ini.readBool(kOptionsSection, kTranscribeTieBarsKey, options.tieBars);
    return options;
}

bool saveTranscribeOptions(IniAccess& ini, const TranscribeOptions& options) {
    return ini.writeString(kOptionsSection, kAccentKey, accentName(options.accent)) &&
           ini.writeBool(kOptionsSection, kTranscribeTurnedRKey, options.turnedR) &&
           ini.writeBool(kOptionsSection, kTranscribeTieBarsKey, options.tieBars);
}

} // namespace korv
