// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fakekeyinjector.h"
#include "fakenotifyshell.h"
#include "platform.h"

namespace korv::platform {

/// Reports whatever version a test sets.
class FakeOsInfo final : public OsInfo {
public:
    OsVersion version() const override { return m_version; }
    OsVersion m_version{true, 10, kPlatformNt};
};

/// Records every menu call; the menu holds the usual commands until deleted.
class FakeSystemMenu final : public SystemMenuApi {
public:
    MenuHandle getSystemMenu(WindowHandle window, bool revert) override;
    bool deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t flags) override;

    std::vector<WindowHandle> m_fetched;
    std::vector<std::pair<MenuHandle, std::uint32_t>> m_deleteCalls;
    std::vector<std::uint32_t> m_commands{SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0xF010 /*move*/,
                                          0xF060 /*close*/};
};

/// Lets a test deliver system commands to the watched window.
class FakeSystemCommands final : public SystemCommandSource {
public:
    void watch(WindowHandle window, Handler handler) override;
    /// Delivers command as if another program had sent it; false when nobody watches.
    bool send(std::uint32_t command);

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

/// Places windows or not, as a test sets it, and records the activations asked for.
class FakeWindowPlacement final : public WindowPlacement {
public:
    bool placesWindows() const override { return m_places; }
    void activate(WindowHandle window) override { m_activated.push_back(window); }
    bool m_places = true;
    std::vector<WindowHandle> m_activated;
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
        : m_platform{m_os,   m_systemMenu,  m_systemCommands, m_launcher, m_admin,
                     m_keys, m_notifyShell, m_placement,      m_summon} {}
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform& platform() { return m_platform; }

    FakeOsInfo m_os;
    FakeSystemMenu m_systemMenu;
    FakeSystemCommands m_systemCommands;
    FakeLauncher m_launcher;
    FakeAdminCheck m_admin;
    FakeKeyInjector m_keys;
    FakeNotifyShell m_notifyShell;
    FakeWindowPlacement m_placement;
    FakeSummonChannel m_summon;

private:
    Platform m_platform;
};

} // namespace korv::platform
