// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <wayland-client.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <cstdint>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace korv::platform {

/// A virtual keyboard on the seat that types through the given XKB keymap; null if the keymap
/// could not be handed over.
inline zwp_virtual_keyboard_v1* makeVirtualKeyboard(zwp_virtual_keyboard_manager_v1* keyboards,
                                                    wl_seat* seat, std::string_view keymap) {
    constexpr std::uint32_t kXkbV1 = 1; // WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1
    const int fd = memfd_create("korvani-keymap", MFD_CLOEXEC);
    const std::size_t size = keymap.size() + 1; // with its terminating zero
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) != 0 ||
        write(fd, keymap.data(), keymap.size()) != static_cast<ssize_t>(keymap.size())) {
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    zwp_virtual_keyboard_v1* keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboards, seat);
    zwp_virtual_keyboard_v1_keymap(keyboard, kXkbV1, fd, static_cast<std::uint32_t>(size));
    close(fd);
    return keyboard;
}

} // namespace korv::platform
