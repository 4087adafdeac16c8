// SPDX-License-Identifier: GPL-3.0-or-later
// korvani --transcribe over a fake engine: arguments or standard input, the accent, and the
// failures it reports.

#include "commandfiles.h"
#include "fakeengine.h"
#include "transcribecommand.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(TranscribeCommand, ArgumentsOrStandardInput) {
    const struct {
        std::vector<const char*> argv;
        std::string_view input;
        bool engineFails;
        int status;
        std::string_view out;
        std::string_view err;
    } cases[] = {
        {{"korvani", "--transcribe", "Hello,", "world!"}, "", false, 0, "həˈləʊ, wɜːld!\n", ""},
        {{"korvani", "--transcribe", "--accent", "ga", "butter"}, "", false, 0, "ˈbʌtɚ\n", ""},
        {{"korvani", "--transcribe"}, "hello\r\nworld\n", false, 0, "həˈləʊ\r\nwɜːld\n", ""},
        {{"korvani", "--transcribe", "--accent", "GA", "-"}, "world", false, 0, "wɝld\n", ""},
        {{"korvani", "--transcribe"},
         "hello\n\xC3",
         false,
         1,
         "həˈləʊ\n",
         "korvani: the input is not UTF-8 at byte offset 6\n"},
        {{"korvani", "--transcribe", "--accent", "au", "hello"},
         "",
         false,
         2,
         "",
         "usage: korvani --transcribe [--accent rp|ga] [WORDS...|-]\n"},
        {{"korvani", "--transcribe", "--accent"},
         "",
         false,
         2,
         "",
         "usage: korvani --transcribe [--accent rp|ga] [WORDS...|-]\n"},
        {{"korvani", "--transcribe", "hello"},
         "",
         true,
         1,
         "",
         "korvani: spelling to IPA needs espeak-ng (packages libespeak-ng1 and espeak-ng-data), "
         "which could not be loaded\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argv.back());
        test::TempFile in(c.input);
        test::TempFile out;
        test::TempFile err;
        auto log = std::make_shared<test::EngineLog>();
        const int argc = static_cast<int>(c.argv.size());
        ASSERT_TRUE(isTranscribeCommand(argc, c.argv.data()));
        EXPECT_EQ(
            runTranscribeCommand(argc, c.argv.data(), in.get(), out.get(), err.get(),
                                 test::fakeEngineFactory(log, test::kFakeWords, c.engineFails)),
            c.status);
        EXPECT_EQ(out.text(), c.out);
        EXPECT_EQ(err.text(), c.err);
    }
    const char* const other[] = {"korvani", "--xsampa"};
    EXPECT_FALSE(isTranscribeCommand(2, other));
    EXPECT_FALSE(isTranscribeCommand(1, other));
}

} // namespace
} // namespace korv
