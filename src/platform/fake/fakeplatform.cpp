// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"

#include <algorithm>

namespace korv::platform {

MenuHandle FakeSystemMenu::getSystemMenu(WindowHandle window, bool) {
    m_fetched.push_back(window);
    return window == 0 ? 0 : window;
}

bool FakeSystemMenu::deleteMenu(MenuHandle menu, std::uint32_t command, std::uint32_t) {
    m_deleteCalls.emplace_back(menu, command);
    if (menu == 0) {
        return false;
    }
    const auto it = std::find(m_commands.begin(), m_commands.end(), command);
    if (it == m_commands.end()) {
        return false;
    }
    m_commands.erase(it);
    return true;
}

void FakeSystemCommands::watch(WindowHandle window, Handler handler) {
    m_window = window;
    m_handler = std::move(handler);
}

bool FakeSystemCommands::send(std::uint32_t command) {
    if (!m_handler) {
        return false;
    }
    m_handler(command);
    return true;
}

} // namespace korv::platform
