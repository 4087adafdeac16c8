#include "x11notifyshell.h"

#include <QGuiApplication>

#include <cstdlib>
#include <string>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace korv::platform {

bool X11NotifyShell::embeddedTrayPresent() const {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr || x11->connection() == nullptr) {
        return QSystemTrayIcon::isSystemTrayAvailable();
    }
    // Asked anew each time: Qt's own answer stays true after the tray host has gone.
    if (m_traySelection == 0) {
        const std::string name =
            "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(x11->display()));
        m_traySelection =
            static_cast<std::uint32_t>(XInternAtom(x11->display(), name.c_str(), False));
    }
    xcb_connection_t* connection = x11->connection();
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, m_traySelection), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

} // namespace korv::platform
