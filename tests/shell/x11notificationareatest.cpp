// SPDX-License-Identifier: GPL-3.0-or-later
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

#include "x11notificationarea.h"

namespace korv {
namespace {

using platform::IconClick;
using platform::X11NotificationArea;

class X11NotificationAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkBlue);
        m_picture = QIcon(pixmap);
        m_area.onIconClick([this](IconClick click) { m_heard.push_back(click); });
    }

    QIcon m_picture;
    X11NotificationArea m_area;
    std::vector<IconClick> m_heard;
};

TEST_F(X11NotificationAreaTest, ActivationsArriveAsClicks) {
    m_area.showIcon("tip", m_picture);
    QSystemTrayIcon* tray = m_area.trayIcon();
    ASSERT_NE(tray, nullptr);
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        std::vector<IconClick> clicks;
    };
    const std::vector<Case> cases = {
        {QSystemTrayIcon::Trigger, {IconClick::Click}},
        // Qt has sent Trigger for the first press already.
        {QSystemTrayIcon::DoubleClick, {IconClick::DoubleClick, IconClick::Click}},
        {QSystemTrayIcon::Context, {IconClick::ContextClick}},
        {QSystemTrayIcon::MiddleClick, {}},
        {QSystemTrayIcon::Unknown, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        m_heard.clear();
        emit tray->activated(c.reason);
        EXPECT_EQ(m_heard, c.clicks);
    }
}

// Stands in for Qt's own icon widget, which reports Trigger on the press and DoubleClick on the
// second press of a double click.
class FakeIconWidget final : public QWidget {
public:
    explicit FakeIconWidget(QSystemTrayIcon* tray)
        : m_tray(tray) {
        resize(22, 22);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        emit m_tray->activated(QSystemTrayIcon::Trigger);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        emit m_tray->activated(QSystemTrayIcon::DoubleClick);
    }

private:
    QSystemTrayIcon* m_tray;
};

// A left press without its release raises nothing; the release over the icon raises the click,
// and one away from it takes the click back. A double click's first click is a plain one.
TEST_F(X11NotificationAreaTest, TheLeftButtonCountsOnItsRelease) {
    m_area.showIcon("tip", m_picture);
    FakeIconWidget icon(m_area.trayIcon());
    icon.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&icon));
    const QPoint inside(11, 11);
    const QPoint outside(60, 11);
    using enum QTest::MouseAction;
    struct Step {
        QTest::MouseAction action;
        QPoint at;
        std::vector<IconClick> heard; // after this step
    };
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"released away", {{MousePress, inside, {}}, {MouseRelease, outside, {}}}},
        {"clicked twice",
         {{MousePress, inside, {}},
          {MouseRelease, inside, {IconClick::Click}},
          {MouseDClick, inside, {IconClick::Click, IconClick::DoubleClick}},
          {MouseRelease, inside, {IconClick::Click, IconClick::DoubleClick, IconClick::Click}}}},
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        m_heard.clear();
        for (const Step& step : steps) {
            QTest::mouseEvent(step.action, &icon, Qt::LeftButton, {}, step.at);
            EXPECT_EQ(m_heard, step.heard);
        }
    }
}

TEST_F(X11NotificationAreaTest, TheTrayIconComesOnceThereIsAPictureAndGoesWithTheIcon) {
    m_area.showIcon("tip", QIcon());
    EXPECT_NE(m_area.statusNotifierItem(), nullptr);
    EXPECT_EQ(m_area.trayIcon(), nullptr) << "nothing to draw yet";

    m_area.showIcon("new", m_picture);
    QSystemTrayIcon* tray = m_area.trayIcon();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->isVisible());
    EXPECT_EQ(tray->toolTip(), QStringLiteral("new"));
    EXPECT_FALSE(tray->icon().isNull());

    m_area.hideIcon();
    EXPECT_EQ(m_area.trayIcon(), nullptr);
    EXPECT_EQ(m_area.statusNotifierItem(), nullptr);
    m_area.hideIcon();
}

TEST_F(X11NotificationAreaTest, ClickHandlerMayHideTheIcon) {
    m_area.showIcon("tip", m_picture);
    int calls = 0;
    m_area.onIconClick([&](IconClick) {
        ++calls;
        m_area.hideIcon();
    });
    emit m_area.trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(calls, 1) << "no click reported for a hidden icon";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace korv
