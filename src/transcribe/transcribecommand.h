// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transcriber.h"

#include <cstdio>

namespace korv {

// True when the first argument is "--transcribe": the program transcribes and ends, with no
// window.
bool isTranscribeCommand(int argc, const char* const* argv);

// Writes the IPA for the English words of the arguments after "--transcribe [--accent rp|ga]",
// or of each line of `in` when there are none or only "-" (see runLineCommand). Returns the exit
// status: 1 when the engine cannot be loaded, 2 for an accent it does not know.
int runTranscribeCommand(int argc, const char* const* argv, std::FILE* in, std::FILE* out,
                         std::FILE* err, const PhonemeEngineFactory& makeEngine);

} // namespace korv
