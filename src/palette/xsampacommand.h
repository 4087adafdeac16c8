// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

namespace korv {

// True when the first argument is "--xsampa": the program converts and ends, with no window.
bool isXsampaCommand(int argc, const char* const* argv);

// Writes the IPA for the X-SAMPA of the arguments after the first, joined by spaces, or of each
// line of `in` when there are none or only "-"; returns the exit status (see runLineCommand).
int runXsampaCommand(int argc, const char* const* argv, std::FILE* in, std::FILE* out,
                     std::FILE* err);

} // namespace korv
