#include "xwaylandgate.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>

#include <xcb/xcb.h>
#include <xcb/xproto.h>

namespace korv::platform {
namespace {

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
    // Not a single key when the user came from a native Wayland window: Alt+Tab would go to
    // our own window, as XWayland cannot switch away from it.
    if (m_active == own && m_known && m_before == 0) {
        return false;
    }
    return m_inner.sendAutoPaste(events, own);
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
