// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "desktopnotificationarea.h"

namespace korv::platform {

/// The notification area of an X11 session: StatusNotifier hosts, and the XEmbed system tray of
/// the screen where no such host is there.
class X11NotificationArea final : public DesktopNotificationArea {
public:
    X11NotificationArea();
    ~X11NotificationArea() override;

protected:
    bool embeddedTrayPresent() const override;
    bool hasEmbeddedTrays() const override { return true; }

private:
    class TrayWindowNamer;

    mutable std::uint32_t m_traySelection = 0;
    std::unique_ptr<TrayWindowNamer> m_trayWindowNamer;
};

} // namespace korv::platform
