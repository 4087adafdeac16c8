// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and erasing: each case a file's bytes before, one operation, and the exact bytes after.

#include "settings/inifile.h"
#include "settings/settings.h"
#include "tempfolder.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace korv {
namespace {

struct WriteCase {
    const char* name;
    std::optional<std::string> before; // nullopt: no file
    std::string section;
    std::string key; // empty: erase the section
    std::string value;
    std::optional<std::string> after; // nullopt: still no file
};

const std::string kHandEdited = "; Korvani settings, edited by hand\r\n"
                                "\r\n"
                                "[Position]\r\n"
                                "  left  =  10   \r\n"
                                "Top=20\r\n"
                                "\r\n"
                                "[Mine]\r\n"
                                "Note = \"keep me\"\t\r\n";

const WriteCase kWriteCases[] = {
    {"newFileIsCrlf", std::nullopt, "Position", "Left", "7", "[Position]\r\nLeft=7\r\n"},
    {"emptyFileIsCrlf", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
    {"replaceKeepsSpellingAndSpacing", kHandEdited, "POSITION", "Left", "-2000",
     "; Korvani settings, edited by hand\r\n\r\n[Position]\r\n  left  =  -2000   \r\nTop=20\r\n"
     "\r\n[Mine]\r\nNote = \"keep me\"\t\r\n"},
    {"newKeyAfterLastEntry", kHandEdited, "Position", "Extra", "1",
     "; Korvani settings, edited by hand\r\n\r\n[Position]\r\n  left  =  10   \r\nTop=20\r\n"
     "Extra=1\r\n\r\n[Mine]\r\nNote = \"keep me\"\t\r\n"},
    {"newSectionAtEnd", kHandEdited, "Korvani", "FontSize", "15",
     kHandEdited + "[Korvani]\r\nFontSize=15\r\n"},
    {"newKeyBeforeTrailingComment", "[s]\na=1\n; about t\n[t]\n", "s", "b", "2",
     "[s]\na=1\nb=2\n; about t\n[t]\n"},
    {"newKeyIntoEmptySection", "[s]\n\n[t]\nx=1\n", "s", "k", "v", "[s]\nk=v\n\n[t]\nx=1\n"},
    {"newKeyAfterHeaderWithoutLineEnd", "[s]", "s", "k", "v", "[s]\r\nk=v\r\n"},
    {"newKeyAfterLastLineWithoutLineEnd", "[s]\na=1", "s", "k", "v", "[s]\na=1\nk=v\n"},
    {"newSectionAfterLastLineWithoutLineEnd", "[s]\ra=1", "t", "k", "v", "[s]\ra=1\r[t]\rk=v\r"},
    {"newKeyTakesItsNeighboursLineEnd", "[s]\r\na=1\n[t]\r\n", "s", "k", "v",
     "[s]\r\na=1\nk=v\n[t]\r\n"},
    {"replaceKeepsLfLineEnds", "[s]\nk=1\nz=2\n", "s", "K", "9", "[s]\nk=9\nz=2\n"},
    {"replaceKeepsCrLineEnds", "[s]\rk=1\rz=2\r", "s", "k", "9", "[s]\rk=9\rz=2\r"},
    {"replaceQuotedValue", "[s]\nk = \"a\" \n", "s", "k", "b", "[s]\nk = b \n"},
    {"replaceWithEmpty", "[s]\nk=1\n", "s", "k", "", "[s]\nk=\n"},
    {"fillEmptyValue", "[s]\nk=  \n", "s", "k", "3", "[s]\nk=  3\n"},
    {"blanksAroundValueDropped", "[s]\nk = 1 \n", "s", "k", " \tx ", "[s]\nk = x \n"},
    {"firstKeyOfDuplicates", "[s]\nk=1\nk=2\n", "s", "k", "3", "[s]\nk=3\nk=2\n"},
    {"firstSectionOfDuplicates", "[s]\na=1\n[t]\n[s]\nk=2\n", "s", "k", "3",
     "[s]\na=1\nk=3\n[t]\n[s]\nk=2\n"},
    {"keyBeforeAnySectionUntouched", "k=1\n", "s", "k", "2", "k=1\n[s]\nk=2\n"},
    {"byteOrderMarkKept", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "2", "\xEF\xBB\xBF[s]\nk=2\n"},
    {"utf16LeStaysUtf16", "\xFF\xFE[\0s\0]\0\n\0"s, "s", "k", "é",
     "\xFF\xFE[\0s\0]\0\n\0k\0=\0\xE9\0\n\0"s},
    {"binaryLinesKept", "\x01\x02\xFF\n[s]\nk=\x80\x81\n"s, "s", "k", "1",
     "\x01\x02\xFF\n[s]\nk=1\n"s},
    {"eraseUpToNextHeader", "[a]\nx=1\n[Korvani]\nk=1\n; c\n\n[b]\ny=2\n", "KORVANI", "", "",
     "[a]\nx=1\n[b]\ny=2\n"},
    {"eraseEveryOccurrence", "[k]\n1=1\n[a]\n[K]\n2=2\n[b]\n[k]\n", "k", "", "", "[a]\n[b]\n"},
    {"eraseLastSection", "[a]\r\n[s]\r\nk=1", "s", "", "", "[a]\r\n"},
    {"replaceUnderBlankPaddedHeader", "[ Position ]\r\nLeft=1\r\n", "Position", "Left", "2",
     "[ Position ]\r\nLeft=2\r\n"},
    {"eraseBlankPaddedHeader", "[a]\n[Korvani ]\nk=1\n[b]\n", "Korvani", "", "", "[a]\n[b]\n"},
    {"eraseMissingSection", "[a]\nx=1", "s", "", "", "[a]\nx=1"},
    {"eraseInMissingFile", std::nullopt, "s", "", "", std::nullopt},
};

class WriteTable : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTable, GivesExactBytes) {
    TempFolder folder;
    const WriteCase& c = GetParam();
    const std::string path = folder.file("a.ini");
    if (c.before) {
        writeBytes(path, *c.before);
    }
    IniFile ini(path);
    const bool ok =
        c.key.empty() ? ini.eraseSection(c.section) : ini.writeString(c.section, c.key, c.value);
    EXPECT_TRUE(ok);
    ASSERT_EQ(std::filesystem::exists(path), c.after.has_value());
    if (c.after) {
        EXPECT_EQ(readBytes(path), *c.after);
    }
    if (!c.key.empty()) {
        const std::size_t begin = c.value.find_first_not_of(" \t");
        const std::string trimmed =
            begin == std::string::npos
                ? ""
                : c.value.substr(begin, c.value.find_last_not_of(" \t") + 1 - begin);
        EXPECT_EQ(ini.readString(c.section, c.key, "<default>"), trimmed);
    }
}

INSTANTIATE_TEST_SUITE_P(Ini, WriteTable, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

TEST(Write, SameValueLeavesFileUntouched) {
    TempFolder folder;
    const std::string path = folder.file("a.ini");
    writeBytes(path, "[Position]\n Left = 50 \nTop=\"50\"\n");
    const ino_t inode = inodeOf(path);
    IniFile ini(path);
    EXPECT_TRUE(ini.writeInteger("position", "LEFT", 50));
    EXPECT_TRUE(ini.eraseSection("Korvani"));
    EXPECT_EQ(inodeOf(path), inode);                      // every real write replaces the file
    EXPECT_TRUE(ini.writeInteger("Position", "Top", 50)); // quoted: other text, so rewritten
    EXPECT_NE(inodeOf(path), inode);
    EXPECT_EQ(readBytes(path), "[Position]\n Left = 50 \nTop=50\n");
}

// Several changes of a file of the program's own are one rewrite: each sees the one before it,
// one that cannot be made leaves the file as it was, and the file is written whenever one at a
// time would have written it (a start learns from the log's rewrite that it may write there).
TEST(Write, ChangesAreMadeTogetherOrNotAtAll) {
    const std::string before = "[Korvani]\nA=1\n[s]\nk=1\n";
    struct Case {
        const char* name;
        std::vector<IniChange> changes;
        bool made;
        std::string after;
        bool rewritten;
    };
    const Case cases[] = {
        // no key: the section erased
        {"inOrder",
         {{"Korvani", {}, {}}, {"s", "k", "2"}, {"t", "v", "3"}},
         true,
         "[s]\nk=2\n[t]\nv=3\n",
         true},
        {"laterUndoesEarlier", {{"t", "v", "3"}, {"t", {}, {}}}, true, before, true},
        {"noneChanges", {{"t", {}, {}}, {"s", "k", "1"}}, true, before, false},
        {"invalidKeyLast", {{"s", "k", "2"}, {"s", "a=b", "2"}}, false, before, false},
        {"invalidValueFirst", {{"s", "k", "1\n[t]"}, {"s", "k", "2"}}, false, before, false},
        {"invalidSection", {{"Korvani", {}, {}}, {"", {}, {}}}, false, before, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.file("a.ini");
        writeBytes(path, before);
        const ino_t inode = inodeOf(path);
        EXPECT_EQ(IniFile(path).change(c.changes), c.made);
        EXPECT_EQ(readBytes(path), c.after);
        EXPECT_EQ(inodeOf(path) != inode, c.rewritten);
    }
}

TEST(Write, TypedValues) {
    TempFolder folder;
    IniFile ini(folder.file("a.ini"));
    EXPECT_TRUE(ini.writeBool("Korvani", "AutoPaste", true));
    EXPECT_TRUE(ini.writeBool("Korvani", "ShowHints", false));
    EXPECT_TRUE(ini.writeInteger("Position", "Left", INT32_MIN));
    EXPECT_TRUE(ini.writeInteger("Position", "Top", 0));
    EXPECT_EQ(readBytes(ini.path()),
              "[Korvani]\r\nAutoPaste=1\r\nShowHints=0\r\n[Position]\r\nLeft=-2147483648\r\n"
              "Top=0\r\n");
}

TEST(Write, RefusesWhatWouldChangeOtherLines) {
    TempFolder folder;
    const std::string before = "[s]\nk=1\n";
    writeBytes(folder.file("a.ini"), before);
    IniFile ini(folder.file("a.ini"));
    const std::pair<std::string, std::string> names[] = {
        {"s", "a=b"}, {"s", " k"},  {"s", "k\t"}, {"s", "[k]"},  {"s", ";k"}, {"s", ""},
        {"", "k"},    {"s\n", "k"}, {"s", "k\r"}, {"s", "k\0"s}, {" s", "k"}, {"s\t", "k"},
    };
    for (const auto& [section, key] : names) {
        EXPECT_FALSE(ini.writeString(section, key, "2")) << section << "/" << key;
    }
    EXPECT_FALSE(ini.writeString("s", "k", "1\r\n[t]"));
    EXPECT_FALSE(ini.writeString("s", "k", "a\0b"s));
    EXPECT_FALSE(ini.eraseSection(""));
    EXPECT_EQ(readBytes(ini.path()), before);
}

TEST(Write, Utf16FileRefusesWhatItCannotHold) {
    TempFolder folder;
    const std::string path = folder.file("a.ini");
    const std::string odd = "\xFF\xFE[\0s\0]\0\n\0!"s;
    writeBytes(path, odd);
    EXPECT_FALSE(IniFile(path).writeString("s", "k", "1"));
    EXPECT_EQ(readBytes(path), odd);
    const std::string even = "\xFF\xFE[\0s\0]\0\n\0"s;
    writeBytes(path, even);
    EXPECT_FALSE(IniFile(path).writeString("s", "k", "\xFF")); // not UTF-8
    EXPECT_EQ(readBytes(path), even);
}

TEST(Write, ChangeByHandBetweenAccessesIsSeenAndKept) {
    TempFolder folder;
    const std::string path = folder.file("KORVANI.INI");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInteger("Position", "Left", 10));
    writeBytes(path, "[Position]\r\nLeft=10\r\nTop=1\r\n[Korvani]\r\nFontSize=3 ; mine\r\n");
    EXPECT_EQ(ini.readString("Korvani", "FontSize", ""), "3 ; mine");
    ASSERT_TRUE(ini.writeInteger("Position", "Left", 11));
    ASSERT_TRUE(ini.writeInteger("Position", "Top", 12));
    EXPECT_EQ(readBytes(path),
              "[Position]\r\nLeft=11\r\nTop=12\r\n[Korvani]\r\nFontSize=3 ; mine\r\n");
}

TEST(StartupLog, NewLogHoldsExactlyThreeLines) {
    TempFolder folder;
    IniFile log(folder.file("KORVANI.LOG"));
    ASSERT_TRUE(writeStartupLog(log));
    EXPECT_EQ(readBytes(log.path()), "[KORVANI.EXE]\r\nVersion=6.05\r\nBuild=20211230\r\n");
    ASSERT_TRUE(writeStartupLog(log));
    EXPECT_EQ(readBytes(log.path()), "[KORVANI.EXE]\r\nVersion=6.05\r\nBuild=20211230\r\n");
}

TEST(StartupLog, KeepsOtherSectionsAndDropsKorvani) {
    TempFolder folder;
    IniFile log(folder.file("KORVANI.LOG"));
    writeBytes(log.path(), "[Other]\nA=1\n[korvani]\nAutoPaste=1\n[Korvani.exe]\nVersion=5\n"
                           "Old=1\n[Tail]\n; note\nB = 2\n[KORVANI]\nx=1\n");
    ASSERT_TRUE(writeStartupLog(log));
    EXPECT_EQ(readBytes(log.path()), "[Other]\nA=1\n[Tail]\n; note\nB = 2\n"
                                     "[KORVANI.EXE]\nVersion=6.05\nBuild=20211230\n");
}

} // namespace
} // namespace korv
