// SPDX-License-Identifier: GPL-3.0-or-later
// The Mine and Recent lists: their operations, the values that hold them, and a settings file
// written by hand.

#include "settings/inifile.h"
#include "settings/settings.h"
#include "settings/symbollists.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace korv {
namespace {

using Entries = std::vector<std::u16string>;

SymbolList listOf(const Entries& entries, std::size_t limit) {
    SymbolList list(limit);
    EXPECT_TRUE(list.assign(entries));
    return list;
}

Entries letters(std::size_t count) {
    Entries out;
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(std::u16string(1, static_cast<char16_t>(u'\u0100' + i)));
    }
    return out;
}

struct OperationCase {
    const char* name;
    Entries before;
    std::size_t limit;
    std::function<bool(SymbolList&)> operation;
    bool changed;
    Entries after;
};

TEST(SymbolListTest, Operations) {
    const Entries full = letters(kMineLimit);
    Entries fullAfterRecord = letters(kRecentLimit - 1);
    fullAfterRecord.insert(fullAfterRecord.begin(), u"ʃ");
    const OperationCase cases[] = {
        {"addAppends",
         {u"ʃ"},
         kMineLimit,
         [](SymbolList& l) { return l.add(u"tʃʰ"); },
         true,
         {u"ʃ", u"tʃʰ"}},
        {"addTwiceKeepsOne",
         {u"ʃ"},
         kMineLimit,
         [](SymbolList& l) { return l.add(u"ʃ"); },
         false,
         {u"ʃ"}},
        {"addWhenFull", full, kMineLimit, [](SymbolList& l) { return l.add(u"ʃ"); }, false, full},
        {"addLongestSequence",
         {},
         kMineLimit,
         [](SymbolList& l) { return l.add(u"ˈtʃʰ"); },
         true,
         {u"ˈtʃʰ"}},
        {"addTooLong", {}, kMineLimit, [](SymbolList& l) { return l.add(u"ˈtʃʰə"); }, false, {}},
        {"addEmpty", {}, kMineLimit, [](SymbolList& l) { return l.add(u""); }, false, {}},
        {"addWithBlank", {}, kMineLimit, [](SymbolList& l) { return l.add(u"t ʃ"); }, false, {}},
        {"addControl", {}, kMineLimit, [](SymbolList& l) { return l.add(u"a\tb"); }, false, {}},
        {"addLoneSurrogate",
         {},
         kMineLimit,
         [](SymbolList& l) { return l.add(u"\xD83D"); },
         false,
         {}},
        {"addBeyondBmp",
         {},
         kMineLimit,
         [](SymbolList& l) { return l.add(u"\U0001DF04"); },
         true,
         {u"\U0001DF04"}},
        {"removeMiddle",
         {u"a", u"b", u"c"},
         kMineLimit,
         [](SymbolList& l) { return l.remove(u"b"); },
         true,
         {u"a", u"c"}},
        {"removeAbsent",
         {u"a"},
         kMineLimit,
         [](SymbolList& l) { return l.remove(u"b"); },
         false,
         {u"a"}},
        {"moveLeft",
         {u"a", u"b", u"c"},
         kMineLimit,
         [](SymbolList& l) { return l.move(u"c", -1); },
         true,
         {u"a", u"c", u"b"}},
        {"moveRight",
         {u"a", u"b", u"c"},
         kMineLimit,
         [](SymbolList& l) { return l.move(u"a", 1); },
         true,
         {u"b", u"a", u"c"}},
        {"moveFirstLeft",
         {u"a", u"b"},
         kMineLimit,
         [](SymbolList& l) { return l.move(u"a", -1); },
         false,
         {u"a", u"b"}},
        {"moveLastRight",
         {u"a", u"b"},
         kMineLimit,
         [](SymbolList& l) { return l.move(u"b", 1); },
         false,
         {u"a", u"b"}},
        {"moveAbsent",
         {u"a"},
         kMineLimit,
         [](SymbolList& l) { return l.move(u"x", 1); },
         false,
         {u"a"}},
        {"recordNewFirst",
         {u"a", u"b"},
         kRecentLimit,
         [](SymbolList& l) { return l.record(u"ʃ"); },
         true,
         {u"ʃ", u"a", u"b"}},
        {"recordKnownMovesFirst",
         {u"a", u"b", u"c"},
         kRecentLimit,
         [](SymbolList& l) { return l.record(u"c"); },
         true,
         {u"c", u"a", u"b"}},
        {"recordFirstAgain",
         {u"a", u"b"},
         kRecentLimit,
         [](SymbolList& l) { return l.record(u"a"); },
         false,
         {u"a", u"b"}},
        {"recordDropsOldest", letters(kRecentLimit), kRecentLimit,
         [](SymbolList& l) { return l.record(u"ʃ"); }, true, fullAfterRecord},
        {"assignDuplicates",
         {u"a"},
         kMineLimit,
         [](SymbolList& l) {
             return l.assign({u"b", u"b"});
         },
         false,
         {u"a"}},
        {"assignOverLimit", {}, 2, [](SymbolList& l) { return l.assign(letters(3)); }, false, {}},
    };
    for (const OperationCase& c : cases) {
        SymbolList list = listOf(c.before, c.limit);
        EXPECT_EQ(c.operation(list), c.changed) << c.name;
        EXPECT_EQ(list.entries(), c.after) << c.name;
    }
}

struct ValueCase {
    const char* name;
    std::string value;
    std::optional<Entries> entries; // nullopt: the value is ignored
    std::string written;            // what the entries are written back as
};

TEST(SymbolListTest, Values) {
    const std::string fullValue = formatSymbolList(letters(kRecentLimit));
    const ValueCase cases[] = {
        {"empty", "", Entries{}, ""},
        {"codePoints", "U+0283, U+0074 U+0283 U+02B0", Entries{u"ʃ", u"tʃʰ"},
         "U+0283, U+0074 U+0283 U+02B0"},
        {"lowerCaseAndBlanks", " u+0283 ,\tu+014b  u+030d ", Entries{u"ʃ", u"ŋ̍"},
         "U+0283, U+014B U+030D"},
        {"literalCharacters", "ʃ, tʃʰ, ˈk U+02B0", Entries{u"ʃ", u"tʃʰ", u"ˈkʰ"},
         "U+0283, U+0074 U+0283 U+02B0, U+02C8 U+006B U+02B0"},
        {"beyondBmp", "U+1DF04", Entries{u"\U0001DF04"}, "U+1DF04"},
        {"blankEntriesSkipped", ", ʃ,, ə,", Entries{u"ʃ", u"ə"}, "U+0283, U+0259"},
        {"repeatsKeptOnce", "ʃ, U+0283, ə", Entries{u"ʃ", u"ə"}, "U+0283, U+0259"},
        {"exactlyTheLimit", fullValue, letters(kRecentLimit), fullValue},
        {"oneOverTheLimit", fullValue + ", ʃ", std::nullopt, ""},
        {"entryTooLong", "ˈtʃʰə", std::nullopt, ""},
        {"shortCodePoint", "U+28", std::nullopt, ""},
        {"codePointNotHex", "U+02G3", std::nullopt, ""},
        {"codePointTooLarge", "U+110000", std::nullopt, ""},
        {"surrogateCodePoint", "U+D800", std::nullopt, ""},
        {"nonCharacter", "U+FFFE", std::nullopt, ""},
        {"controlCharacter", "U+0007", std::nullopt, ""},
        {"blankByCodePoint", "U+0020", std::nullopt, ""},
        {"latin1Byte", "\xE6", std::nullopt, ""},
        {"encodedSurrogate", "\xED\xA0\x80", std::nullopt, ""},
        {"overlongUtf8", "\xC0\xAF", std::nullopt, ""},
        {"valueTooLong", std::string(kMaxListValueLength, 'a'), std::nullopt, ""},
    };
    for (const ValueCase& c : cases) {
        const auto entries = parseSymbolList(c.value, kRecentLimit);
        EXPECT_EQ(entries, c.entries) << c.name;
        if (entries) {
            EXPECT_EQ(formatSymbolList(*entries), c.written) << c.name;
        }
    }
}

// Every entry as long as it may be, in the longest notation: the value still reads whole.
TEST(SymbolListTest, FullestValueIsRead) {
    Entries longest;
    for (char32_t i = 0; i < kMineLimit; ++i) {
        longest.emplace_back();
        for (char32_t k = 0; k < kMaxSymbolLength; ++k) {
            const char32_t cp = 0x10FFFD - i * kMaxSymbolLength - k;
            longest.back() += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            longest.back() += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    const std::string value = formatSymbolList(longest);
    EXPECT_LT(value.size(), kMaxListValueLength);
    EXPECT_EQ(parseSymbolList(value, kMineLimit), longest);
}

std::string utf16le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// The file's lines without the Recent line, which is the one a write of Recent may change.
std::vector<std::string> linesBesidesRecent(const std::string& path) {
    const std::string bytes = readBytes(path);
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    std::vector<std::string> lines;
    std::string line;
    for (const char16_t unit : text) {
        line += static_cast<char>(unit < 0x80 ? unit : '#');
        if (unit == u'\n') {
            if (!line.starts_with("Recent")) {
                lines.push_back(line);
            }
            line.clear();
        }
    }
    lines.push_back(line);
    return lines;
}

// A file as a user may leave it: UTF-16 from a Windows editor, comments, the lists by hand.
TEST(SymbolListTest, HandWrittenFile) {
    struct FileCase {
        const char* name;
        std::u16string symbols; // the [Symbols] section's lines
        Entries mine;
        Entries recent;
    };
    const FileCase cases[] = {
        {"both",
         u"Mine = ʃ, tʃʰ, U+014B U+030D\r\nRecent=\"ə, ɪ\"\r\n",
         {u"ʃ", u"tʃʰ", u"ŋ̍"},
         {u"ə", u"ɪ"}},
        {"junkMine", u"Mine=ʃ, U+02X3\r\nRecent=ə\r\n", {}, {u"ə"}},
        {"junkRecent", u"Recent=U+02\r\nMine=ʃ\r\n", {u"ʃ"}, {}},
        {"none", u"; nothing yet\r\n", {}, {}},
    };
    for (const FileCase& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("KORVANI.INI");
        writeBytes(path, utf16le(u"[Korvani]\r\nAutoPaste=1\r\nFontSize=9\r\n[Symbols]\r\n" +
                                 c.symbols + u"[Position]\r\nLeft=7\r\n"));
        const std::vector<std::string> before = linesBesidesRecent(path);

        IniFile ini(path);
        EXPECT_EQ(readMine(ini).entries(), c.mine) << c.name;
        EXPECT_EQ(readRecent(ini).entries(), c.recent) << c.name;
        const Settings settings = loadSettings(ini, false);
        EXPECT_EQ(settings.fontSize, 9) << c.name;
        EXPECT_EQ(settings.left, 7) << c.name;

        SymbolList recent = readRecent(ini);
        recent.record(u"ʊ");
        ASSERT_TRUE(writeRecent(ini, recent)) << c.name;
        EXPECT_EQ(readRecent(ini).entries(), recent.entries()) << c.name;
        EXPECT_EQ(linesBesidesRecent(path), before) << c.name;
    }
}

} // namespace
} // namespace korv
