// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows build reads and writes its settings through the system's profile functions; these
// must agree with the core's INI engine, which the Linux build uses, on every file the program
// or a user may have written.
#include "profileini.h"
#include "settings/initext.h"
#include "settings/settings.h"
#include "systemclipboard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

namespace korv::win32 {
namespace {

std::string tempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string engineRead(const std::string& bytes, std::string_view section, std::string_view key,
                       std::string_view def) {
    const ini::Decoded decoded = ini::decode(bytes);
    const auto raw = ini::findRawValue(decoded.text, section, key);
    return raw ? ini::cookValue(*raw) : std::string(def);
}

TEST(ProfileIni, ReadsAsTheCoreEngineDoes) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"[Korvani]\r\nFontSize=9\r\n", "Korvani", "FontSize", "9"},
        {"[korvani]\r\nfontsize=9\r\n", "Korvani", "FontSize", "9"},
        {"[Korvani]\r\n  FontSize  =  9  \r\n", "Korvani", "FontSize", "9"},
        {"[Korvani]\r\nHomepage=\"https://a.example/\"\r\n", "Korvani", "Homepage",
         "https://a.example/"},
        {"[Korvani]\r\nHomepage=a=b\r\n", "Korvani", "Homepage", "a=b"},
        {"[Korvani]\r\nFontSize=9\r\n[Korvani]\r\nFontSize=3\r\n", "Korvani", "FontSize", "9"},
        {"[Position]\nLeft=-2000\n", "Position", "Left", "-2000"},
        {"[Korvani]\r\nOther=1\r\n", "Korvani", "FontSize", "default"},
        {"", "Korvani", "FontSize", "default"},
        {"[Korvani]\r\nHomepage=\xC9\x99\r\n", "Korvani", "Homepage", "\xC9\x99"},
    };
    const std::string path = tempFile("korv-profile-read.ini");
    for (const Case& c : cases) {
        writeBytes(path, c.file);
        SCOPED_TRACE(c.file);
        EXPECT_EQ(ProfileIni(path).readString(c.section, c.key, "default"), c.expected);
        EXPECT_EQ(engineRead(c.file, c.section, c.key, "default"), c.expected);
    }
    DeleteFileA(path.c_str());
}

// Where the two disagree, and why.
TEST(ProfileIni, DisagreesWithTheCoreEngineOnlyHere) {
    struct Case {
        const char* why;
        const char* file;
        const char* wine;
        const char* engine;
    };
    const Case cases[] = {
        {"a UTF-8 file with a byte-order mark: Wine decodes it and hands the A functions the "
         "value in the ANSI code page (1252), the engine keeps UTF-8",
         "\xEF\xBB\xBF[Korvani]\r\nHomepage=\xC3\xA6\r\n", "\xE6", "\xC3\xA6"},
    };
    const std::string path = tempFile("korv-profile-differ.ini");
    for (const Case& c : cases) {
        writeBytes(path, c.file);
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ProfileIni(path).readString("Korvani", "Homepage", ""), c.wine);
        EXPECT_EQ(engineRead(c.file, "Korvani", "Homepage", ""), c.engine);
    }
    DeleteFileA(path.c_str());
}

TEST(ProfileIni, WritesWhatTheCoreEngineReadsBack) {
    const std::string path = tempFile("korv-profile-write.ini");
    DeleteFileA(path.c_str());
    ProfileIni ini(path);
    ASSERT_TRUE(ini.writeInteger(kOptionsSection, kFontSizeKey, 15));
    ASSERT_TRUE(ini.writeBool(kOptionsSection, kAutoPasteKey, false));
    ASSERT_TRUE(ini.writeInteger(kPositionSection, kLeftKey, -2000));
    EXPECT_FALSE(ini.writeString(kOptionsSection, kHomepageKey, "a\r\nb")) << "a line break";
    const std::string bytes = readBytes(path);
    EXPECT_EQ(engineRead(bytes, "Korvani", "FontSize", ""), "15");
    EXPECT_EQ(engineRead(bytes, "Korvani", "AutoPaste", ""), "0");
    EXPECT_EQ(engineRead(bytes, "Position", "Left", ""), "-2000");
    const Settings settings = loadSettings(ini, true);
    EXPECT_EQ(settings.fontSize, 15);
    EXPECT_FALSE(settings.autoPaste);
    EXPECT_EQ(settings.left, -2000);
    EXPECT_EQ(settings.top, kDefaultTop);
    DeleteFileA(path.c_str());
}

TEST(ProfileIni, StartupLogReplacesJunkAndKeepsOtherSections) {
    const std::string path = tempFile("korv-profile.log");
    struct Case {
        std::string before;
        const char* kept; // a section the log rewrite must leave alone, or nullptr
    };
    const Case cases[] = {
        {"", nullptr},
        {"[KORVANI.EXE]\r\nVersion=1\r\n[Korvani]\r\nAutoPaste=1\r\n[Other]\r\nA=1\r\n", "Other"},
        {std::string(5 * 1024 * 1024, '\x01'), nullptr},
    };
    for (const Case& c : cases) {
        writeBytes(path, c.before);
        StartupLogIni log(path);
        ASSERT_TRUE(writeStartupLog(log));
        const std::string after = readBytes(path);
        EXPECT_EQ(engineRead(after, "KORVANI.EXE", "Version", ""), "6.05");
        EXPECT_EQ(engineRead(after, "KORVANI.EXE", "Build", ""), "20211230");
        EXPECT_EQ(engineRead(after, "Korvani", "AutoPaste", "gone"), "gone");
        if (c.kept != nullptr) {
            EXPECT_EQ(engineRead(after, c.kept, "A", ""), "1");
        }
    }
    DeleteFileA(path.c_str());
}

TEST(Clipboard, HtmlFormatOffsetsPointAtTheFragment) {
    const std::string fragment = "<span>\xC9\x99</span>";
    const std::string bytes = htmlClipboardFormat(fragment);
    const auto offset = [&](const std::string& name) {
        const std::size_t at = bytes.find(name + ":") + name.size() + 1;
        return static_cast<std::size_t>(std::stoul(bytes.substr(at, 10)));
    };
    EXPECT_EQ(bytes.substr(offset("StartFragment"), fragment.size()), fragment);
    EXPECT_EQ(offset("EndFragment") - offset("StartFragment"), fragment.size());
    EXPECT_EQ(bytes.substr(offset("StartHTML"), 6), "<html>");
    EXPECT_EQ(offset("EndHTML"), bytes.size());
}

} // namespace
} // namespace korv::win32
