// SPDX-License-Identifier: GPL-3.0-or-later
#include "xwaylandpastetarget.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <thread>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include "xtestkeys.h"

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

XWaylandPasteTarget::XWaylandPasteTarget(PasteTarget& inner, PasteTarget& compositor)
    : m_inner(inner)
    , m_compositor(compositor) {
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

XWaylandPasteTarget::~XWaylandPasteTarget() {
    if (m_installed && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void XWaylandPasteTarget::pasteIntoPreviousWindow(std::uintptr_t own, Done done) {
    // The click that asks for the paste may have made our window the active one a moment ago,
    // before the change has been heard: the server's word now decides where the paste goes.
    if (m_activeAtom != 0) {
        activeWindowChanged(readActiveWindow());
    }
    if (m_known) {
        // No X11 key reaches a native window: the one with the keyboard now (the server then
        // reports no X window active, and mutter hands the keyboard to and fro), or the one
        // ours took over from. Only the compositor can.
        if (m_active == 0 || (m_active == own && m_before == 0)) {
            m_compositor.pasteIntoPreviousWindow(own, std::move(done));
            return;
        }
        if (m_active == own) {
            done(pasteInto(m_before, own) ? PasteResult::Pasted : PasteResult::NotSwitched);
            return;
        }
    }
    m_inner.pasteIntoPreviousWindow(own, std::move(done));
}

KeyboardFocus XWaylandPasteTarget::keyboardFocus(std::uintptr_t own) {
    xcb_connection_t* xcb = connection();
    if (xcb == nullptr) {
        return KeyboardFocus::Unknown;
    }
    // Asked of the server each time: Qt learns that the focus left only a while later.
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(xcb, xcb_get_input_focus(xcb), nullptr);
    if (focus == nullptr) {
        return KeyboardFocus::Unknown;
    }
    const bool ours = focus->focus == static_cast<xcb_window_t>(own);
    std::free(focus);
    return ours ? KeyboardFocus::Own : KeyboardFocus::Elsewhere;
}

bool XWaylandPasteTarget::pasteInto(WindowHandle window, WindowHandle own) {
    Display* dpy = display();
    xcb_connection_t* xcb = connection();
    if (dpy == nullptr || xcb == nullptr) {
        return false;
    }
    const std::optional<XTestKeys> keys = XTestKeys::on(dpy);
    const KeyCode control = XKeysymToKeycode(dpy, XK_Control_L);
    const KeyCode v = XKeysymToKeycode(dpy, XK_v);
    // Where no key types V, or the server takes no keys of ours, no paste could land: better
    // not to switch at all.
    if (!keys || control == 0 || v == 0) {
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
    keys->send(control, true);
    keys->send(v, true);
    keys->send(v, false);
    keys->send(control, false);
    XSync(dpy, False);
    return true;
}

void XWaylandPasteTarget::activeWindowChanged(WindowHandle window) {
    if (window == m_active) {
        return;
    }
    m_before = m_active;
    m_active = window;
    m_known = true;
}

WindowHandle XWaylandPasteTarget::readActiveWindow() const {
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

bool XWaylandPasteTarget::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
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
