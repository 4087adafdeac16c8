#pragma once

#include "desktopnotifyshell.h"

namespace korv::platform {

/// The notification area of an X11 session: a StatusNotifier host where Qt uses one, else the
/// XEmbed system tray of the screen.
class X11NotifyShell final : public DesktopNotifyShell {
public:
    using DesktopNotifyShell::DesktopNotifyShell;

protected:
    bool embeddedTrayPresent() const override;
    bool hasEmbeddedTrays() const override { return true; }

private:
    mutable std::uint32_t m_traySelection = 0;
};

} // namespace korv::platform
