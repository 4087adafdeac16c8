// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "systemmenuapi.h"

namespace korv::platform {

/// Maps the window menu onto the window manager's Motif hints: deleting Size, Minimize or
/// Maximize withdraws that function and its title-bar button from the window.
class X11SystemMenu final : public SystemMenuApi {
public:
    MenuHandle getSystemMenu(WindowHandle window, bool revert) override;
    bool deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t flags) override;
};

} // namespace korv::platform
