// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11property.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace korv::platform {

void internStartAtoms(Display* dpy) {
    // Those of the paste target, the size lock and its KWin check, and the About requests.
    std::array<const char*, 9> names = {"_NET_ACTIVE_WINDOW",
                                        "_MOTIF_WM_HINTS",
                                        "_NET_SUPPORTING_WM_CHECK",
                                        "_NET_WM_NAME",
                                        "UTF8_STRING",
                                        "_NET_WM_WINDOW_TYPE",
                                        "_NET_WM_WINDOW_TYPE_UTILITY",
                                        "_NET_WM_WINDOW_TYPE_NORMAL",
                                        "KORVANI_SYSCOMMAND"};
    std::array<Atom, std::size(names)> atoms{};
    XInternAtoms(dpy, const_cast<char**>(names.data()), static_cast<int>(names.size()), False,
                 atoms.data());
}

PendingProperty::PendingProperty(xcb_connection_t* connection, Window window, Atom property,
                                 Atom type)
    : m_connection(connection)
    , m_sequence(xcb_get_property(connection, 0, static_cast<xcb_window_t>(window),
                                  static_cast<xcb_atom_t>(property), static_cast<xcb_atom_t>(type),
                                  0, 4096)
                     .sequence) {}

PendingProperty::~PendingProperty() {
    if (m_connection != nullptr) {
        xcb_discard_reply(m_connection, m_sequence);
    }
}

std::vector<unsigned long> PendingProperty::take() {
    std::vector<unsigned long> values;
    if (m_connection == nullptr) {
        return values;
    }
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(m_connection, xcb_get_property_cookie_t{m_sequence}, nullptr);
    m_connection = nullptr;
    if (reply != nullptr && reply->format == 32) {
        const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        values.assign(items, items + count);
    }
    std::free(reply);
    return values;
}

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
