// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11property.h"

namespace korv::platform {

std::vector<unsigned long> listProperty(Display* dpy, Window window, Atom property, Atom type,
                                        long maxCount) {
    std::vector<unsigned long> values;
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, property, 0, maxCount, False, type, &actual, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        // Xlib hands 32-bit items back as longs.
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

void requestActivation(Display* dpy, Window window, Window requester) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = kSourcePager;
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = static_cast<long>(requester);
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(dpy);
}

} // namespace korv::platform
