// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings live: beside a copy the user may write, in the user's folder otherwise.

#include "settings/settingsfolder.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

constexpr const char* kExe = "/opt/korvani/";
constexpr const char* kUser = "/home/u/.config/korvani/";

TEST(SettingsFolder, Choice) {
    const struct {
        const char* name;
        FolderFacts facts;
        const char* expected;
    } cases[] = {
        {"portableWritable", {kExe, false, true, false, kUser}, kExe},
        {"sharedFolderWithWritableIni", {kExe, false, false, true, kUser}, kExe},
        {"readOnlyFolder", {kExe, false, false, false, kUser}, kUser},
        {"installedEvenWhenWritable", {kExe, true, true, true, kUser}, kUser},
        {"unknownExecutable", {"", false, false, false, kUser}, kUser},
        {"noUserFolderKeepsExe", {kExe, true, false, false, ""}, kExe},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseSettingsFolder(c.facts), c.expected) << c.name;
    }
}

TEST(SettingsFolder, UserFolderFromEnvironment) {
    const struct {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/korvani/"},
        {"/x/cfg/", "/home/u", "/x/cfg/korvani/"},
        {"", "/home/u", "/home/u/.config/korvani/"},
        {"relative/cfg", "/home/u/", "/home/u/.config/korvani/"},
        {nullptr, "/home/u", "/home/u/.config/korvani/"},
        {nullptr, "relative", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(userConfigFolder(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(SettingsFolder, MadeWithParentsPrivateAndLastByUmask) {
    const TempFolder temp;
    const std::string folder = temp.file("cfg/korvani/");
    const mode_t old = ::umask(022);
    EXPECT_TRUE(makeFolder(folder));
    EXPECT_TRUE(makeFolder(folder)); // already there
    ::umask(old);
    EXPECT_EQ(statOf(temp.file("cfg")).st_mode & 0777, 0700U);
    EXPECT_EQ(statOf(folder).st_mode & 0777, 0755U);
    EXPECT_FALSE(makeFolder(temp.file("cfg/korvani/x/") + std::string(5000, 'a')));
}

} // namespace
} // namespace korv
