// SPDX-License-Identifier: GPL-3.0-or-later
// korv_sendcommand <window id> <command>: sends a system command to a Korvani window the way
// another program would, as a KORVANI_SYSCOMMAND client message. Both numbers may be decimal or
// 0x-prefixed hexadecimal.
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool parse(const char* text, unsigned long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text, &end, 0);
    return errno == 0 && end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    unsigned long window = 0;
    unsigned long command = 0;
    if (argc != 3 || !parse(argv[1], window) || !parse(argv[2], command) || window == 0) {
        std::fprintf(stderr, "usage: %s <window id> <command>\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(display, "KORVANI_SYSCOMMAND", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(command);
    const Status sent =
        XSendEvent(display, static_cast<Window>(window), False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
