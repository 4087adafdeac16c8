// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compositorpastetarget.h"
#include "desktoplauncher.h"
#include "desktopnotificationarea.h"
#include "desktopsummon.h"
#include "groupadmincheck.h"
#include "platform.h"
#include "qtclipboard.h"
#include "waylandservices.h"

namespace korv::platform {

/// The native Wayland side: what a Wayland compositor lets a client do, and nothing of X11.
class WaylandPlatform final {
public:
    WaylandPlatform()
        : m_platform{m_clipboard, m_pasteTarget,   m_notificationArea,
                     m_placement, m_aboutRequests, m_launcher,
                     m_admin,     m_summon} {}
    WaylandPlatform(const WaylandPlatform&) = delete;
    WaylandPlatform& operator=(const WaylandPlatform&) = delete;

    Platform& platform() { return m_platform; }

private:
    QtClipboard m_clipboard;
    CompositorModule m_module{CompositorModule::programFiles()};
    std::unique_ptr<KeyboardFocusProbe> m_keyboardFocus = m_module.keyboardFocus();
    CompositorPasteTarget m_pasteTarget{
        m_module, [this](std::uintptr_t own) { return (*m_keyboardFocus)(own); }};
    DesktopNotificationArea m_notificationArea; // StatusNotifier hosts only: no XEmbed tray here
    WaylandWindowPlacement m_placement;
    WaylandAboutRequests m_aboutRequests;
    DesktopLauncher m_launcher;
    GroupAdminCheck m_admin;
    DesktopSummonChannel m_summon;
    Platform m_platform;
};

} // namespace korv::platform
