// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "notifyshell.h"

namespace korv::platform {

/// Records every call to the notification area and keeps the icons it was given, so that a
/// test can click them; one fake can stand for the shell of several program instances.
class FakeNotifyShell final : public NotifyShell {
public:
    struct Call {
        NotifyMessage message;
        NotifyIconData data;
    };
    struct Notice {
        WindowHandle window;
        std::uint32_t id;
        std::string title;
        std::string text;
    };

    bool notifyIcon(NotifyMessage message, const NotifyIconData& data) override;
    void registerWindow(WindowHandle window, WindowProc proc) override;
    void unregisterWindow(WindowHandle window) override;
    void showApplicationWindow(bool show) override { m_showApp.push_back(show); }
    bool isAvailable() const override { return m_available; }
    ScreenPoint cursorPos() const override;
    bool showNotice(WindowHandle window, std::uint32_t id, const std::string& title,
                    const std::string& text) override {
        m_notices.push_back({window, id, title, text});
        return m_showsNotices;
    }

    std::uint32_t registerWindowMessage(const std::string& name) override;
    InstanceClaim createInstanceGuard(const std::string& name) override;
    void closeInstanceGuard(GuardHandle guard) override;
    void broadcastMessage(std::uint32_t message) override;
    void exitProcess() override { ++m_exits; }

    /// Reports a mouse message for the icon (window, id) as the shell does; false when that
    /// icon is not in the notification area or has no callback message.
    bool mouse(WindowHandle window, std::uint32_t id, std::uint32_t mouseMessage);
    /// The same for the only icon there is.
    bool mouse(std::uint32_t mouseMessage);
    /// The calls of one kind.
    std::vector<Call> calls(NotifyMessage message) const;

    std::vector<Call> m_calls;
    std::vector<bool> m_showApp;
    std::map<std::pair<WindowHandle, std::uint32_t>, NotifyIconData> m_icons;
    std::map<WindowHandle, WindowProc> m_windows;
    bool m_available = true;
    bool m_refuse = false; // every notifyIcon call fails
    ScreenPoint m_cursor;
    mutable int m_cursorReads = 0;
    std::vector<Notice> m_notices;
    bool m_showsNotices = true; // what showNotice reports

    std::map<std::string, std::uint32_t> m_messages;
    std::map<GuardHandle, std::string> m_guards;
    std::vector<std::uint32_t> m_broadcasts;
    int m_exits = 0;

private:
    GuardHandle m_nextGuard = 1;
};

} // namespace korv::platform
