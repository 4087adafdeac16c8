// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11windowplacement.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "x11property.h"

#include <vector>

namespace korv::platform {
namespace {

Display* display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// A single CARDINAL property, such as a desktop number.
std::optional<unsigned long> readCardinal(Display* dpy, Window window, const char* name) {
    const std::vector<unsigned long> values =
        listProperty(dpy, window, XInternAtom(dpy, name, False), XA_CARDINAL, 1);
    return values.size() == 1 ? std::optional(values.front()) : std::nullopt;
}

} // namespace

void X11WindowPlacement::moveToCurrentDesktop(WindowHandle window) {
    Display* dpy = display();
    if (dpy == nullptr || window == 0) {
        return;
    }
    constexpr unsigned long kAllDesktops = 0xFFFFFFFFUL;
    const Window root = DefaultRootWindow(dpy);
    const auto current = readCardinal(dpy, root, "_NET_CURRENT_DESKTOP");
    const auto on = readCardinal(dpy, static_cast<Window>(window), "_NET_WM_DESKTOP");
    if (!current || !on || *on == *current || *on == kAllDesktops) {
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(dpy, "_NET_WM_DESKTOP", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(*current);
    event.xclient.data.l[1] = kSourcePager;
    XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(dpy);
}

void X11WindowPlacement::activate(WindowHandle window) {
    Display* dpy = display();
    if (dpy == nullptr || window == 0) {
        return;
    }
    requestActivation(dpy, static_cast<Window>(window));
}

std::optional<bool> X11WindowPlacement::isActive(WindowHandle window) {
    Display* dpy = display();
    if (dpy == nullptr || window == 0) {
        return std::nullopt;
    }
    const std::vector<unsigned long> active = listProperty(
        dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 1);
    if (active.size() != 1) {
        return std::nullopt;
    }
    return active.front() == static_cast<unsigned long>(window);
}

std::optional<FramePoint> X11WindowPlacement::framePosition(WindowHandle window) {
    Display* dpy = display();
    if (dpy == nullptr || window == 0) {
        return std::nullopt;
    }
    const Window client = static_cast<Window>(window);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(dpy, client, &attributes) == 0 || attributes.map_state != IsViewable) {
        return std::nullopt;
    }
    // left, right, top, bottom
    const std::vector<unsigned long> extents =
        listProperty(dpy, client, XInternAtom(dpy, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 4);
    int x = 0;
    int y = 0;
    Window child = 0;
    if (extents.size() != 4 ||
        !XTranslateCoordinates(dpy, client, DefaultRootWindow(dpy), 0, 0, &x, &y, &child)) {
        return std::nullopt;
    }
    return FramePoint{x - static_cast<int>(extents[0]), y - static_cast<int>(extents[2])};
}

} // namespace korv::platform
