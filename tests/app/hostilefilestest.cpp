// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <sys/stat.h>

#include "formfixture.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

std::string garbage(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

class HostileFilesTest : public FormFixture {
protected:
    std::string path(const char* name) const { return folder() + name; }

    // Starts, checks the defaults, then picks a size: the file keeps everything but that value.
    void expectDefaultsAndAKeptFile(const std::string& before) {
        createForm(false);
        EXPECT_FALSE(m_form->terminateRequested());
        EXPECT_EQ(m_form->sizeBox->currentIndex(), 6);
        EXPECT_EQ(m_form->pos(), QPoint(50, 50));
        EXPECT_TRUE(m_form->palette().options().showHints);
        m_form->palette().pickSize(15);
        const std::string after = readFile("KORVANI.INI");
        if (m_boxes.m_messages.isEmpty()) {
            EXPECT_EQ(after.substr(0, before.size()), before) << "the user's bytes were changed";
            EXPECT_NE(after.find("FontSize=15"), std::string::npos);
        } else {
            EXPECT_EQ(after, before) << "a refused write changed the file";
        }
    }
};

TEST_F(HostileFilesTest, UnreadableContentsGiveDefaultsAndSurviveTheNextWrite) {
    const struct {
        const char* what;
        std::string contents;
    } cases[] = {
        {"binary garbage", garbage(64 * 1024, 1)},
        {"NUL bytes in names and values", std::string("[Korv\0ani]\r\nFont\0Size=3\r\nLeft=\0"
                                                      "12\r\n",
                                                      34)},
        {"invalid UTF-8", "[Korvani]\r\n\xC3\x28\xFF\xFE=\xE2\x82\r\n"},
        {"a line of one megabyte", "[Position]\r\nLeft=" + std::string(1 << 20, '7') + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("KORVANI.INI", c.contents);
        expectDefaultsAndAKeptFile(c.contents);
        m_form.reset();
        m_boxes.m_messages.clear();
    }
}

TEST_F(HostileFilesTest, AHugeFileIsNeitherReadNorRewritten) {
    std::string huge = "[Korvani]\r\nFontSize=15\r\n";
    huge += std::string(50u << 20, 'x');
    writeFile("KORVANI.INI", huge);
    expectDefaultsAndAKeptFile(huge);
    EXPECT_EQ(fs::file_size(path("KORVANI.INI")), huge.size());
}

TEST_F(HostileFilesTest, ADirectoryOrAFifoInPlaceOfTheSettingsFile) {
    fs::create_directory(path("KORVANI.INI"));
    createForm(false);
    EXPECT_EQ(m_form->sizeBox->currentIndex(), 6);
    m_form->palette().pickSize(3);
    EXPECT_EQ(m_boxes.m_messages.size(), 1);
    EXPECT_TRUE(fs::is_directory(path("KORVANI.INI")));
    m_form.reset();

    fs::remove(path("KORVANI.INI"));
    ASSERT_EQ(mkfifo(path("KORVANI.INI").c_str(), 0600), 0);
    createForm(false); // must not wait for a writer
    EXPECT_EQ(m_form->sizeBox->currentIndex(), 6);
}

TEST_F(HostileFilesTest, ADanglingLinkGetsItsTargetCreated) {
    fs::create_symlink(path("elsewhere.ini"), path("KORVANI.INI"));
    createForm(false);
    EXPECT_EQ(m_form->sizeBox->currentIndex(), 6);
    m_form->palette().pickSize(2);
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
    EXPECT_TRUE(fs::is_symlink(path("KORVANI.INI")));
    EXPECT_EQ(readFile("elsewhere.ini"), "[Korvani]\r\nFontSize=2\r\n");
}

TEST_F(HostileFilesTest, AGarbledLogIsRewrittenAroundItsOtherContents) {
    const std::string junk = garbage(4096, 7);
    writeFile("KORVANI.LOG", junk);
    createForm(false);
    EXPECT_FALSE(m_form->terminateRequested());
    const std::string log = readFile("KORVANI.LOG");
    EXPECT_NE(log.find("[KORVANI.EXE]"), std::string::npos);
    EXPECT_NE(log.find("Version=6.05"), std::string::npos);
}

} // namespace
} // namespace korv
