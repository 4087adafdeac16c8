// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compositorpastetarget.h"
#include "x11platform.h"
#include "xwaylandpastetarget.h"

namespace korv::platform {

/// The X11 side through XWayland: as on X11, but a paste back to a native window goes through
/// the compositor.
class XWaylandPlatform final {
public:
    XWaylandPlatform()
        : m_pasteTarget(m_x11.x11PasteTarget(), m_compositorPaste)
        , m_platform{m_x11.platform().clipboard,
                     m_pasteTarget,
                     m_x11.platform().notificationArea,
                     m_x11.platform().placement,
                     m_x11.platform().aboutRequests,
                     m_x11.platform().launcher,
                     m_x11.platform().admin,
                     m_x11.platform().summon} {}
    XWaylandPlatform(const XWaylandPlatform&) = delete;
    XWaylandPlatform& operator=(const XWaylandPlatform&) = delete;

    Platform& platform() { return m_platform; }

private:
    X11Platform m_x11;
    CompositorModule m_module{CompositorModule::programFiles()};
    CompositorPasteTarget m_compositorPaste{m_module, XWaylandPasteTarget::keyboardFocus};
    XWaylandPasteTarget m_pasteTarget;
    Platform m_platform;
};

} // namespace korv::platform
