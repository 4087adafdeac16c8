// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktoplauncher.h"
#include "desktopsummon.h"
#include "groupadmincheck.h"
#include "platform.h"
#include "qtclipboard.h"
#include "x11aboutrequests.h"
#include "x11notificationarea.h"
#include "x11pastetarget.h"
#include "x11windowplacement.h"

namespace korv::platform {

/// The Linux desktop (X11) side of everything the program asks of the system.
class X11Platform final {
public:
    X11Platform()
        : m_platform{m_clipboard, m_pasteTarget,   m_notificationArea,
                     m_placement, m_aboutRequests, m_launcher,
                     m_admin,     m_summon} {}
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    Platform& platform() { return m_platform; }
    /// The paste as X11 alone sends it, for a side that decides first where it may go.
    X11PasteTarget& x11PasteTarget() { return m_pasteTarget; }

private:
    QtClipboard m_clipboard;
    X11PasteTarget m_pasteTarget;
    X11NotificationArea m_notificationArea;
    X11WindowPlacement m_placement;
    X11AboutRequests m_aboutRequests;
    DesktopLauncher m_launcher;
    GroupAdminCheck m_admin;
    DesktopSummonChannel m_summon;
    Platform m_platform;
};

} // namespace korv::platform
