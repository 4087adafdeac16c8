// SPDX-License-Identifier: GPL-3.0-or-later
// The file around the text: failures, hostile files, permissions, links, the size limit and two
// writers at once.

#include "korvneeds.h"
#include "settings/filestore.h"
#include "settings/inifile.h"
#include "settings/settings.h"
#include "tempfolder.h"

#include <csignal>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korv {
namespace {

constexpr std::string_view kDef = "<default>";

// Every write to an unwritable place fails, creates nothing, and the start-up log stops.
TEST(Failure, UnwritablePlacesFailAndCreateNothing) {
    TempFolder folder;
    writeBytes(folder.file("plain"), "x");
    fs::create_directory(folder.file("KORVANI.INI"));
    const std::string paths[] = {
        folder.file("missing/KORVANI.INI"), // folder does not exist
        folder.file("plain/KORVANI.INI"),   // parent is a regular file
        folder.file("KORVANI.INI"),         // a folder in place of the file
        folder.file("KORVANI.INI") + "/",   // no file name at all
    };
    for (const std::string& path : paths) {
        IniFile ini(path);
        EXPECT_EQ(ini.readString("s", "k", kDef), kDef) << path;
        EXPECT_FALSE(ini.writeString("s", "k", "v")) << path;
        EXPECT_FALSE(ini.eraseSection("s")) << path;
        EXPECT_FALSE(writeStartupLog(ini)) << path;
    }
    EXPECT_FALSE(fs::exists(folder.file("missing")));
    EXPECT_EQ(readBytes(folder.file("plain")), "x");
    EXPECT_TRUE(fs::is_empty(folder.file("KORVANI.INI")));
}

TEST(Failure, ReadOnlyFileAndFolder) {
    test::asOrdinaryUser([] {
        TempFolder folder;
        const std::string path = folder.file("KORVANI.INI");
        writeBytes(path, "[Position]\nLeft=1\n");
        fs::permissions(path, fs::perms::owner_read);
        IniFile ini(path);
        EXPECT_EQ(ini.readInteger("Position", "Left", 0), 1);
        EXPECT_FALSE(ini.writeInteger("Position", "Left", 1)); // even when nothing would change
        EXPECT_FALSE(ini.writeInteger("Position", "Left", 2));
        EXPECT_EQ(readBytes(path), "[Position]\nLeft=1\n");

        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
        fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_TRUE(ini.writeInteger("Position", "Left", 2)); // the file itself may be written
        EXPECT_FALSE(IniFile(folder.file("KORVANI.LOG")).writeString("s", "k", "v"));
        fs::permissions(folder.path(), fs::perms::owner_all);
        EXPECT_EQ(readBytes(path), "[Position]\nLeft=2\n");
        EXPECT_FALSE(fs::exists(folder.file("KORVANI.LOG")));
    });
}

// A write that runs out of room (here a file size limit, like a full disk) keeps the old file
// whole and leaves no temporary file behind, replaced or written in place (a second link), and
// whether or not the process ignores SIGXFSZ: the write fails, the process lives on.
TEST(Failure, FullDiskKeepsOldFile) {
    const std::pair<bool, bool> cases[] = {
        {true, false}, {true, true}, {false, false}, {false, true}};
    for (const auto& [ignoreSignal, linked] : cases) {
        SCOPED_TRACE(testing::Message() << "ignored " << ignoreSignal << " linked " << linked);
        TempFolder folder;
        const std::string path = folder.file("KORVANI.INI");
        const std::string before = "[Korvani]\r\nFontSize=3\r\n";
        writeBytes(path, before);
        if (linked) {
            fs::create_hard_link(path, folder.file("link.ini"));
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
            const struct rlimit limit { 64, 64 };
            ::setrlimit(RLIMIT_FSIZE, &limit);
            IniFile ini(path);
            ::_exit(ini.writeString("Korvani", "Homepage", std::string(100, 'h')) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the write must report failure";
        EXPECT_EQ(readBytes(path), before);
        EXPECT_EQ(entriesIn(folder.path()), linked ? 2 : 1);
    }
}

// Hostile files read as defaults without hanging, and a write keeps what the user wrote.
TEST(Hostile, ReadsDefaultsAndWritesKeepEverythingElse) {
    std::string garbage;
    for (int i = 0; i < 100000; ++i) {
        garbage += static_cast<char>((i * 7919) % 251);
    }
    const std::string longLine(1 << 20, 'x');
    struct Case {
        std::string before;
        std::string after; // empty: the before bytes, then the new section
    };
    const Case cases[] = {
        {garbage, ""},
        {std::string(1 << 20, '\0'), ""},
        {"\xC0\xFF\xFE[s]\n\x80=\x81\n"s, ""},
        {"[s\0]\nk\0=1\n"s, ""},
        {"[s]\n" + longLine + "\n", "[s]\nk=v\n" + longLine + "\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("a.ini");
        writeBytes(path, c.before);
        IniFile ini(path);
        EXPECT_EQ(ini.readString("s", "k", kDef), kDef);
        ASSERT_TRUE(ini.writeString("s", "k", "v"));
        EXPECT_EQ(ini.readString("s", "k", kDef), "v");
        const std::string after = readBytes(path);
        if (c.after.empty()) {
            EXPECT_TRUE(after.starts_with(c.before));
            EXPECT_LE(after.size(), c.before.size() + 14);
        } else {
            EXPECT_EQ(after, c.after);
        }
    }
}

TEST(Hostile, FifoAndDeviceAreNotRead) {
    TempFolder folder;
    const std::string fifo = folder.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.file("zero.ini"));
    for (const std::string& path : {fifo, folder.file("zero.ini")}) {
        IniFile ini(path);
        EXPECT_EQ(ini.readString("s", "k", kDef), kDef);
        EXPECT_FALSE(ini.writeString("s", "k", "v"));
    }
}

TEST(Hostile, TooLargeFileReadsAsDefaultsAndIsNotRewritten) {
    TempFolder folder;
    const std::string path = folder.file("a.ini");
    std::string big = "[s]\nk=1\n";
    big.resize(store::kMaxFileSize + 1, ';');
    writeBytes(path, big);
    IniFile ini(path);
    EXPECT_EQ(ini.readString("s", "k", kDef), kDef);
    EXPECT_FALSE(ini.writeString("s", "k", "2"));
    EXPECT_EQ(fs::file_size(path), big.size());

    big.resize(store::kMaxFileSize);
    writeBytes(path, big);
    EXPECT_EQ(ini.readString("s", "k", kDef), "1");
}

TEST(Metadata, PermissionsKeptAndNewFileFollowsUmask) {
    TempFolder folder;
    const std::string path = folder.file("a.ini");
    writeBytes(path, "[s]\nk=1\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(IniFile(path).writeString("s", "k", "2"));
    EXPECT_EQ(statOf(path).st_mode & 07777, 0640U);

    const mode_t mask = ::umask(022);
    ASSERT_TRUE(IniFile(folder.file("new.ini")).writeString("s", "k", "1"));
    ::umask(mask);
    EXPECT_EQ(statOf(folder.file("new.ini")).st_mode & 07777, 0644U);
    EXPECT_EQ(entriesIn(folder.path()), 2) << "no temporary file may stay behind";
}

TEST(Links, WritesGoThroughToTheTarget) {
    TempFolder folder;
    fs::create_directory(folder.file("real"));
    const std::string target = folder.file("real/settings.ini");
    writeBytes(target, "[s]\nk=1\n");
    fs::create_symlink("real/settings.ini", folder.file("KORVANI.INI"));
    IniFile ini(folder.file("KORVANI.INI"));
    ASSERT_TRUE(ini.writeString("s", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(folder.file("KORVANI.INI")));
    EXPECT_EQ(readBytes(target), "[s]\nk=2\n");

    fs::create_symlink("real/later.ini", folder.file("KORVANI.LOG"));
    ASSERT_TRUE(IniFile(folder.file("KORVANI.LOG")).writeString("s", "k", "1"));
    EXPECT_EQ(readBytes(folder.file("real/later.ini")), "[s]\r\nk=1\r\n");

    fs::create_symlink("loop.ini", folder.file("loop.ini"));
    EXPECT_EQ(IniFile(folder.file("loop.ini")).readString("s", "k", kDef), kDef);
    EXPECT_FALSE(IniFile(folder.file("loop.ini")).writeString("s", "k", "1"));
}

// Two processes writing different keys at once: the folder lock keeps every key.
TEST(Concurrency, TwoWritersLoseNoKey) {
    TempFolder folder;
    const std::string path = folder.file("KORVANI.INI");
    constexpr int kKeys = 60;
    const auto key = [](int i) { return std::string("K").append(std::to_string(i)); };
    pid_t children[2] = {};
    for (int writer = 0; writer < 2; ++writer) {
        children[writer] = ::fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) {
            IniFile ini(path);
            bool ok = true;
            for (int i = 0; i < kKeys; ++i) {
                ok = ini.writeInteger(writer == 0 ? "One" : "Two", key(i), i) && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const IniFile ini(path);
    for (int i = 0; i < kKeys; ++i) {
        EXPECT_EQ(ini.readInteger("One", key(i), -1), i);
        EXPECT_EQ(ini.readInteger("Two", key(i), -1), i);
    }
}

TEST(ExecutableFolder, IsTheFolderOfThisTest) {
    const std::string folder = executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "korv_settings_tests"));
}

} // namespace
} // namespace korv
