// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11notificationarea.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <string>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace korv::platform {

// Tray hosts name an embedded icon after its window's title (a screen reader reads that name),
// and Qt leaves the window it embeds untitled. The window is Qt's own and made anew whenever a
// tray host appears, so it is named as it is shown, before it is mapped, and again whenever its
// tooltip changes.
class X11NotificationArea::TrayWindowNamer final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::ToolTipChange) && watched->isWidgetType() &&
            watched->objectName() == QLatin1String("QSystemTrayIconSys")) {
            auto* window = static_cast<QWidget*>(watched);
            window->setWindowTitle(window->toolTip());
            window->setAccessibleName(window->toolTip());
        }
        return false;
    }
};

X11NotificationArea::X11NotificationArea() {
    if (qApp != nullptr) {
        m_trayWindowNamer = std::make_unique<TrayWindowNamer>();
        qApp->installEventFilter(m_trayWindowNamer.get());
    }
}

X11NotificationArea::~X11NotificationArea() = default;

bool X11NotificationArea::embeddedTrayPresent() const {
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
