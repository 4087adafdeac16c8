// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace korv::platform {

using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;

// Window commands, numbered as the window menu numbers them.
inline constexpr std::uint32_t SC_SIZE = 0xF000;
inline constexpr std::uint32_t SC_MINIMIZE = 0xF020;
inline constexpr std::uint32_t SC_MAXIMIZE = 0xF030;
inline constexpr std::uint32_t MF_BYCOMMAND = 0;

/// The window manager's menu of window commands (move, size, minimise, ...) for one window.
class SystemMenuApi {
public:
    virtual ~SystemMenuApi() = default;
    /// Returns the window's own changeable command menu; 0 when there is none.
    virtual MenuHandle getSystemMenu(WindowHandle window, bool revert) = 0;
    /// Removes a command from the menu; false when the command is not there.
    virtual bool deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t flags) = 0;
};

} // namespace korv::platform
