// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontinstall.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "../settings/tempfolder.h"

namespace korv::fontinstall {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

std::set<std::string> tree(const fs::path& root) {
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        paths.insert(entry.path().string() + "=" +
                     (entry.is_regular_file() ? readBytes(entry.path().string()) : ""));
    }
    return paths;
}

// The font and its texts, as the build leaves them beside the program.
const std::map<std::string, std::string> kFiles{
    {"Korvani.ttf", "font"}, {"Korvani-OFL.txt", "licence"}, {"Korvani-FONTLOG.txt", "log"}};
const std::set<std::string> kAll{"Korvani.ttf", "Korvani-OFL.txt", "Korvani-FONTLOG.txt"};

TEST(FontInstall, InstallsAllOrNothing) {
    const struct {
        const char* name;
        std::vector<const char*> complete; // folders holding all of kFiles
        const char* more;                  // one more file or, without bytes, folder
        const char* bytes;
        Outcome outcome;
        std::set<std::string> installed; // files in the target afterwards
    } cases[] = {
        {"first", {"bin"}, nullptr, nullptr, Outcome::Installed, kAll},
        {"again", {"bin", "fonts/korvani"}, nullptr, nullptr, Outcome::Unchanged, kAll},
        {"older copy", {"bin"}, "fonts/korvani/Korvani.ttf", "old font", Outcome::Updated, kAll},
        {"data dir", {}, "share/korvani/Korvani.ttf", "font", Outcome::Installed, {"Korvani.ttf"}},
        {"no font", {}, "bin/Korvani-OFL.txt", "licence", Outcome::NoFont, {}},
        {"font unreadable", {}, "bin/Korvani.ttf", nullptr, Outcome::NoFont, {}},
        {"fonts is a file", {"bin"}, "fonts", "not a folder", Outcome::NotWritable, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path root = folder.path();
        fs::create_directories(root / "bin");
        for (const char* at : c.complete) {
            fs::create_directories(root / at);
            for (const auto& [name, bytes] : kFiles) {
                writeBytes((root / at / name).string(), bytes);
            }
        }
        if (c.bytes != nullptr) {
            fs::create_directories((root / c.more).parent_path());
            writeBytes((root / c.more).string(), c.bytes);
        } else if (c.more != nullptr) {
            fs::create_directories(root / c.more);
        }
        const auto before = tree(root);
        const fs::path target = root / "fonts/korvani";
        const auto inode = [font = (target / "Korvani.ttf").string()] {
            struct stat st {};
            return ::stat(font.c_str(), &st) == 0 ? st.st_ino : 0; // 0: no font there
        };
        const ino_t old = inode();
        const mode_t mask = ::umask(077);
        const Result result = installFiles(
            sourceFolders(root.string() + "/bin/", "../share/korvani"), target.string());
        ::umask(mask);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.folder, target.string());
        if (!succeeded(result)) {
            EXPECT_EQ(tree(root), before) << "a failure changes nothing";
            continue;
        }
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(target)) {
            names.insert(entry.path().filename().string());
            EXPECT_EQ(readBytes(entry.path().string()), kFiles.at(entry.path().filename()));
            EXPECT_EQ(fs::status(entry).permissions() & fs::perms::others_read,
                      fs::perms::others_read);
        }
        EXPECT_EQ(names, c.installed);
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_exec,
                  fs::perms::others_exec);
        const ino_t now = inode();
        EXPECT_NE(now, 0U);
        EXPECT_EQ(now == old, c.outcome == Outcome::Unchanged);
    }
}

TEST(FontInstall, UserFontsFolderFollowsFontconfig) {
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"/home/u", nullptr, "/home/u/.local/share/fonts"},
        {"/home/u/", "", "/home/u/.local/share/fonts"},
        {"/home/u", "/data", "/data/fonts"},
        {"relative", "relative", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& [home, xdg, expected] : cases) {
        EXPECT_EQ(userFontsFolder(home, xdg), expected) << (home ? home : "(none)");
    }
}

TEST(FontInstall, CacheRefreshRunsFcCacheAndTellsWhyItFailed) {
    const std::tuple<int, int, const char*> cases[] = {
        {0, 0, ""},
        {1, 0, "fc-cache ended with status 1"},
        {-1, ENOENT, "fc-cache was not found"},
        {kKilled, 0, "fc-cache did not finish"},
    };
    for (const auto& [status, error, problem] : cases) {
        std::vector<std::string> ran;
        EXPECT_EQ(refreshCache(
                      // Copies, as clang before 16 cannot capture structured bindings.
                      [&ran, status = status, error = error](const std::vector<std::string>& argv) {
                          ran = argv;
                          errno = error;
                          return status;
                      },
                      "/home/u/.local/share/fonts"),
                  problem);
        EXPECT_EQ(ran, (std::vector<std::string>{"fc-cache", "/home/u/.local/share/fonts"}));
    }
    EXPECT_EQ(spawnAndWait({"false"}), 1);
    errno = 0;
    EXPECT_EQ(spawnAndWait({"/nonexistent/fc-cache"}), -1);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
} // namespace korv::fontinstall
