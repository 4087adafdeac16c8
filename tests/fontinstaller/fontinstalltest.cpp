#include "fontinstall.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>

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

struct InstallCase {
    const char* name;
    std::function<void(const fs::path& root)> setup;
    Outcome outcome;
    std::set<std::string> installed; // files in the target afterwards
};

void PrintTo(const InstallCase& c, std::ostream* out) {
    *out << c.name;
}

class InstallFilesTest : public testing::TestWithParam<InstallCase> {};

void put(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    writeBytes(path.string(), bytes);
}

void beside(const fs::path& root) {
    put(root / "bin/Korvani.ttf", "font");
    put(root / "bin/Korvani-OFL.txt", "licence");
    put(root / "bin/Korvani-FONTLOG.txt", "log");
}

const std::set<std::string> kAll{"Korvani.ttf", "Korvani-OFL.txt", "Korvani-FONTLOG.txt"};

const InstallCase kInstallCases[] = {
    {"FirstInstall", beside, Outcome::Installed, kAll},
    {"AgainIsUnchanged",
     [](const fs::path& root) {
         beside(root);
         fs::create_directories(root / "fonts/korvani");
         for (const std::string& name : kAll) {
             fs::copy_file(root / "bin" / name, root / "fonts/korvani" / name);
         }
     },
     Outcome::Unchanged, kAll},
    {"OlderCopyReplaced",
     [](const fs::path& root) {
         beside(root);
         put(root / "fonts/korvani/Korvani.ttf", "old font");
     },
     Outcome::Updated, kAll},
    {"InstalledCopyDataFolder",
     [](const fs::path& root) {
         fs::create_directories(root / "bin");
         put(root / "share/korvani/Korvani.ttf", "font");
     },
     Outcome::Installed,
     {"Korvani.ttf"}},
    {"NoFont",
     [](const fs::path& root) { put(root / "bin/Korvani-OFL.txt", "licence"); },
     Outcome::NoFont,
     {}},
    {"FontUnreadable",
     [](const fs::path& root) { fs::create_directories(root / "bin/Korvani.ttf"); },
     Outcome::NoFont,
     {}},
    {"FontsFolderIsAFile",
     [](const fs::path& root) {
         beside(root);
         put(root / "fonts", "not a folder");
     },
     Outcome::NotWritable,
     {}},
};

TEST_P(InstallFilesTest, InstallsAllOrNothing) {
    const InstallCase& c = GetParam();
    TempFolder folder;
    const fs::path root = folder.path();
    c.setup(root);
    const auto before = tree(root);
    const fs::path target = root / "fonts/korvani";
    const std::string fontPath = (target / "Korvani.ttf").string();
    struct stat old {};
    const bool existed = ::stat(fontPath.c_str(), &old) == 0;

    const mode_t mask = ::umask(077);
    const Result result =
        installFiles(sourceFolders(root.string() + "/bin/", "../share/korvani"), target.string());
    ::umask(mask);

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.folder, target.string());
    if (!succeeded(result)) {
        EXPECT_EQ(tree(root), before) << "a failure changes nothing";
        return;
    }
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(target)) {
        names.insert(entry.path().filename().string());
        EXPECT_EQ(readBytes(entry.path().string()),
                  readBytes((root / (c.installed == kAll ? "bin" : "share/korvani") /
                             entry.path().filename())
                                .string()));
        EXPECT_EQ(fs::status(entry).permissions() & fs::perms::others_read, fs::perms::others_read);
    }
    EXPECT_EQ(names, c.installed);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_exec, fs::perms::others_exec);
    struct stat now {};
    ASSERT_EQ(::stat(fontPath.c_str(), &now), 0);
    EXPECT_EQ(existed && now.st_ino == old.st_ino, c.outcome == Outcome::Unchanged);
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallFilesTest, testing::ValuesIn(kInstallCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FontInstall, UserFontsFolderFollowsFontconfig) {
    const struct {
        const char* home;
        const char* xdg;
        std::string expected;
    } cases[] = {
        {"/home/u", nullptr, "/home/u/.local/share/fonts"},
        {"/home/u/", "", "/home/u/.local/share/fonts"},
        {"/home/u", "/data", "/data/fonts"},
        {"relative", "relative", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(userFontsFolder(c.home, c.xdg), c.expected) << (c.home ? c.home : "(none)");
    }
}

TEST(FontInstall, CacheRefreshRunsFcCacheAndTellsWhyItFailed) {
    const struct {
        int status;
        int error;
        const char* problem;
    } cases[] = {
        {0, 0, ""},
        {1, 0, "fc-cache ended with status 1"},
        {-1, ENOENT, "fc-cache was not found"},
        {kKilled, 0, "fc-cache did not finish"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> ran;
        const std::string problem = refreshCache(
            [&](const std::vector<std::string>& argv) {
                ran = argv;
                errno = c.error;
                return c.status;
            },
            "/home/u/.local/share/fonts");
        EXPECT_EQ(problem, c.problem);
        EXPECT_EQ(ran, (std::vector<std::string>{"fc-cache", "/home/u/.local/share/fonts"}));
    }
    EXPECT_EQ(spawnAndWait({"false"}), 1);
    errno = 0;
    EXPECT_EQ(spawnAndWait({"/nonexistent/fc-cache"}), -1);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
} // namespace korv::fontinstall
