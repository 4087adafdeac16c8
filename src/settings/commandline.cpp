// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/commandline.h"

#include <string>

namespace korv {

StartCommand startCommand(int argc, const char* const* argv) {
    if (argc < 2 || argv[1] == nullptr) {
        return StartCommand::Normal;
    }
    std::string first(argv[1]);
    for (char& c : first) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return first == "/hide"     ? StartCommand::Hide
           : first == "/show"   ? StartCommand::Show
           : first == "/toggle" ? StartCommand::Toggle
                                : StartCommand::Normal;
}

} // namespace korv
