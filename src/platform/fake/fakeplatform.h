// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "copypayload.h"
#include "fakenotificationarea.h"
#include "platform.h"

namespace korv::platform {

/// Keeps what was put on it.
class FakeClipboard final : public Clipboard {
public:
    bool put(const CopyPayload& payload) override {
        m_put.push_back(payload);
        return m_accepts;
    }
    std::vector<CopyPayload> m_put;
    bool m_accepts = true; // what put reports
};

/// Records each paste asked for, by the window asked from.
class FakePasteTarget final : public PasteTarget {
public:
    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override {
        m_ownWindows.push_back(own);
        done(m_pastes ? PasteResult::Pasted : PasteResult::NotSwitched);
    }
    std::vector<WindowHandle> m_ownWindows;
    bool m_pastes = true; // whether pasteIntoPreviousWindow reports the paste made
};

/// Lets a test ask for the About window, as another program would.
class FakeAboutRequests final : public AboutRequests {
public:
    void watch(WindowHandle window, Handler handler) override {
        m_window = window;
        m_handler = std::move(handler);
    }
    /// Asks the watched window; false when nobody watches.
    bool ask() {
        if (!m_handler) {
            return false;
        }
        const Handler handler = m_handler;
        handler();
        return true;
    }

    WindowHandle m_window = 0;
    Handler m_handler;
};

/// Records the addresses opened and the programs started.
class FakeLauncher final : public Launcher {
public:
    void openAddress(const std::string& address) override { m_opened.push_back(address); }
    void startProgram(const std::string& path) override { m_started.push_back(path); }

    std::vector<std::string> m_opened;
    std::vector<std::string> m_started;
};

/// Says administrator or not, as a test sets it.
class FakeAdminCheck final : public AdminCheck {
public:
    bool isAdmin() const override {
        ++m_calls;
        return m_admin;
    }
    bool m_admin = false;
    mutable int m_calls = 0;
};

/// Places windows or not, as a test sets it, and records the activations and locks asked for.
class FakeWindowPlacement final : public WindowPlacement {
public:
    bool placesWindows() const override { return m_places; }
    void activate(WindowHandle window) override { m_activated.push_back(window); }
    void lockSize(WindowHandle window) override { m_locked.push_back(window); }
    bool m_places = true;
    std::vector<WindowHandle> m_activated;
    std::vector<WindowHandle> m_locked;
};

/// Keeps the handler of the listening copy and the requests sent, for tests to drive.
class FakeSummonChannel final : public SummonChannel {
public:
    bool listen(Handler handler) override {
        m_handler = std::move(handler);
        return true;
    }
    SummonResult send(SummonRequest request) override {
        m_sent.push_back(request);
        return m_result;
    }

    Handler m_handler;
    std::vector<SummonRequest> m_sent;
    SummonResult m_result = SummonResult::NoneRunning;
};

/// A complete recording platform for tests.
class FakePlatform final {
public:
    FakePlatform()
        : m_platform{m_clipboard, m_pasteTarget,   m_notificationArea,
                     m_placement, m_aboutRequests, m_launcher,
                     m_admin,     m_summon} {}
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform& platform() { return m_platform; }

    FakeClipboard m_clipboard;
    FakePasteTarget m_pasteTarget;
    FakeNotificationArea m_notificationArea;
    FakeWindowPlacement m_placement;
    FakeAboutRequests m_aboutRequests;
    FakeLauncher m_launcher;
    FakeAdminCheck m_admin;
    FakeSummonChannel m_summon;

private:
    Platform m_platform;
};

} // namespace korv::platform
