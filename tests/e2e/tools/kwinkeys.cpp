// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own keyboard in a headless KWin session: keys through KWin's fake input, as a device
// of its own (the desktop portal's keys, which the program sends, come through another). Prints
// "ready" once bound (KWin offers it to programs whose menu entry asks for it), then reads one
// command a line and answers "ok" once KWin has taken it:
//
//     keys CODE:1 CODE:0 ...   evdev key codes pressed (1) or released (0), in order

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "fake-input-client-protocol.h"

namespace {

org_kde_kwin_fake_input* g_input = nullptr;

void announced(void*, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4) {
        g_input = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
    }
}

void removed(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kListener = {announced, removed};

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kListener, nullptr);
    wl_display_roundtrip(display);
    if (g_input == nullptr) {
        std::fprintf(stderr, "no fake input (version 4)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(g_input, "korvani tests", "the user's keyboard");
    wl_display_roundtrip(display);
    std::printf("ready\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        while (words >> word) {
            const auto colon = word.find(':');
            const unsigned code = static_cast<unsigned>(std::stoul(word.substr(0, colon)));
            const unsigned state = word.substr(colon + 1) == "1" ? 1 : 0;
            org_kde_kwin_fake_input_keyboard_key(g_input, code, state);
            wl_display_roundtrip(display); // one at a time, each taken before the next
        }
        std::printf("ok\n");
        std::fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
