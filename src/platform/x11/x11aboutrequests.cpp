// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11aboutrequests.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include "x11property.h"

namespace korv::platform {

X11AboutRequests::X11AboutRequests() = default;

X11AboutRequests::~X11AboutRequests() {
    if (m_installed && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void X11AboutRequests::watch(WindowHandle window, Handler handler) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Qt offers the interface on some platforms that have no display behind it.
    if (x11 == nullptr || x11->display() == nullptr || window == 0) {
        return;
    }
    if (!m_installed) {
        internStartAtoms(x11->display());
        m_atom =
            static_cast<std::uint32_t>(XInternAtom(x11->display(), "KORVANI_SYSCOMMAND", False));
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_installed = true;
    }
    m_handlers[window] = std::move(handler);
}

bool X11AboutRequests::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) {
        return false;
    }
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type != m_atom || client->format != 32) {
        return false;
    }
    const auto it = m_handlers.find(client->window);
    if (it == m_handlers.end()) {
        return false;
    }
    // Ours either way: no other part of the program knows this message type.
    if (client->data.data32[0] != kAboutCommand) {
        return true;
    }
    // Copied: the handler may open a modal window whose loop re-enters this filter.
    const Handler handler = it->second;
    handler();
    return true;
}

} // namespace korv::platform
