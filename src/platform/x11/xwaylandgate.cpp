// SPDX-License-Identifier: GPL-3.0-or-later
#include "xwaylandgate.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <thread>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

namespace korv::platform {
namespace {

Display* display() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

xcb_connection_t* connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

XWaylandKeyGate::XWaylandKeyGate(KeyInjector& inner)
    : m_inner(inner) {
    xcb_connection_t* xcb = connection();
    if (xcb == nullptr) {
        return;
    }
    static constexpr char kName[] = "_NET_ACTIVE_WINDOW";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(xcb, xcb_intern_atom(xcb, 0, sizeof kName - 1, kName), nullptr);
    if (atom != nullptr) {
        m_activeAtom = atom->atom;
        std::free(atom);
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data->root;
    // Qt already hears the root window's property changes; only our own interest is added.
    m_active = readActiveWindow();
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_installed = true;
}

XWaylandKeyGate::~XWaylandKeyGate() {
    if (m_installed && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

std::int16_t XWaylandKeyGate::vkKeyScanA(char ch) {
    return m_inner.vkKeyScanA(ch);
}

bool XWaylandKeyGate::sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) {
    if (m_active == own && m_known) {
        // Not a single key after a native Wayland window: there is no X11 window to go back to.
        return m_before != 0 && pasteInto(m_before, events, own);
    }
    return m_inner.sendAutoPaste(events, own);
}

bool XWaylandKeyGate::pasteInto(WindowHandle window, const std::array<KeyEvent, 8>& events,
                                WindowHandle own) {
    Display* dpy = display();
    xcb_connection_t* xcb = connection();
    if (dpy == nullptr || xcb == nullptr) {
        return false;
    }
    const KeySym chord[] = {XK_Control_L, XK_v};
    KeyCode codes[2] = {XKeysymToKeycode(dpy, chord[0]), XKeysymToKeycode(dpy, chord[1])};
    // The key byte of V is 255 where no key of the layout types it; the other keys are fixed.
    if (codes[0] == 0 || codes[1] == 0 || events[5].vk == 0xFF) {
        return false;
    }
    // A pager's request (source 2): compositors honour it without focus-stealing checks.
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(window);
    request.type = m_activeAtom;
    request.data.data32[0] = 2;
    request.data.data32[1] = XCB_CURRENT_TIME;
    request.data.data32[2] = static_cast<std::uint32_t>(own);
    xcb_send_event(xcb, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(xcb);
    const auto deadline = std::chrono::steady_clock::now() + kSwitchTimeout;
    // The keyboard must have left our window too, or the paste would land in our own line.
    const auto focusLeft = [xcb, own] {
        xcb_get_input_focus_reply_t* focus =
            xcb_get_input_focus_reply(xcb, xcb_get_input_focus(xcb), nullptr);
        const bool left = focus != nullptr && focus->focus != static_cast<xcb_window_t>(own) &&
                          focus->focus != XCB_NONE;
        std::free(focus);
        return left;
    };
    while (readActiveWindow() != window || !focusLeft()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // Ctrl down, V down, V up, Ctrl up, as the last four events say.
    for (std::size_t i = 4; i < events.size(); ++i) {
        const KeyCode code = (events[i].vk == 0x11) ? codes[0] : codes[1];
        XTestFakeKeyEvent(dpy, code, (events[i].flags & KEYEVENTF_KEYUP) == 0 ? True : False,
                          CurrentTime);
    }
    XSync(dpy, False);
    return true;
}

void XWaylandKeyGate::activeWindowChanged(WindowHandle window) {
    if (window == m_active) {
        return;
    }
    m_before = m_active;
    m_active = window;
    m_known = true;
}

WindowHandle XWaylandKeyGate::readActiveWindow() const {
    xcb_connection_t* xcb = connection();
    if (xcb == nullptr || m_activeAtom == 0) {
        return 0;
    }
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        xcb, xcb_get_property(xcb, 0, m_root, m_activeAtom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    WindowHandle window = 0;
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
        window = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    }
    std::free(reply);
    return window;
}

bool XWaylandKeyGate::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
    if (property->window == m_root && property->atom == m_activeAtom) {
        activeWindowChanged(readActiveWindow());
    }
    return false; // Qt reads the same change for its own purposes
}

} // namespace korv::platform
