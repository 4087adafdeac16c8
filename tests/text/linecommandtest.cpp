// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "commandfiles.h"
#include "linecommand.h"
#include "utf16.h"

namespace korv {
namespace {

using test::TempFile;

std::string bracketed(std::string_view line) {
    return "[" + std::string(line) + "]";
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<const char*> words, std::string_view input) {
    TempFile in(input);
    TempFile out;
    TempFile err;
    const int status = runLineCommand(words, {in.get(), out.get(), err.get()}, bracketed);
    return {status, out.text(), err.text()};
}

TEST(LineCommand, WordsOrInputLineByLine) {
    const struct {
        std::vector<const char*> words;
        std::string_view input;
        std::string_view out;
    } cases[] = {
        {{"D@", "\"k{t"}, "ignored\n", "[D@ \"k{t]\n"},
        {{"ə"}, "", "[ə]\n"},
        {{""}, "", "[]\n"},
        {{}, "a\nb c\n", "[a]\n[b c]\n"},
        {{"-"}, "a\nb c\n", "[a]\n[b c]\n"},
        {{"-", "-"}, "a\n", "[- -]\n"},
        {{}, "no end", "[no end]\n"},
        {{}, "crlf\r\nlf\n", "[crlf]\r\n[lf]\n"},
        {{}, "\n\n", "[]\n[]\n"},
        {{}, "", ""},
        {{}, std::string_view("nul\0in\n", 7), std::string_view("[nul\0in]\n", 9)},
        {{}, "\U0001DF0A ɓ\n", "[\U0001DF0A ɓ]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        const Outcome outcome = run(c.words, c.input);
        EXPECT_EQ(outcome.status, kCommandSucceeded);
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, "");
    }
}

// Lines before the fault are converted; nothing from it on.
TEST(LineCommand, InputThatIsNotUtf8NamesItsByteOffset) {
    const struct {
        std::vector<const char*> words;
        std::string_view input;
        std::string_view out;
        std::string_view err;
    } cases[] = {
        {{}, "ok\nab\xff\nnever\n", "[ok]\n", "the input is not UTF-8 at byte offset 5"},
        {{}, "\xC0\xAF", "", "the input is not UTF-8 at byte offset 0"},         // overlong "/"
        {{}, "a\xED\xA0\x80", "", "the input is not UTF-8 at byte offset 1"},    // surrogate
        {{}, "\xF4\x90\x80\x80", "", "the input is not UTF-8 at byte offset 0"}, // > U+10FFFF
        {{}, "\xE2\x82\n", "", "the input is not UTF-8 at byte offset 0"},       // cut short
        {{}, "\x80", "", "the input is not UTF-8 at byte offset 0"},
        {{"ok", "\xE9t\xE9"}, "", "", "the text is not UTF-8 at byte offset 3"}, // Latin-1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        const Outcome outcome = run(c.words, c.input);
        EXPECT_EQ(outcome.status, kCommandFailed);
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, "korvani: " + std::string(c.err) + "\n");
    }
}

TEST(LineCommand, Utf8DecodesToUtf16) {
    const std::string text = "aə\U0001DF0A\u0361";
    ASSERT_EQ(invalidUtf8Offset(text), std::string_view::npos);
    EXPECT_EQ(fromUtf8(text), u"aə\U0001DF0A\u0361");
    EXPECT_EQ(toUtf8(fromUtf8(text)), text);
}

TEST(LineCommand, AFailedWriteIsReported) {
    // A stream that takes no writes.
    const auto path = std::filesystem::temp_directory_path() / "korv-linecommand-readonly";
    std::fclose(std::fopen(path.string().c_str(), "wb"));
    std::FILE* readOnly = std::fopen(path.string().c_str(), "rb");
    ASSERT_NE(readOnly, nullptr);
    TempFile in("a\n");
    TempFile err;
    const std::vector<const char*> words = {"text"};
    EXPECT_EQ(runLineCommand(words, {in.get(), readOnly, err.get()}, bracketed), kCommandFailed);
    EXPECT_EQ(err.text().rfind("korvani: cannot write the output", 0), 0u) << err.text();
    std::fclose(readOnly);
    std::filesystem::remove(path);
}

#ifndef _WIN32
TEST(LineCommand, AReaderThatWentAwayIsReported) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    std::FILE* out = fdopen(ends[1], "w");
    ASSERT_NE(out, nullptr);
    TempFile in("a\nb\n");
    TempFile err;
    EXPECT_EQ(runLineCommand({}, {in.get(), out, err.get()}, bracketed), kCommandFailed);
    EXPECT_EQ(err.text().rfind("korvani: cannot write the output: ", 0), 0u) << err.text();
    std::fclose(out);
}

TEST(LineCommand, AFullDiskIsReported) {
    std::FILE* out = std::fopen("/dev/full", "w");
    ASSERT_NE(out, nullptr);
    TempFile in("a\n");
    TempFile err;
    EXPECT_EQ(runLineCommand({}, {in.get(), out, err.get()}, bracketed), kCommandFailed);
    EXPECT_EQ(err.text(), "korvani: cannot write the output: No space left on device\n");
    std::fclose(out);
}
#endif

} // namespace
} // namespace korv
