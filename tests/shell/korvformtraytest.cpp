// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "formfixture.h"
#include "trayicon.h"

namespace korv {
namespace {

using platform::NotifyMessage;

class KorvFormTrayTest : public FormFixture {
protected:
    platform::FakeNotifyShell& shell() { return m_fake.m_notifyShell; }
    // Hidden, as the loop's first turn leaves it: with its tray icon.
    void createStartedForm() {
        createForm(false);
        m_form->finishStart();
    }
};

TEST_F(KorvFormTrayTest, LoadingAddsFirstAndSendsPictureAndTipTwice) {
    createStartedForm();
    const auto& calls = shell().m_calls;
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0].message, NotifyMessage::Add);
    EXPECT_EQ(calls[0].data.hIcon, 0U);
    EXPECT_EQ(calls[0].data.tip(), "");
    EXPECT_EQ(calls[1].message, NotifyMessage::Modify);
    EXPECT_NE(calls[1].data.hIcon, 0U);
    EXPECT_EQ(calls[1].data.tip(), "Korvani by the Korvani developers");
    // Construction, the stored value and the loaded step.
    EXPECT_EQ(shell().m_showApp, (std::vector<bool>{false, false, false}));

    QCoreApplication::processEvents();
    ASSERT_EQ(calls.size(), 3U) << "the refresh posted by the add";
    EXPECT_EQ(calls[2].message, NotifyMessage::Modify);
    EXPECT_EQ(calls[2].data.tip(), calls[1].data.tip());
    EXPECT_EQ(calls[2].data.hIcon, calls[1].data.hIcon);
}

TEST_F(KorvFormTrayTest, IconIsTheWindowsPictureInSmallAndLargeSizes) {
    createStartedForm();
    const TTrayIcon* tray = m_form->trayIcon;
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->objectName(), QStringLiteral("TrayIcon"));
    EXPECT_TRUE(tray->Active());
    EXPECT_TRUE(tray->IDMessage().isEmpty());
    EXPECT_LE(tray->ToolTip().size(), TTrayIcon::kMaxToolTip);
    EXPECT_TRUE(tray->ToolTip().startsWith(QStringLiteral("Korvani by ")));
    const QList<QSize> sizes = tray->Icon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_EQ(tray->Icon().pixmap(16).toImage(), m_form->windowIcon().pixmap(16).toImage());
}

TEST_F(KorvFormTrayTest, EitherClickShowsTheHiddenWindow) {
    for (const std::uint32_t mouse : {platform::WM_LBUTTONUP, platform::WM_LBUTTONDBLCLK}) {
        SCOPED_TRACE(mouse);
        createForm(false);
        QCoreApplication::processEvents();
        ASSERT_FALSE(m_form->isVisible());
        ASSERT_TRUE(shell().mouse(mouse));
        EXPECT_TRUE(m_form->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        m_form.reset();
    }
}

TEST_F(KorvFormTrayTest, DoubleClickRestoresThreeTimesAndLeavesTheWindowInFront) {
    createStartedForm();
    int restores = 0;
    TTrayIcon* tray = m_form->trayIcon;
    for (TTrayIcon::TNotifyEvent* event : {&tray->OnClick, &tray->OnDblClick}) {
        *event = [&restores, bound = *event](QObject* sender) {
            ++restores;
            bound(sender);
        };
    }
    for (const std::uint32_t mouse :
         {platform::WM_LBUTTONUP, platform::WM_LBUTTONDBLCLK, platform::WM_LBUTTONUP}) {
        ASSERT_TRUE(shell().mouse(mouse));
    }
    EXPECT_EQ(restores, 3);
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    EXPECT_EQ(QApplication::activeWindow(), m_form.get());
}

TEST_F(KorvFormTrayTest, IconWaitsForTheFirstPaintButNotLongerThanASecond) {
    // Painted at once, and where no window manager maps the window, so never painted.
    for (const bool mapped : {true, false}) {
        SCOPED_TRACE(mapped);
        shell().m_calls.clear();
        createForm(false);
        m_form->setUpdatesEnabled(mapped);
        m_form->show();
        EXPECT_TRUE(shell().m_calls.empty()) << "before the first paint";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shell().m_calls.empty(); },
                                    MainWindow::kLatestStartMs + 2000));
        m_form.reset();
    }
}

TEST_F(KorvFormTrayTest, ClosingTheWindowRemovesTheIcon) {
    createStartedForm();
    m_form.reset();
    EXPECT_EQ(shell().m_calls.back().message, NotifyMessage::Delete);
    EXPECT_TRUE(shell().m_icons.empty());
}

} // namespace
} // namespace korv
