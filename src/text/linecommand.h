// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace korv {

// Where a command-line conversion reads, writes and reports.
struct CommandStreams {
    std::FILE* in;
    std::FILE* out;
    std::FILE* err;
};

// Turns one line of UTF-8 text, without its line end, into the line to write.
using LineConversion = std::function<std::string(std::string_view line)>;

// Exit statuses of a conversion command.
inline constexpr int kCommandSucceeded = 0;
inline constexpr int kCommandFailed = 1;

// Converts `words` joined by spaces, or each line of the input when there are none or the only
// one is "-", and writes one line for each; input that is not UTF-8, or a failed read or write,
// is reported on `err` and ends the command with kCommandFailed.
int runLineCommand(std::span<const char* const> words, const CommandStreams& streams,
                   const LineConversion& convert);

} // namespace korv
