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

/// Places windows or not, as a test sets it.
class FakeWindowPlacement final : public WindowPlacement {
public:
    bool placesWindows() const override { return m_places; }
    bool m_places = true;
};

/// A complete recording platform for tests.
class FakePlatform final {
public:
    FakePlatform()
        : m_platform{m_os,    m_systemMenu, m_systemCommands, m_launcher,
                     m_admin, m_keys,       m_notifyShell,    m_placement} {}
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

private:
    Platform m_platform;
};

} // namespace korv::platform
