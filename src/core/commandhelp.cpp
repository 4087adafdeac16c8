// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandhelp.h"

#include <array>
#include <string>
#include <string_view>

#include "linecommand.h"

namespace korv {
namespace {

constexpr std::string_view kHelpStart =
    "Usage: korvani [COMMAND]\n"
    "\n"
    "Korvani writes IPA transcriptions: click the symbols of its charts, or type X-SAMPA, then\n"
    "copy or paste the line into a document.\n"
    "\n"
    "Commands (the first argument, in any case of letters):\n"
    "  /hide             start in the notification area, the window hidden\n"
    "  /show             bring the running Korvani to the front, or start one\n"
    "  /toggle           bring the running Korvani to the front, or hide it if in front\n"
    "  --xsampa [TEXT]   write the IPA for the X-SAMPA TEXT, or for each line of standard\n"
    "                    input when there is no TEXT or it is \"-\", and end\n";
constexpr std::string_view kHelpTranscribe =
    "  --transcribe [--accent rp|ga] [WORDS]\n"
    "                    write the IPA for English WORDS, or for each line of standard\n"
    "                    input, and end\n";
constexpr std::string_view kHelpEnd =
    "  --help, -h, /?    write this help and end\n"
    "\n"
    "Keys in the line: Ctrl+Return copies (or pastes), Ctrl+Shift+C copies plain text alone,\n"
    "Ctrl+F searches the symbols, Ctrl+K opens the IPA chart, Ctrl+Shift+X converts X-SAMPA,\n"
    "Ctrl+D keeps the selection in Mine, Ctrl+Page Up and Ctrl+Page Down change the chart.\n"
    "\n"
    "Settings are kept in KORVANI.INI beside the program, or in the user's settings folder.\n";

} // namespace

bool isHelpCommand(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr) {
        return false;
    }
    const std::string_view first(argv[1]);
    constexpr std::array<std::string_view, 4> kAsks{"--help", "-h", "-?", "/?"};
    for (const std::string_view ask : kAsks) {
        if (first == ask) {
            return true;
        }
    }
    return false;
}

std::string helpText(bool transcribes) {
    std::string text(kHelpStart);
    if (transcribes) {
        text += kHelpTranscribe;
    }
    text += kHelpEnd;
    return text;
}

int runHelpCommand(std::FILE* out, std::FILE* err, bool transcribes) {
    const std::string help = helpText(transcribes);
    const bool written =
        std::fwrite(help.data(), 1, help.size(), out) == help.size() && std::fflush(out) == 0;
    if (!written) {
        std::fputs("korvani: the help could not be written\n", err);
        return kCommandFailed;
    }
    return kCommandSucceeded;
}

} // namespace korv
