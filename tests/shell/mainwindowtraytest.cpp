// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "formfixture.h"
#include "trayicon.h"

namespace korv {
namespace {

using platform::IconClick;

class MainWindowTrayTest : public FormFixture {
protected:
    platform::FakeNotificationArea& area() { return m_fake.m_notificationArea; }
    // Hidden, as the loop's first turn leaves it: with its tray icon.
    void createStartedForm() {
        createForm(false);
        m_form->finishStart();
    }
};

TEST_F(MainWindowTrayTest, LoadingShowsTheIconOnceWithPictureAndTip) {
    createStartedForm();
    QCoreApplication::processEvents();
    const auto& calls = area().m_calls;
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_FALSE(calls[0].hide);
    EXPECT_FALSE(calls[0].picture.isNull());
    EXPECT_EQ(calls[0].toolTip, "Korvani by the Korvani developers");
}

TEST_F(MainWindowTrayTest, IconIsTheWindowsPictureInSmallAndLargeSizes) {
    createStartedForm();
    const TrayIcon* tray = m_form->trayIcon;
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->objectName(), QStringLiteral("TrayIcon"));
    EXPECT_TRUE(tray->isShown());
    EXPECT_LE(tray->toolTip().size(), TrayIcon::kMaxToolTip);
    EXPECT_TRUE(tray->toolTip().startsWith(QStringLiteral("Korvani by ")));
    const QList<QSize> sizes = tray->picture().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_EQ(tray->picture().pixmap(16).toImage(), m_form->windowIcon().pixmap(16).toImage());
}

TEST_F(MainWindowTrayTest, EitherClickShowsTheHiddenWindow) {
    for (const IconClick click : {IconClick::Click, IconClick::DoubleClick}) {
        SCOPED_TRACE(static_cast<int>(click));
        createForm(false);
        QCoreApplication::processEvents();
        ASSERT_FALSE(m_form->isVisible());
        ASSERT_TRUE(area().click(click));
        EXPECT_TRUE(m_form->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        m_form.reset();
    }
}

TEST_F(MainWindowTrayTest, DoubleClickRestoresThreeTimesAndLeavesTheWindowInFront) {
    createStartedForm();
    int restores = 0;
    TrayIcon* tray = m_form->trayIcon;
    for (TrayIcon::ClickEvent* event : {&tray->onClick, &tray->onDoubleClick}) {
        *event = [&restores, bound = *event] {
            ++restores;
            bound();
        };
    }
    for (const IconClick click : {IconClick::Click, IconClick::DoubleClick, IconClick::Click}) {
        ASSERT_TRUE(area().click(click));
    }
    EXPECT_EQ(restores, 3);
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    EXPECT_EQ(QApplication::activeWindow(), m_form.get());
}

TEST_F(MainWindowTrayTest, IconWaitsForTheFirstPaintButNotLongerThanASecond) {
    // Painted at once, and where no window manager maps the window, so never painted.
    for (const bool mapped : {true, false}) {
        SCOPED_TRACE(mapped);
        area().m_calls.clear();
        createForm(false);
        m_form->setUpdatesEnabled(mapped);
        m_form->show();
        EXPECT_TRUE(area().m_calls.empty()) << "before the first paint";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !area().m_calls.empty(); },
                                    MainWindow::kLatestStartMs + 2000));
        m_form.reset();
    }
}

TEST_F(MainWindowTrayTest, ClosingTheWindowRemovesTheIcon) {
    createStartedForm();
    m_form.reset();
    EXPECT_TRUE(area().m_calls.back().hide);
    EXPECT_FALSE(area().m_shown);
}

} // namespace
} // namespace korv
