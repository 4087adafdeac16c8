// SPDX-License-Identifier: GPL-3.0-or-later
#include "waylandshell.h"

namespace korv::platform {

MenuHandle WaylandSystemMenu::getSystemMenu(WindowHandle, bool) {
    return 0;
}

bool WaylandSystemMenu::deleteMenu(MenuHandle, std::uint32_t, std::uint32_t) {
    return false;
}

void WaylandSystemCommands::watch(WindowHandle, Handler) {}

std::int16_t WaylandKeyInjector::vkKeyScanA(char ch) {
    // The layout of a US keyboard: capitals need Shift, the rest types unshifted.
    if (ch >= 'A' && ch <= 'Z') {
        return static_cast<std::int16_t>(0x0100 | ch);
    }
    if (ch >= 'a' && ch <= 'z') {
        return static_cast<std::int16_t>(ch - 'a' + 'A');
    }
    if ((ch >= '0' && ch <= '9') || ch == ' ') {
        return static_cast<std::int16_t>(ch);
    }
    return -1;
}

bool WaylandKeyInjector::sendAutoPaste(const std::array<KeyEvent, 8>&, WindowHandle) {
    return false;
}

} // namespace korv::platform
