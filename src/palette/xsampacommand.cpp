// SPDX-License-Identifier: GPL-3.0-or-later
#include "xsampacommand.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "linecommand.h"
#include "utf16.h"
#include "xsampa.h"

namespace korv {

bool isXsampaCommand(int argc, const char* const* argv) {
    return argc >= 2 && argv[1] != nullptr && std::string_view(argv[1]) == "--xsampa";
}

int runXsampaCommand(int argc, const char* const* argv, std::FILE* in, std::FILE* out,
                     std::FILE* err) {
    const auto words = std::span<const char* const>(argv, static_cast<std::size_t>(argc))
                           .subspan(std::min<std::size_t>(2, static_cast<std::size_t>(argc)));
    return runLineCommand(words, {in, out, err}, [](std::string_view line) {
        return toUtf8(xsampaToIpa(fromUtf8(line)));
    });
}

} // namespace korv
