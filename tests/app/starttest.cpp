// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "compositionedit.h"
#include "formfixture.h"

namespace korv {
namespace {

using StartTest = FormFixture;

constexpr const char* kFreshLog = "[KORVANI.EXE]\r\nVersion=6.05\r\nBuild=20211230\r\n";

// The window shows what the palette read, and the settings file is left as it was.
TEST_F(StartTest, TheWindowShowsTheStoredSettingsAndWritesOnlyTheLog) {
    const struct {
        const char* ini; // nullptr: no settings file
        int index;
        QPoint position;
        const char* copyCaption;
        bool hints;
        PaletteOptions options{};
        const char* homepage = nullptr; // nullptr: the default
    } cases[] = {
        {nullptr, 6, {50, 50}, "Copy", true},
        {"[Korvani]\r\nFontSize=15\r\n[Position]\r\nLeft=120\r\nTop=80\r\n",
         15,
         {120, 80},
         "Copy",
         true},
        {"[Korvani]\r\nFontSize=16\r\n", -1, {50, 50}, "Copy", true},
        {"[Korvani]\r\nFontSize=-1\r\n", -1, {50, 50}, "Copy", true},
        // Off every screen: onto the nearest, unsaved until closing.
        {"[Position]\r\nLeft=-2000\r\nTop=-2000\r\n", 6, {0, 0}, "Copy", true},
        {"[korvani]\nautopaste = 0x1\nShowHints=0\nUseUnicodeFont=0\n"
         "Homepage=\"https://example.org/ipa\"\n",
         6,
         {50, 50},
         "Paste",
         false,
         PaletteOptions{true, false, false, {}, {}},
         "https://example.org/ipa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "no file");
        std::filesystem::remove(folder() + "KORVANI.INI");
        if (c.ini != nullptr) {
            writeFile("KORVANI.INI", c.ini);
        }
        createForm();
        EXPECT_EQ(m_form->sizeBox->currentIndex(), c.index);
        EXPECT_EQ(m_form->pos(), c.position);
        EXPECT_EQ(m_form->palette().options(), c.options);
        EXPECT_EQ(m_form->copyButton->text(), QLatin1String(c.copyCaption));
        if (c.homepage != nullptr) {
            EXPECT_EQ(m_form->palette().homepage(), c.homepage);
        }
        for (const Symbol& b : allButtons()) {
            EXPECT_TRUE(c.hints || b.toolTip().isEmpty())
                << b.grid->cells().at(b.cell).glyph.toStdString();
        }
        if (c.ini != nullptr) {
            EXPECT_EQ(readFile("KORVANI.INI"), c.ini);
        } else {
            EXPECT_FALSE(std::filesystem::exists(folder() + "KORVANI.INI"));
        }
        EXPECT_EQ(readFile("KORVANI.LOG"), kFreshLog);
        EXPECT_TRUE(m_boxes.m_messages.isEmpty());
        EXPECT_FALSE(m_form->terminateRequested());
        m_form.reset();
    }
}

// The log holds nothing of value: a regular file in its place never keeps the program from
// starting, whatever its contents.
TEST_F(StartTest, TheLogKeepsOtherSectionsAndDropsItsOldOnes) {
    std::string oversize = "[Other]\r\n";
    oversize.resize(5u << 20, ';');
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"[Other]\r\nKeep=1\r\n[Korvani]\r\nStale=1\r\n[KORVANI.EXE]\r\nVersion=5\r\n",
         std::string("[Other]\r\nKeep=1\r\n") + kFreshLog},
        {oversize, kFreshLog},
        {std::string("\xFF\xFE[\0x\0]\0!", 9), kFreshLog},
    };
    for (const auto& c : cases) {
        writeFile("KORVANI.LOG", c.before);
        createForm(false);
        EXPECT_FALSE(m_form->terminateRequested());
        EXPECT_TRUE(m_boxes.m_messages.isEmpty());
        EXPECT_EQ(readFile("KORVANI.LOG"), c.after);
        m_form.reset();
    }
}

// Ended from outside (a signal, the session), the program saves nothing and asks nobody to
// read a message again.
TEST_F(StartTest, ALogThatCannotBeWrittenShowsTheMessageOnceAndEndsTheProgram) {
    // A program folder below a plain file cannot be written, not even by root.
    writeFile("plain", "");
    m_form = std::make_unique<MainWindow>(m_fake.platform(), m_boxes, folder() + "plain/");
    EXPECT_TRUE(m_form->terminateRequested());
    ASSERT_EQ(m_boxes.m_messages.size(), 1);
    // The folder named, one paragraph break, and the rest wrapped by the box.
    EXPECT_EQ(m_boxes.m_messages[0],
              QStringLiteral("Korvani is unable to save or update its settings in ") +
                  QString::fromStdString(folder()) +
                  QStringLiteral("plain.\n\nPlease check Korvani has write permissions for its "
                                 "own files or contact your administrator to grant Korvani these "
                                 "rights."));
    m_form->endSession();
    EXPECT_EQ(m_boxes.m_messages.size(), 1);
}

// Ended from outside, the program saves the position as closing does, shown or hidden, and asks
// nobody to read a message.
TEST_F(StartTest, EndingTheSessionSavesThePositionQuietly) {
    createForm();
    m_form->move(130, 90);
    m_form->hide();
    m_form->endSession();
    m_form->endSession();
    EXPECT_EQ(readFile("KORVANI.INI"), "[Position]\r\nLeft=130\r\nTop=90\r\n");
    m_form->close();
    EXPECT_EQ(readFile("KORVANI.INI"), "[Position]\r\nLeft=130\r\nTop=90\r\n");
    m_form.reset();

    std::filesystem::remove(folder() + "KORVANI.INI");
    std::filesystem::create_directory(folder() + "KORVANI.INI");
    createForm();
    m_form->endSession();
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
}

TEST_F(StartTest, TheWindowsSizeIsLocked) {
    createForm(false);
    EXPECT_EQ(m_fake.m_placement.m_locked, std::vector<platform::WindowHandle>{m_form->winId()});
}

TEST_F(StartTest, PickingASizeWritesItsIndexAtOnce) {
    createForm();
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(m_form->sizeBox, Qt::Key_End);
    EXPECT_EQ(m_form->sizeBox->currentText(), QStringLiteral("72"));
    EXPECT_EQ(readFile("KORVANI.INI"), "[Korvani]\r\nFontSize=15\r\n");
}

TEST_F(StartTest, ClosingWritesLeftThenTop) {
    writeFile("KORVANI.INI", "; mine\r\n[Position]\r\nTop=7\r\n");
    createForm();
    m_form->move(130, 90);
    m_form->close();
    EXPECT_EQ(readFile("KORVANI.INI"), "; mine\r\n[Position]\r\nTop=90\r\nLeft=130\r\n");
}

TEST_F(StartTest, WhereTheCompositorPlacesWindowsTheStoredPositionIsLeftAlone) {
    const std::string ini = "[Position]\r\nLeft=-2000\r\nTop=-2000\r\n";
    writeFile("KORVANI.INI", ini);
    m_fake.m_placement.m_places = false;
    createForm();
    EXPECT_NE(m_form->pos(), QPoint(-2000, -2000));
    m_form->move(130, 90);
    m_form->close();
    EXPECT_EQ(readFile("KORVANI.INI"), ini);
}

TEST_F(StartTest, ClosingWithASettingsFileThatCannotBeWrittenShowsTheMessageOnce) {
    createForm();
    std::filesystem::create_directory(folder() + "KORVANI.INI");
    m_form->close();
    EXPECT_EQ(m_boxes.m_messages.size(), 1);
    EXPECT_FALSE(m_form->isVisible());
}

TEST_F(StartTest, HideAndRestoreKeepLineCaretAndChart) {
    createForm();
    click("Tea");
    click("See");
    m_form->lineEdit->setCursorPosition(1);
    m_form->chartTabs->setCurrentIndex(1);
    clickWidget(m_form->hideButton);
    EXPECT_FALSE(m_form->isVisible());

    m_form->restoreWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    EXPECT_EQ(m_form->lineEdit->text(), QStringLiteral("ti"));
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 1);
    EXPECT_EQ(m_form->chartTabs->currentIndex(), 1);
    EXPECT_TRUE(m_form->additionalChart->isVisible());

    m_form->restoreWindow(); // already shown: only to the front
    EXPECT_TRUE(m_form->isVisible());
}

TEST_F(StartTest, AboutRequestsAreWatchedOnTheMainWindow) {
    createForm(false);
    EXPECT_EQ(m_fake.m_aboutRequests.m_window,
              static_cast<platform::WindowHandle>(m_form->winId()));
}

TEST_F(StartTest, WithoutANotificationAreaTheWindowStaysWithinReach) {
    m_fake.m_notificationArea.m_available = false;
    createForm();
    clickWidget(m_form->hideButton);
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(m_form->isMinimized());

    m_form->QWidget::hide();
    m_form->ensureReachable();
    EXPECT_TRUE(m_form->isVisible());

    m_fake.m_notificationArea.m_available = true;
    clickWidget(m_form->hideButton);
    EXPECT_FALSE(m_form->isVisible());
    m_form->ensureReachable();
    EXPECT_FALSE(m_form->isVisible());
}

} // namespace
} // namespace korv

namespace korv {
namespace {

// A summon heard from a later start: a minimised window comes back in front with the line's
// focus; one in front goes away, minimised where no notification area could bring it back.
TEST_F(StartTest, SummonsComeBackFromMinimisedAndToggleAwayWithoutATray) {
    const struct {
        const char* what;
        bool minimised;
        bool tray;
        platform::SummonRequest request;
        bool inFrontAfter;
    } cases[] = {
        {"show, minimised", true, true, platform::SummonRequest::Show, true},
        {"toggle, minimised", true, true, platform::SummonRequest::Toggle, true},
        {"toggle, in front, no tray", false, false, platform::SummonRequest::Toggle, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_fake.m_notificationArea.m_available = c.tray;
        m_fake.m_placement.m_activated.clear();
        createForm();
        m_form->listenForSummons();
        m_form->sizeBox->setFocus(Qt::OtherFocusReason);
        if (c.minimised) {
            m_form->showMinimized();
        }
        m_fake.m_summon.m_handler(c.request);
        QTest::qWait(50);
        EXPECT_EQ(m_form->isMinimized(), !c.inFrontAfter);
        EXPECT_EQ(m_form->isVisible(), true);
        EXPECT_EQ(m_fake.m_placement.m_activated.empty(), !c.inFrontAfter);
        if (c.inFrontAfter) {
            EXPECT_EQ(m_form->focusWidget(), m_form->lineEdit);
        }
        m_form.reset();
    }
}

} // namespace
} // namespace korv
