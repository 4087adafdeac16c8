// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "trayicon.h"
#include "x11notifyshell.h"

namespace korv {
namespace {

using platform::NotifyIconData;
using platform::NotifyMessage;
using platform::X11NotifyShell;

struct Heard {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const Heard&, const Heard&) = default;
};

class X11NotifyShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkBlue);
        m_icon = QIcon(pixmap);
        m_shell.registerWindow(kWindow,
                               [this](std::uint32_t message, std::uintptr_t w, std::intptr_t l) {
                                   m_heard.push_back({message, w, l});
                                   return std::intptr_t{0};
                               });
    }

    NotifyIconData record(bool withIcon = true) const {
        NotifyIconData data;
        data.cbSize = platform::kNotifyIconDataSize;
        data.hWnd = kWindow;
        data.uID = 3;
        data.uFlags = platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP;
        data.uCallbackMessage = 0x0401;
        data.hIcon = withIcon ? reinterpret_cast<platform::IconHandle>(&m_icon) : 0;
        data.szTip = {'t', 'i', 'p'};
        return data;
    }

    // What the window hears: the record's callback message, carrying each mouse message in turn.
    static std::vector<Heard> heard(const std::vector<std::intptr_t>& mouse) {
        std::vector<Heard> messages;
        for (const std::intptr_t message : mouse) {
            messages.push_back({0x0401, 3, message});
        }
        return messages;
    }

    static constexpr platform::WindowHandle kWindow = 7;
    QIcon m_icon;
    X11NotifyShell m_shell;
    std::vector<Heard> m_heard;
};

TEST_F(X11NotifyShellTest, ActivationsArriveAsTheShellsMouseMessages) {
    ASSERT_TRUE(m_shell.notifyIcon(NotifyMessage::Add, record()));
    QSystemTrayIcon* tray = m_shell.trayIcon(kWindow, 3);
    ASSERT_NE(tray, nullptr);
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        std::vector<std::intptr_t> mouse;
    };
    const std::vector<Case> cases = {
        {QSystemTrayIcon::Trigger, {0x0202}},
        // Qt has sent Trigger for the first press already.
        {QSystemTrayIcon::DoubleClick, {0x0203, 0x0202}},
        {QSystemTrayIcon::Context, {0x0205}},
        {QSystemTrayIcon::MiddleClick, {}},
        {QSystemTrayIcon::Unknown, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        m_heard.clear();
        emit tray->activated(c.reason);
        EXPECT_EQ(m_heard, heard(c.mouse));
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
TEST_F(X11NotifyShellTest, TheLeftButtonCountsOnItsRelease) {
    ASSERT_TRUE(m_shell.notifyIcon(NotifyMessage::Add, record()));
    FakeIconWidget icon(m_shell.trayIcon(kWindow, 3));
    icon.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&icon));
    const QPoint inside(11, 11);
    const QPoint outside(60, 11);
    using enum QTest::MouseAction;
    struct Step {
        QTest::MouseAction action;
        QPoint at;
        std::vector<std::intptr_t> heard; // after this step
    };
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"released away", {{MousePress, inside, {}}, {MouseRelease, outside, {}}}},
        {"clicked twice",
         {{MousePress, inside, {}},
          {MouseRelease, inside, {0x0202}},
          {MouseDClick, inside, {0x0202, 0x0203}},
          {MouseRelease, inside, {0x0202, 0x0203, 0x0202}}}},
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        m_heard.clear();
        for (const Step& step : steps) {
            QTest::mouseEvent(step.action, &icon, Qt::LeftButton, {}, step.at);
            EXPECT_EQ(m_heard, heard(step.heard));
        }
    }
}

TEST_F(X11NotifyShellTest, OneTrayIconPerRecordShownOnceItHasAPicture) {
    ASSERT_TRUE(m_shell.notifyIcon(NotifyMessage::Add, record(false)));
    EXPECT_FALSE(m_shell.notifyIcon(NotifyMessage::Add, record(false))) << "already there";
    EXPECT_EQ(m_shell.trayIcon(kWindow, 3), nullptr) << "nothing to draw yet";

    NotifyIconData changed = record();
    changed.szTip = {'n', 'e', 'w'};
    ASSERT_TRUE(m_shell.notifyIcon(NotifyMessage::Modify, changed));
    QSystemTrayIcon* tray = m_shell.trayIcon(kWindow, 3);
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->isVisible());
    EXPECT_EQ(tray->toolTip(), QStringLiteral("new"));
    EXPECT_FALSE(tray->icon().isNull());

    ASSERT_TRUE(m_shell.notifyIcon(NotifyMessage::Delete, changed));
    EXPECT_EQ(m_shell.trayIcon(kWindow, 3), nullptr);
    EXPECT_FALSE(m_shell.notifyIcon(NotifyMessage::Modify, changed));
    EXPECT_FALSE(m_shell.notifyIcon(NotifyMessage::Delete, changed));
}

TEST_F(X11NotifyShellTest, ClickHandlerMayRemoveItsOwnIcon) {
    ASSERT_TRUE(m_shell.notifyIcon(NotifyMessage::Add, record()));
    int calls = 0;
    m_shell.registerWindow(kWindow, [&](std::uint32_t, std::uintptr_t, std::intptr_t) {
        ++calls;
        m_shell.notifyIcon(NotifyMessage::Delete, record());
        return std::intptr_t{0};
    });
    emit m_shell.trayIcon(kWindow, 3)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(calls, 1) << "no release reported for a removed icon";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString uniqueName(const char* what) {
    return QStringLiteral("korv-test-%1-%2").arg(QLatin1String(what)).arg(::getpid());
}

// A runtime folder of the test's own, so that no other run's guards can meet these.
class X11InstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_runtime.isValid());
        m_saved = qgetenv("XDG_RUNTIME_DIR");
        m_hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override {
        if (m_hadRuntime) {
            qputenv("XDG_RUNTIME_DIR", m_saved);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }

    QTemporaryDir m_runtime;
    QByteArray m_saved;
    bool m_hadRuntime = false;
};

std::unique_ptr<TTrayIcon> instance(platform::NotifyShell& shell, const QString& name) {
    auto tray = std::make_unique<TTrayIcon>(nullptr, shell);
    tray->setIDMessage(name);
    tray->Loaded();
    return tray;
}

TEST_F(X11InstanceGuardTest, SecondInstanceEndsAndTheFirstHearsIt) {
    const QString name = uniqueName("guard");
    int exits = 0;
    X11NotifyShell firstShell([&] { ++exits; });
    X11NotifyShell secondShell([&] { ++exits; });
    std::vector<std::uint32_t> heard;
    firstShell.registerWindow(1, [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
        heard.push_back(message);
        return std::intptr_t{0};
    });

    auto first = instance(firstShell, name);
    EXPECT_EQ(exits, 0);
    auto second = instance(secondShell, name);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !heard.empty(); }, 5000));
    EXPECT_EQ(heard, std::vector<std::uint32_t>{first->registeredMessage()});

    // Another name is another program.
    auto other = instance(secondShell, uniqueName("other"));
    EXPECT_EQ(exits, 1);

    // The name is free again once its holder is gone, also within one process.
    second.reset();
    first.reset();
    EXPECT_TRUE(QDir(m_runtime.path()).entryList({QStringLiteral("*.sock")}).isEmpty());
    X11NotifyShell thirdShell([&] { ++exits; });
    auto third = instance(thirdShell, name);
    EXPECT_EQ(exits, 1);
}

TEST_F(X11InstanceGuardTest, WithoutARuntimeFolderThereIsNoGuard) {
    qunsetenv("XDG_RUNTIME_DIR");
    int exits = 0;
    X11NotifyShell shell([&] { ++exits; });
    const QString name = uniqueName("nofolder");
    auto first = instance(shell, name);
    auto second = instance(shell, name);
    EXPECT_EQ(exits, 0);
}

} // namespace
} // namespace korv
