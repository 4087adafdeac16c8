// SPDX-License-Identifier: GPL-3.0-or-later
#include "transcribecommand.h"

#include "linecommand.h"
#include "utf16.h"

#include <span>
#include <string_view>

namespace korv {

inline constexpr int kCommandUsage = 2;

bool isTranscribeCommand(int argc, const char* const* argv) {
    return argc >= 2 && argv[1] != nullptr && std::string_view(argv[1]) == "--transcribe";
}

int runTranscribeCommand(int argc, const char* const* argv, std::FILE* in, std::FILE* out,
                         std::FILE* err, const PhonemeEngineFactory& makeEngine) {
    auto words = std::span<const char* const>(argv, static_cast<std::size_t>(argc))
                     .subspan(std::min<std::size_t>(2, static_cast<std::size_t>(argc)));
    TranscribeOptions options;
    if (!words.empty() && words[0] != nullptr && std::string_view(words[0]) == "--accent") {
        const std::optional<Accent> accent =
            words.size() >= 2 && words[1] != nullptr ? parseAccent(words[1]) : std::nullopt;
        if (!accent) {
            std::fputs("usage: korvani --transcribe [--accent rp|ga] [WORDS...|-]\n", err);
            return kCommandUsage;
        }
        options.accent = *accent;
        words = words.subspan(2);
    }
    Transcriber transcriber(makeEngine);
    // Loaded before any input is read, so that a missing engine is told once and at once.
    if (!transcriber.transcribe(u"", options)) {
        std::fputs("korvani: spelling to IPA needs espeak-ng (packages libespeak-ng1 and "
                   "espeak-ng-data), which could not be loaded\n",
                   err);
        return kCommandFailed;
    }
    return runLineCommand(words, {in, out, err}, [&](std::string_view line) {
        return toUtf8(transcriber.transcribe(fromUtf8(line), options).value().text);
    });
}

} // namespace korv
