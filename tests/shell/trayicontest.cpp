// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMenu>
#include <QPixmap>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakenotificationarea.h"
#include "trayicon.h"

namespace korv {
namespace {

using platform::FakeNotificationArea;
using platform::IconClick;

QIcon somePicture() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    return QIcon(pixmap);
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override { m_tray = std::make_unique<TrayIcon>(nullptr, m_area); }

    FakeNotificationArea m_area;
    std::unique_ptr<TrayIcon> m_tray;
};

TEST_F(TrayIconTest, ToolTipIsCutTo62Characters) {
    const QString astral = QString::fromUcs4(U"\U0001F600");
    const QString schwas(62, QChar(0x0259));
    const std::vector<std::pair<QString, QString>> cases = {
        {QString(62, 'a'), QString(62, 'a')},
        {QString(63, 'b'), QString(62, 'b')},
        {QString(200, 'c'), QString(62, 'c')},
        {QString(), QString()},
        {schwas + schwas, schwas},
        // A character made of two code units is not split.
        {QString(61, 'd') + astral, QString(61, 'd')},
        {QString(60, 'e') + astral, QString(60, 'e') + astral},
    };
    m_tray->show();
    for (const auto& [text, kept] : cases) {
        SCOPED_TRACE(text.toStdString());
        m_area.m_calls.clear();
        m_tray->setToolTip(text);
        EXPECT_EQ(m_tray->toolTip(), kept);
        ASSERT_EQ(m_area.m_calls.size(), 1U);
        EXPECT_FALSE(m_area.m_calls[0].hide);
        EXPECT_EQ(m_area.m_calls[0].toolTip, kept.toStdString());
    }
}

TEST_F(TrayIconTest, NothingGoesOutWhileHiddenAndEachChangeWhileShown) {
    m_tray->setToolTip(QStringLiteral("tip"));
    m_tray->setPicture(somePicture());
    m_tray->hide();
    EXPECT_TRUE(m_area.m_calls.empty());

    m_tray->show();
    ASSERT_EQ(m_area.m_calls.size(), 1U);
    EXPECT_EQ(m_area.m_calls[0].toolTip, "tip");
    EXPECT_FALSE(m_area.m_calls[0].picture.isNull());
    EXPECT_TRUE(m_tray->isShown());

    // The picture is copied in.
    QIcon picture = somePicture();
    m_tray->setPicture(picture);
    picture = QIcon();
    ASSERT_EQ(m_area.m_calls.size(), 2U);
    EXPECT_FALSE(m_area.m_calls[1].picture.isNull());
    EXPECT_FALSE(m_tray->picture().isNull());

    m_tray->hide();
    m_tray->hide();
    ASSERT_EQ(m_area.m_calls.size(), 3U);
    EXPECT_TRUE(m_area.m_calls[2].hide);
    EXPECT_FALSE(m_area.m_shown);
}

TEST_F(TrayIconTest, ClicksRaiseTheirEvents) {
    std::vector<std::string> events;
    m_tray->onClick = [&] { events.push_back("click"); };
    m_tray->onDoubleClick = [&] { events.push_back("double"); };
    m_tray->onContextClick = [&](QPoint) { events.push_back("context"); };
    m_tray->show();
    const std::vector<std::pair<std::vector<IconClick>, std::vector<std::string>>> cases = {
        {{IconClick::Click}, {"click"}},
        {{IconClick::Click, IconClick::DoubleClick, IconClick::Click},
         {"click", "double", "click"}},
        {{IconClick::ContextClick}, {"context"}},
    };
    for (const auto& [clicks, expected] : cases) {
        events.clear();
        for (const IconClick click : clicks) {
            ASSERT_TRUE(m_area.click(click));
        }
        EXPECT_EQ(events, expected);
    }
}

TEST_F(TrayIconTest, ContextClickShowsTheMenuFirstThenReportsThePositionReadBefore) {
    std::vector<std::string> events;
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        events.push_back("menu");
        m_area.m_pointer = {5, 5}; // the pointer moves while the menu is open
        QTimer::singleShot(0, &menu, &QMenu::close);
    });
    m_tray->setMenu(&menu);
    m_tray->onContextClick = [&](QPoint position) {
        events.push_back("context " + std::to_string(position.x()) + "," +
                         std::to_string(position.y()));
    };
    m_area.m_pointer = {100, 200};
    m_tray->show();
    ASSERT_TRUE(m_area.click(IconClick::ContextClick));
    EXPECT_EQ(events, (std::vector<std::string>{"menu", "context 100,200"}));
    EXPECT_EQ(m_area.m_pointerReads, 1);
}

TEST_F(TrayIconTest, ContextClickAfterTheMenuIsGoneOnlyReports) {
    auto menu = std::make_unique<QMenu>();
    m_tray->setMenu(menu.get());
    menu.reset();
    int reports = 0;
    m_tray->onContextClick = [&](QPoint) { ++reports; };
    m_tray->show();
    ASSERT_TRUE(m_area.click(IconClick::ContextClick));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(m_tray->menu(), nullptr);
}

TEST_F(TrayIconTest, DestructionHidesAShownIconOnlyAndLaterClicksReachNothing) {
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        FakeNotificationArea area;
        auto tray = std::make_unique<TrayIcon>(nullptr, area);
        int clicks = 0;
        tray->onClick = [&] { ++clicks; };
        if (shown) {
            tray->show();
        }
        const std::size_t before = area.m_calls.size();
        tray.reset();
        if (shown) {
            ASSERT_EQ(area.m_calls.size(), before + 1);
            EXPECT_TRUE(area.m_calls.back().hide);
        } else {
            EXPECT_EQ(area.m_calls.size(), before);
        }
        // An icon the area still shows for whatever reason must not call into the dead one.
        area.m_shown = true;
        EXPECT_TRUE(area.click(IconClick::Click));
        EXPECT_EQ(clicks, 0);
    }
}

} // namespace
} // namespace korv
