// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

namespace korv {

/// True when the first argument asks what the arguments are: "--help", "-h", "-?" or "/?".
bool isHelpCommand(int argc, const char* const* argv);

/// What the program takes on its command line, with "\n" line ends; transcribes: the program
/// has the --transcribe command.
std::string helpText(bool transcribes);

/// Writes the help to out, without a window; the exit status: 0, or 1 when it could not be
/// written, which is said on err.
int runHelpCommand(std::FILE* out, std::FILE* err, bool transcribes);

} // namespace korv
