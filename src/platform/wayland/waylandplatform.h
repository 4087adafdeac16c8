// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktoplauncher.h"
#include "desktopnotifyshell.h"
#include "desktopsummon.h"
#include "groupadmincheck.h"
#include "linuxosinfo.h"
#include "platform.h"
#include "waylandshell.h"

namespace korv::platform {

/// The native Wayland side: what a Wayland compositor lets a client do, and nothing of X11.
class WaylandPlatform final {
public:
    WaylandPlatform()
        : m_platform{m_os,   m_systemMenu,  m_systemCommands, m_launcher, m_admin,
                     m_keys, m_notifyShell, m_placement,      m_summon} {}
    WaylandPlatform(const WaylandPlatform&) = delete;
    WaylandPlatform& operator=(const WaylandPlatform&) = delete;

    Platform& platform() { return m_platform; }

private:
    LinuxOsInfo m_os;
    WaylandSystemMenu m_systemMenu;
    WaylandSystemCommands m_systemCommands;
    DesktopLauncher m_launcher;
    GroupAdminCheck m_admin;
    WaylandKeyInjector m_keys;
    DesktopNotifyShell m_notifyShell; // StatusNotifier hosts only: Wayland has no XEmbed tray
    WaylandWindowPlacement m_placement;
    DesktopSummonChannel m_summon;
    Platform m_platform;
};

} // namespace korv::platform
