// SPDX-License-Identifier: GPL-3.0-or-later
#include "linecommand.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include "utf8.h"

namespace korv {
namespace {

class LineWriter {
public:
    explicit LineWriter(const CommandStreams& streams)
        : m_streams(streams) {}

    // Writes the converted line and its end; flushed at once, so that a script that writes a
    // line and waits for its answer gets it.
    bool write(const std::string& text, std::string_view end) {
        errno = 0;
        const bool written =
            std::fwrite(text.data(), 1, text.size(), m_streams.out) == text.size() &&
            std::fwrite(end.data(), 1, end.size(), m_streams.out) == end.size() &&
            std::fflush(m_streams.out) == 0;
        if (!written) {
            report("cannot write the output", errno);
        }
        return written;
    }

    void report(std::string_view what, int error) {
        std::fprintf(m_streams.err, "korvani: %.*s%s%s\n", static_cast<int>(what.size()),
                     what.data(), error != 0 ? ": " : "", error != 0 ? std::strerror(error) : "");
    }

    // Says where `text`, which begins `offset` bytes into `source`, stops being UTF-8.
    bool checkUtf8(std::string_view text, std::size_t offset, const char* source) {
        const std::size_t bad = invalidUtf8Offset(text);
        if (bad == std::string_view::npos) {
            return true;
        }
        std::fprintf(m_streams.err, "korvani: %s is not UTF-8 at byte offset %llu\n", source,
                     static_cast<unsigned long long>(offset + bad));
        return false;
    }

private:
    CommandStreams m_streams;
};

int convertInput(const CommandStreams& streams, const LineConversion& convert) {
    LineWriter writer(streams);
    std::string line;
    std::size_t lineOffset = 0; // of the line's first byte in the whole input
    for (;;) {
        // Read by character, not by block: a script that writes one line and waits for its
        // answer must get it before the input ends.
        int c = 0;
        while ((c = std::getc(streams.in)) != EOF && c != '\n') {
            line += static_cast<char>(c);
        }
        if (c == EOF && std::ferror(streams.in) != 0) {
            writer.report("cannot read the input", errno);
            return kCommandFailed;
        }
        if (c == EOF && line.empty()) {
            return kCommandSucceeded;
        }
        const std::size_t length = line.size() + (c == EOF ? 0 : 1);
        // A line end is written as it came, CR LF or LF; a last line without one gets LF.
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) {
            line.pop_back();
        }
        if (!writer.checkUtf8(line, lineOffset, "the input") ||
            !writer.write(convert(line), crlf ? "\r\n" : "\n")) {
            return kCommandFailed;
        }
        lineOffset += length;
        line.clear();
        if (c == EOF) {
            return kCommandSucceeded;
        }
    }
}

} // namespace

int runLineCommand(std::span<const char* const> words, const CommandStreams& streams,
                   const LineConversion& convert) {
#ifdef SIGPIPE
    // A reader that went away is reported as a failed write instead of ending the program
    // without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    if (words.empty() || (words.size() == 1 && std::string_view(words[0]) == "-")) {
        return convertInput(streams, convert);
    }
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += i > 0 ? " " : "";
        text += words[i] != nullptr ? words[i] : "";
    }
    LineWriter writer(streams);
    if (!writer.checkUtf8(text, 0, "the text")) {
        return kCommandFailed;
    }
    return writer.write(convert(text), "\n") ? kCommandSucceeded : kCommandFailed;
}

} // namespace korv
