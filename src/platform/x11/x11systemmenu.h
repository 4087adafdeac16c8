// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

#include "systemmenuapi.h"

namespace korv::platform {

/// Maps the window menu onto the window manager's Motif hints: deleting Size, Minimize or
/// Maximize withdraws that function and its title-bar button from the window. Under KWin,
/// which offers Minimize to every normal window and dialog whatever its hints say, a window
/// that withholds the function is shown as a utility window instead.
class X11SystemMenu final : public SystemMenuApi {
public:
    X11SystemMenu();
    ~X11SystemMenu() override;
    X11SystemMenu(const X11SystemMenu&) = delete;
    X11SystemMenu& operator=(const X11SystemMenu&) = delete;

    MenuHandle getSystemMenu(WindowHandle window, bool revert) override;
    bool deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t flags) override;

private:
    class KWinTyping;
    std::unique_ptr<KWinTyping> m_kwinTyping;
};

} // namespace korv::platform
