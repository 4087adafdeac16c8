// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "x11platform.h"
#include "xwaylandgate.h"

namespace korv::platform {

/// The X11 side through XWayland: as on X11, but the paste waits for a previous X11 window.
class XWaylandPlatform final {
public:
    XWaylandPlatform()
        : m_gate(m_x11.platform().keys)
        , m_platform{m_x11.platform().os,
                     m_x11.platform().systemMenu,
                     m_x11.platform().systemCommands,
                     m_x11.platform().launcher,
                     m_x11.platform().admin,
                     m_gate,
                     m_x11.platform().notifyShell,
                     m_x11.platform().placement,
                     m_x11.platform().summon} {}
    XWaylandPlatform(const XWaylandPlatform&) = delete;
    XWaylandPlatform& operator=(const XWaylandPlatform&) = delete;

    Platform& platform() { return m_platform; }

private:
    X11Platform m_x11;
    XWaylandKeyGate m_gate;
    Platform m_platform;
};

} // namespace korv::platform
