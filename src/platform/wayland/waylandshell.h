// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keyinjector.h"
#include "systemcommands.h"
#include "systemmenuapi.h"
#include "windowplacement.h"

namespace korv::platform {

/// A Wayland client has no window menu of its own to trim: the compositor draws and decides
/// it, so there is no menu to fetch.
class WaylandSystemMenu final : public SystemMenuApi {
public:
    MenuHandle getSystemMenu(WindowHandle window, bool revert) override;
    bool deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t flags) override;
};

/// Wayland has no way for another program to send a command to a window, so none arrive.
class WaylandSystemCommands final : public SystemCommandSource {
public:
    void watch(WindowHandle window, Handler handler) override;
};

/// A Wayland compositor places windows itself and never tells a client where they are.
class WaylandWindowPlacement final : public WindowPlacement {
public:
    bool placesWindows() const override { return false; }
};

/// Compositors keep clients from typing into one another, so nothing is injected and every
/// paste reports that it did not go out; key scans still answer for letters, digits and space.
class WaylandKeyInjector final : public KeyInjector {
public:
    std::int16_t vkKeyScanA(char ch) override;
    bool sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) override;
};

} // namespace korv::platform
