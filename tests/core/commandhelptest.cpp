// SPDX-License-Identifier: GPL-3.0-or-later
// --help: which arguments ask for it, and what is written where.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "commandhelp.h"

namespace korv {
namespace {

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, n);
    }
    return text;
}

TEST(CommandHelp, AskedByItsSpellingsAsTheFirstArgumentOnly) {
    struct Case {
        std::vector<const char*> argv;
        bool help;
    };
    const Case cases[] = {
        {{"korvani", "--help"}, true},
        {{"korvani", "-h"}, true},
        {{"korvani", "/?"}, true},
        {{"korvani", "-?"}, true},
        {{"korvani"}, false},
        {{"korvani", "--xsampa", "--help"}, false},
        {{"korvani", "/hide"}, false},
        {{"korvani", "--HELP"}, false},
        {{"korvani", "--helpme"}, false},
        {{"korvani", nullptr}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argv.size() > 1 && c.argv[1] != nullptr ? c.argv[1] : "(none)");
        EXPECT_EQ(isHelpCommand(static_cast<int>(c.argv.size()), c.argv.data()), c.help);
    }
}

TEST(CommandHelp, WritesEveryCommandAndSaysWhenItCannot) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ASSERT_NE(err, nullptr);
    EXPECT_EQ(runHelpCommand(out, err, true), 0);
    const std::string text = readAll(out);
    EXPECT_EQ(text, helpText(true));
    EXPECT_NE(text.find("--transcribe"), std::string::npos);
    // A program without the speech engine's command does not offer it.
    EXPECT_EQ(helpText(false).find("--transcribe"), std::string::npos);
    EXPECT_NE(helpText(false).find("--xsampa"), std::string::npos);
    for (const char* command : {"/hide", "/show", "/toggle", "--xsampa", "--help", "Ctrl+K"}) {
        EXPECT_NE(text.find(command), std::string::npos) << command;
    }
    EXPECT_EQ(readAll(err), "");
    std::fclose(out);

    std::FILE* full = std::fopen("/dev/full", "w");
    if (full != nullptr) {
        EXPECT_EQ(runHelpCommand(full, err, true), 1);
        EXPECT_NE(readAll(err).find("could not be written"), std::string::npos);
        std::fclose(full);
    }
    std::fclose(err);
}

} // namespace
} // namespace korv
