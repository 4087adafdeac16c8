// SPDX-License-Identifier: GPL-3.0-or-later
// Files shared with other users and other copies: who may write, what a write keeps of the file,
// what killed writes leave behind, and a log whose contents cannot be used.

#include "settings/filestore.h"
#include "settings/inifile.h"
#include "settings/settings.h"
#include "tempfolder.h"

#include <csignal>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korv {
namespace {

constexpr uid_t kUserA = 65534; // nobody
constexpr uid_t kUserB = 65533;
constexpr gid_t kGroupA = 65534;
constexpr gid_t kGroupB = 65533;
constexpr gid_t kShared = 65530;

struct Identity {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;
};

// Runs body in a child process with identity's ids, as setpriv would; true when body did.
bool runAs(const Identity& who, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool switched = ::setgroups(who.groups.size(), who.groups.data()) == 0 &&
                              ::setresgid(who.gid, who.gid, who.gid) == 0 &&
                              ::setresuid(who.uid, who.uid, who.uid) == 0;
        ::_exit(switched && body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

struct ShareCase {
    const char* name;
    uid_t folderOwner;
    gid_t folderGroup;
    mode_t folderMode;
    gid_t fileGroup; // the file is user A's
    mode_t fileMode;
    bool secondLink;
    Identity writer;
    bool writes;
    bool inPlace; // the same file written over, not a replacement
};

const Identity kA{kUserA, kGroupA, {}};
const Identity kAShared{kUserA, kGroupA, {kShared}};
const Identity kBShared{kUserB, kGroupB, {kShared}};

const ShareCase kShareCases[] = {
    // A shared installation: the folder is root's, the files are the user's.
    {"folderNotWritable", 0, 0, 0755, kGroupA, 0644, false, kA, true, true},
    {"ownFileOwnFolder", kUserA, kGroupA, 0755, kGroupA, 0640, false, kA, true, false},
    // A file shared by a group: every member writes it, and it stays the group's.
    {"groupFileOtherMember", 0, kShared, 0775, kShared, 0664, false, kBShared, true, true},
    {"groupFileOwnerKeepsGroup", 0, kShared, 0775, kShared, 0664, false, kAShared, true, false},
    {"groupFileOwnerOutsideGroup", 0, kShared, 0777, kShared, 0666, false, kA, true, true},
    {"hardLinked", kUserA, kGroupA, 0755, kGroupA, 0644, true, kA, true, true},
    {"readOnlyFile", kUserA, kGroupA, 0755, kGroupA, 0444, false, kA, false, false},
    {"groupReadOnly", 0, kShared, 0775, kShared, 0644, false, kBShared, false, false},
};

TEST(SharedFiles, WritesWhenTheFileMayBeWrittenAndKeepsWhoMay) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to play several users";
    }
    for (const ShareCase& c : kShareCases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        fs::permissions(root.path(), fs::perms(0755));
        const std::string folder = root.file("app");
        const std::string path = folder + "/KORVANI.INI";
        fs::create_directory(folder);
        const std::string before = "[Position]\r\nLeft=1\r\n";
        writeBytes(path, before);
        ASSERT_EQ(::chown(path.c_str(), kUserA, c.fileGroup), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.fileMode), 0);
        if (c.secondLink) {
            fs::create_hard_link(path, folder + "/other.ini");
        }
        ASSERT_EQ(::chown(folder.c_str(), c.folderOwner, c.folderGroup), 0);
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        const struct stat old = statOf(path);
        // Held open, so that a replacement cannot be given the old inode's number.
        const int holdOld = ::open(path.c_str(), O_RDONLY);

        const bool wrote = runAs(c.writer, [&] {
            IniFile ini(path);
            return ini.writeInteger("Position", "Left", 2) &&
                   ini.writeInteger("Position", "Top", 3);
        });
        EXPECT_EQ(wrote, c.writes);
        EXPECT_EQ(readBytes(path), c.writes ? "[Position]\r\nLeft=2\r\nTop=3\r\n" : before);
        const struct stat now = statOf(path);
        EXPECT_EQ(std::tie(now.st_uid, now.st_gid, now.st_mode, now.st_nlink),
                  std::tie(old.st_uid, old.st_gid, old.st_mode, old.st_nlink));
        if (c.writes) {
            EXPECT_EQ(now.st_ino == old.st_ino, c.inPlace);
        }
        if (c.secondLink) {
            EXPECT_EQ(readBytes(folder + "/other.ini"), readBytes(path));
        }
        ::close(holdOld);
        EXPECT_EQ(entriesIn(folder), c.secondLink ? 2 : 1);
    }
}

// Writes killed between their temporary file and the rename leave it behind; the next write
// removes such files of its own name, and only those.
TEST(Leftovers, NextWriteRemovesThoseOfItsOwnName) {
    TempFolder folder;
    const std::string path = folder.file("KORVANI.INI");
    writeBytes(path, "[s]\r\nk=1\r\n");
    const std::pair<const char*, bool> names[] = {
        // name, removed by the next write
        {".KORVANI.INI.0123456789ab", true},  {".KORVANI.INI.ffffffffffff", true},
        {".KORVANI.INI.0123456789a", false},  {".KORVANI.INI.0123456789abc", false},
        {".KORVANI.INI.0123456789AB", false}, {".KORVANI.LOG.0123456789ab", false},
        {"KORVANI.INI.0123456789ab", false},
    };
    for (const auto& [name, removed] : names) {
        writeBytes(folder.file(name), removed ? "left over" : "not ours");
    }
    ASSERT_TRUE(IniFile(path).writeString("s", "k", "2"));
    for (const auto& [name, removed] : names) {
        EXPECT_NE(fs::exists(folder.file(name)), removed) << name;
    }
}

// A copy in the middle of its write holds the folder lock; the other copy's write waits for it
// instead of taking its temporary file for a leftover.
TEST(Leftovers, AWriteInProgressIsNotALeftover) {
    TempFolder folder;
    const std::string path = folder.file("KORVANI.INI");
    writeBytes(path, "[s]\r\nk=1\r\n");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        const int dir = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
        ::flock(dir, LOCK_EX);
        const std::string temp = folder.file(".KORVANI.INI.00000000abcd");
        writeBytes(temp, "[s]\r\nk=1\r\nmine=1\r\n");
        [[maybe_unused]] const ssize_t n = ::write(ready[1], "x", 1);
        ::usleep(200 * 1000);
        ::_exit(::rename(temp.c_str(), path.c_str()) == 0 ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_TRUE(IniFile(path).writeString("s", "k", "2"));
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "its temporary file was taken";
    EXPECT_EQ(readBytes(path), "[s]\r\nk=2\r\nmine=1\r\n");
    ::close(ready[0]);
    ::close(ready[1]);
}

// Hundreds of writers killed at random moments: the file is always the old or a new one whole,
// and what the kills leave behind never piles up.
TEST(Leftovers, KilledWritersLeaveOldOrNewFileAndNoHeap) {
    TempFolder folder;
    const std::string path = folder.file("KORVANI.INI");
    const std::string big = "[Big]\r\nData=" + std::string(64 * 1024, 'x') + "\r\n";
    const auto with = [&](int left) {
        return "[Position]\r\nLeft=" + std::to_string(left) + "\r\n" + big;
    };
    writeBytes(path, with(0));
    std::mt19937 random(12345);
    long mostLeftovers = 0;
    int roundsWithLeftover = 0;
#if defined(__SANITIZE_ADDRESS__)
    // A sanitized process takes a tenth of a second to fork, and its slow parsing leaves the
    // temporary file a smaller share of each write: fewer rounds, which need not hit one.
    constexpr int kKills = 30;
    constexpr bool kMustHitATempFile = false;
#else
    constexpr int kKills = 200;
    constexpr bool kMustHitATempFile = true;
#endif
    for (int round = 0; round < kKills; ++round) {
        int written[2];
        ASSERT_EQ(::pipe(written), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            IniFile ini(path, IniFile::Durability::Unsynced);
            for (int i = 0;; ++i) {
                ini.writeInteger("Position", "Left", 1 + i % 2);
                [[maybe_unused]] const ssize_t n = ::write(written[1], "w", 1);
            }
        }
        // Once the writer is at full speed, somewhere within its next write or so.
        char byte = 0;
        ASSERT_EQ(::read(written[0], &byte, 1), 1);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 1500)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(written[0]);
        ::close(written[1]);
        const std::string now = readBytes(path);
        ASSERT_TRUE(now == with(0) || now == with(1) || now == with(2)) << "round " << round;
        const long left = entriesIn(folder.path(), ".KORVANI.INI.");
        mostLeftovers = std::max(mostLeftovers, left);
        roundsWithLeftover += left > 0;
    }
    EXPECT_TRUE(roundsWithLeftover > 0 || !kMustHitATempFile) << "no kill landed inside a write";
    EXPECT_LE(mostLeftovers, 1);
    ASSERT_TRUE(IniFile(path).writeInteger("Position", "Left", 3));
    EXPECT_EQ(entriesIn(folder.path(), ".KORVANI.INI."), 0);
}

// The log holds nothing of value: whatever regular file stands in its way, the start-up log is
// written afresh. The settings file with the same contents is refused, as it may hold the
// user's work.
TEST(StartupLog, UnusableContentsAreRewrittenFromScratch) {
    std::string oversize = "[Other]\r\nA=1\r\n";
    oversize.resize(store::kMaxFileSize + 1, ';');
    const std::string fresh = "[KORVANI.EXE]\r\nVersion=6.05\r\nBuild=20211230\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"over the size limit", oversize},
        {"UTF-16 with an odd byte", "\xFF\xFE[\0K\0o\0r\0v\0a\0n\0i\0]\0\n\0!"s},
    };
    for (const auto& [what, before] : cases) {
        SCOPED_TRACE(what);
        TempFolder folder;
        const std::string path = folder.file("KORVANI.LOG");
        writeBytes(path, before);
        IniFile settingsRules(path);
        EXPECT_FALSE(writeStartupLog(settingsRules));
        EXPECT_EQ(fs::file_size(path), before.size());
        IniFile log(path, IniFile::Durability::Unsynced, IniFile::Unusable::StartAfresh);
        ASSERT_TRUE(writeStartupLog(log));
        EXPECT_EQ(readBytes(path), fresh);
    }
    TempFolder folder;
    fs::create_directory(folder.file("KORVANI.LOG"));
    IniFile log(folder.file("KORVANI.LOG"), IniFile::Durability::Unsynced,
                IniFile::Unusable::StartAfresh);
    EXPECT_FALSE(writeStartupLog(log)) << "a folder in its place is still no log";
}

} // namespace
} // namespace korv
