// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakenotifyshell.h"
#include "trayicon.h"

namespace korv {
namespace {

using platform::FakeNotifyShell;
using platform::NotifyMessage;

QIcon somePicture() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    return QIcon(pixmap);
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override { m_tray = std::make_unique<TTrayIcon>(nullptr, m_shell); }

    std::vector<NotifyMessage> kinds() const {
        std::vector<NotifyMessage> found;
        for (const auto& call : m_shell.m_calls) {
            found.push_back(call.message);
        }
        return found;
    }
    // Lets posted messages arrive, as the message loop does once loading is over.
    static void runLoop() { QCoreApplication::processEvents(); }

    FakeNotifyShell m_shell;
    std::unique_ptr<TTrayIcon> m_tray;
};

TEST_F(TrayIconTest, ToolTipIsCutTo62Characters) {
    const QString astral = QString::fromUcs4(U"\U0001F600");
    struct Case {
        QString text;
        QString kept;
        std::string tip; // what the record carries
    };
    const QString schwas(62, QChar(0x0259));
    const std::vector<Case> cases = {
        {QString(62, 'a'), QString(62, 'a'), std::string(62, 'a')},
        {QString(63, 'b'), QString(62, 'b'), std::string(62, 'b')},
        {QString(200, 'c'), QString(62, 'c'), std::string(62, 'c')},
        {QString(), QString(), std::string()},
        // Two bytes each: the record holds what fits whole in 63 bytes.
        {schwas, schwas, QString(31, QChar(0x0259)).toStdString()},
        // A character made of two code units is not split.
        {QString(61, 'd') + astral, QString(61, 'd'), std::string(61, 'd')},
    };
    m_tray->setActive(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        m_shell.m_calls.clear();
        m_tray->setToolTip(c.text);
        EXPECT_EQ(m_tray->ToolTip(), c.kept);
        ASSERT_EQ(m_shell.m_calls.size(), 1U);
        EXPECT_EQ(m_shell.m_calls[0].message, NotifyMessage::Modify);
        EXPECT_EQ(m_shell.m_calls[0].data.tip(), c.tip);
        EXPECT_EQ(m_shell.m_calls[0].data.szTip.back(), '\0');
    }
}

TEST_F(TrayIconTest, RecordCarriesTheIconsValues) {
    m_tray->setToolTip(QStringLiteral("tip"));
    m_tray->setActive(true);
    ASSERT_EQ(m_shell.m_calls.size(), 1U);
    const platform::NotifyIconData& data = m_shell.m_calls[0].data;
    EXPECT_EQ(data.cbSize, 88U);
    EXPECT_EQ(data.hWnd, m_tray->windowHandle());
    EXPECT_NE(data.hWnd, 0U);
    EXPECT_EQ(data.uID, 0U);
    EXPECT_EQ(data.uFlags, 7U);
    EXPECT_EQ(data.uCallbackMessage, 0x0401U);
    EXPECT_EQ(data.hIcon, 0U); // no picture yet
    EXPECT_EQ(data.tip(), "tip");

    // Icon is copied in, then sent; its own object is no change.
    QIcon picture = somePicture();
    m_tray->setIcon(picture);
    picture = QIcon();
    ASSERT_EQ(m_shell.m_calls.size(), 2U);
    EXPECT_EQ(m_shell.m_calls[1].data.hIcon,
              reinterpret_cast<platform::IconHandle>(&m_tray->Icon()));
    EXPECT_FALSE(m_tray->Icon().isNull());
    m_tray->setIcon(m_tray->Icon());
    EXPECT_EQ(m_shell.m_calls.size(), 2U);
}

TEST_F(TrayIconTest, ActiveCallsTheShellOnlyOnChange) {
    m_tray->setActive(false);
    m_tray->setToolTip(QStringLiteral("tip"));
    m_tray->setIcon(somePicture());
    EXPECT_TRUE(m_shell.m_calls.empty()) << "nothing is sent while inactive";

    m_tray->setActive(true);
    m_tray->setActive(true);
    ASSERT_EQ(kinds(), std::vector<NotifyMessage>{NotifyMessage::Add});
    EXPECT_EQ(m_shell.m_calls[0].data.tip(), "tip");
    EXPECT_NE(m_shell.m_calls[0].data.hIcon, 0U);

    m_tray->setActive(false);
    m_tray->setActive(false);
    EXPECT_EQ(kinds(), (std::vector<NotifyMessage>{NotifyMessage::Add, NotifyMessage::Delete}));
    EXPECT_TRUE(m_shell.m_icons.empty());
}

TEST_F(TrayIconTest, EachActivationWithoutTipPostsOneRefresh) {
    struct Case {
        QString tip;
        int refreshes;
    };
    for (const Case& c : {Case{QString(), 1}, Case{QStringLiteral("tip"), 0}}) {
        SCOPED_TRACE(c.tip.toStdString());
        FakeNotifyShell shell;
        TTrayIcon tray(nullptr, shell);
        tray.setToolTip(c.tip);
        for (int round = 0; round < 2; ++round) {
            tray.setActive(true);
            EXPECT_EQ(shell.calls(NotifyMessage::Modify).size(), std::size_t(round * c.refreshes))
                << "posted, not sent";
            runLoop();
            runLoop();
            EXPECT_EQ(shell.calls(NotifyMessage::Modify).size(),
                      std::size_t((round + 1) * c.refreshes));
            tray.setActive(false);
        }
    }
}

TEST_F(TrayIconTest, ShowAppActsOnEveryAssignment) {
    m_tray->setShowApp(false);
    m_tray->setShowApp(false);
    m_tray->setShowApp(true);
    m_tray->Loaded();
    EXPECT_EQ(m_shell.m_showApp, (std::vector<bool>{false, false, false, true, true}));
    EXPECT_TRUE(m_shell.m_calls.empty());
}

TEST_F(TrayIconTest, MouseMessagesRaiseTheirEvents) {
    std::vector<std::string> events;
    m_tray->OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, m_tray.get());
        events.push_back("click");
    };
    m_tray->OnDblClick = [&](QObject* sender) {
        EXPECT_EQ(sender, m_tray.get());
        events.push_back("dblclick");
    };
    m_tray->OnRightClick = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        events.push_back("right");
    };
    m_tray->setActive(true);
    struct Case {
        std::vector<std::uint32_t> mouse;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {{0x0202}, {"click"}},
        // The shell reports a double click as up, double click, up.
        {{0x0202, 0x0203, 0x0202}, {"click", "dblclick", "click"}},
        {{0x0205}, {"right"}},
        {{0x0200 /*move*/, 0x0201 /*left down*/, 0x0204 /*right down*/, 0x0207, 0x0208 /*middle*/},
         {}},
    };
    for (const Case& c : cases) {
        events.clear();
        for (std::uint32_t message : c.mouse) {
            ASSERT_TRUE(m_shell.mouse(message));
        }
        EXPECT_EQ(events, c.events);
    }
}

TEST_F(TrayIconTest, RightClickShowsTheMenuFirstThenReportsThePositionReadBefore) {
    std::vector<std::string> events;
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        events.push_back("menu");
        m_shell.m_cursor = {5, 5}; // the pointer moves while the menu is open
        QTimer::singleShot(0, &menu, &QMenu::close);
    });
    m_tray->setPopupMenu(&menu);
    m_tray->OnRightClick = [&](QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                               int x, int y) {
        EXPECT_EQ(sender, m_tray.get());
        EXPECT_EQ(button, Qt::RightButton);
        EXPECT_EQ(shift, Qt::NoModifier);
        events.push_back("right " + std::to_string(x) + "," + std::to_string(y));
    };
    m_shell.m_cursor = {100, 200};
    m_tray->setActive(true);
    ASSERT_TRUE(m_shell.mouse(0x0205));
    EXPECT_EQ(events, (std::vector<std::string>{"menu", "right 100,200"}));
    EXPECT_EQ(m_shell.m_cursorReads, 1);
}

TEST_F(TrayIconTest, RightClickAfterTheMenuIsGoneOnlyReports) {
    auto menu = std::make_unique<QMenu>();
    m_tray->setPopupMenu(menu.get());
    menu.reset();
    int reports = 0;
    m_tray->OnRightClick = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        ++reports;
    };
    m_tray->setActive(true);
    ASSERT_TRUE(m_shell.mouse(0x0205));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(m_tray->PopupMenu(), nullptr);
}

TEST_F(TrayIconTest, DestructionRemovesAnActiveIconOnly) {
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active);
        FakeNotifyShell shell;
        auto tray = std::make_unique<TTrayIcon>(nullptr, shell);
        tray->setActive(active);
        const std::size_t before = shell.m_calls.size();
        tray.reset();
        runLoop(); // a refresh still waiting dies with the component
        if (active) {
            ASSERT_EQ(shell.m_calls.size(), before + 1);
            EXPECT_EQ(shell.m_calls.back().message, NotifyMessage::Delete);
        } else {
            EXPECT_EQ(shell.m_calls.size(), before);
        }
        EXPECT_TRUE(shell.m_icons.empty());
        EXPECT_TRUE(shell.m_windows.empty());
    }
}

TEST_F(TrayIconTest, SecondInstanceWithTheSameNameAnnouncesItselfAndEnds) {
    // The first instance's application window, listening as any top-level window does.
    std::vector<std::uint32_t> heard;
    m_shell.registerWindow(1, [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
        heard.push_back(message);
        return std::intptr_t{0};
    });
    m_tray->setIDMessage(QStringLiteral("KorvaniInstance"));
    m_tray->Loaded();
    EXPECT_EQ(m_shell.m_exits, 0);
    EXPECT_NE(m_tray->registeredMessage(), 0U);

    TTrayIcon other(nullptr, m_shell);
    other.setIDMessage(QStringLiteral("SomethingElse"));
    other.Loaded();
    EXPECT_EQ(m_shell.m_exits, 0);

    TTrayIcon second(nullptr, m_shell);
    second.setIDMessage(QStringLiteral("KorvaniInstance"));
    second.Loaded();
    EXPECT_EQ(m_shell.m_exits, 1);
    EXPECT_EQ(heard, std::vector<std::uint32_t>{m_tray->registeredMessage()});
    EXPECT_EQ(second.registeredMessage(), m_tray->registeredMessage());
}

} // namespace
} // namespace korv
