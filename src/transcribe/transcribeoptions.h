// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/iniaccess.h"

#include <optional>
#include <string_view>

namespace korv {

// Which pronunciation spelling is transcribed into.
enum class Accent { Rp, Ga };

// How a transcription is written: the accent, and the two choices of symbol.
struct TranscribeOptions {
    Accent accent = Accent::Rp;
    bool turnedR = false; // ɹ instead of r
    bool tieBars = false; // t͡ʃ d͡ʒ instead of tʃ dʒ
    bool operator==(const TranscribeOptions&) const = default;
};

// Keys in the options section ("Korvani") of KORVANI.INI.
inline constexpr std::string_view kAccentKey = "Accent";
inline constexpr std::string_view kTranscribeTurnedRKey = "TranscribeTurnedR";
inline constexpr std::string_view kTranscribeTieBarsKey = "TranscribeTieBars";
// The accent key's values.
inline constexpr std::string_view kAccentRp = "rp";
inline constexpr std::string_view kAccentGa = "ga";

// "rp" or "ga", in any case and with blanks around it; anything else is no accent.
std::optional<Accent> parseAccent(std::string_view text);
std::string_view accentName(Accent accent);

// Reads the three options, one access each; missing or malformed values take the defaults.
TranscribeOptions loadTranscribeOptions(const IniAccess& ini);

// Writes the three options; stops at the first that fails and returns false.
bool saveTranscribeOptions(IniAccess& ini, const TranscribeOptions& options);

} // namespace korv
