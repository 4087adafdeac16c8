// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktoplauncher.h"
#include "desktopsummon.h"
#include "groupadmincheck.h"
#include "linuxosinfo.h"
#include "platform.h"
#include "x11keyinjector.h"
#include "x11notifyshell.h"
#include "x11systemcommands.h"
#include "x11systemmenu.h"
#include "x11windowplacement.h"

namespace korv::platform {

/// The Linux desktop (X11) side of everything the program asks of the system.
class X11Platform final {
public:
    X11Platform()
        : m_platform{m_os,   m_systemMenu,  m_systemCommands, m_launcher, m_admin,
                     m_keys, m_notifyShell, m_placement,      m_summon} {}
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    Platform& platform() { return m_platform; }

private:
    LinuxOsInfo m_os;
    X11SystemMenu m_systemMenu;
    X11SystemCommands m_systemCommands;
    DesktopLauncher m_launcher;
    GroupAdminCheck m_admin;
    X11KeyInjector m_keys;
    X11NotifyShell m_notifyShell;
    X11WindowPlacement m_placement;
    DesktopSummonChannel m_summon;
    Platform m_platform;
};

} // namespace korv::platform
