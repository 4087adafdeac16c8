// SPDX-License-Identifier: GPL-3.0-or-later
// For the end-to-end tests on wlroots compositors: a virtual pointer that clicks where it is
// told, and the user's keyboard, both on the seat before any other client comes, as on a desktop.
// Reads lines "click X Y" (layout pixels) from standard input, answers each with "ok" once the
// compositor has taken the events; ends at the end of input.
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include "virtualkeyboard.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

constexpr std::uint32_t kLeftButton = 0x110; // BTN_LEFT
// A whole US keyboard, which the compositor compiles from its own rules.
constexpr std::string_view kKeymap = R"xkb(xkb_keymap {
    xkb_keycodes { include "evdev+aliases(qwerty)" };
    xkb_types { include "complete" };
    xkb_compat { include "complete" };
    xkb_symbols { include "pc+us+inet(evdev)" };
};
)xkb";
wl_seat* g_seat = nullptr;
zwlr_virtual_pointer_manager_v1* g_manager = nullptr;
zwp_virtual_keyboard_manager_v1* g_keyboards = nullptr;

void global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && g_seat == nullptr) {
        g_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        g_manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        g_keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    }
}

// The user's keyboard. A seat that gains its first keyboard while windows are open leaves Qt
// programs wrong about which of their windows is active: one that binds its keyboard after the
// focus has left it never hears that it lost it.
zwp_virtual_keyboard_v1* makeKeyboard() {
    return korv::platform::makeVirtualKeyboard(g_keyboards, g_seat, kKeymap);
}

void globalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistry{global, globalRemove};

std::uint32_t now() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

} // namespace

int main(int argc, char** argv) {
    // The layout's size, so that absolute positions map one to one onto pixels.
    const std::uint32_t width = argc > 2 ? std::stoul(argv[1]) : 1280;
    const std::uint32_t height = argc > 2 ? std::stoul(argv[2]) : 800;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "virtualpointer: no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, nullptr);
    wl_display_roundtrip(display);
    if (g_manager == nullptr || g_keyboards == nullptr) {
        std::fprintf(stderr,
                     "virtualpointer: the compositor offers no virtual pointer or keyboard\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_manager, g_seat);
    zwp_virtual_keyboard_v1* keyboard = makeKeyboard();
    if (keyboard == nullptr) {
        std::fprintf(stderr, "virtualpointer: no keymap for the keyboard\n");
        return 1;
    }
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        std::uint32_t x = 0;
        std::uint32_t y = 0;
        if (!(words >> verb >> x >> y) || verb != "click") {
            std::cout << "?" << std::endl;
            continue;
        }
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
        // XWayland hands a button to the X window it last saw the pointer enter: let the
        // move arrive there before the press does.
        wl_display_roundtrip(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        zwlr_virtual_pointer_v1_button(pointer, now(), kLeftButton,
                                       WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, now(), kLeftButton,
                                       WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        std::cout << "ok" << std::endl;
    }
    zwp_virtual_keyboard_v1_destroy(keyboard);
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(g_keyboards));
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(g_manager);
    if (g_seat != nullptr) {
        wl_seat_destroy(g_seat);
    }
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
