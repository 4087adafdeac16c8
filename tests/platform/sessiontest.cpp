// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "fakeplatform.h"
#include "nativeplatform.h"
#include "xwaylandpastetarget.h"

namespace korv::platform {
namespace {

// Wayland with XWayland goes through XWayland; the user's own choice stands, whatever it is; with
// nothing offered, Qt itself says why it cannot start.
TEST(SessionTest, QtPluginByWhatTheSessionOffersAndPlatformSideByPlugin) {
    const std::pair<SessionEnvironment, std::string> offered[] = {
        {{"wayland-0", ":0", ""}, "xcb;wayland"},
        {{"wayland-0", "", ""}, "wayland"},
        {{"", ":0", ""}, "xcb"},
        {{"wayland-0", ":0", "wayland"}, ""},
        {{"", ":0", "offscreen"}, ""},
        {{"", "", ""}, ""}};
    for (const auto& [session, plugin] : offered) {
        EXPECT_EQ(qpaPlatformFor(session), plugin)
            << session.waylandDisplay << '|' << session.display << '|' << session.qpaPlatform;
    }
    for (const char* plugin : {"wayland", "wayland-egl"}) {
        EXPECT_EQ(sessionKindFor(plugin), SessionKind::Wayland) << plugin;
    }
    for (const char* plugin : {"xcb", "offscreen", ""}) {
        EXPECT_EQ(sessionKindFor(plugin), SessionKind::X11) << plugin;
    }
}

// Under XWayland the paste switches back itself when our window took over from an X11 window or a
// native Wayland one (0); otherwise the X11 paste decides, as there is no X11 connection here.
TEST(SessionTest, UnderXWaylandThePasteGoesBackToTheX11WindowOrNowhere) {
    constexpr WindowHandle kOwn = 0x400001;
    constexpr WindowHandle kEditor = 0x600001;
    const std::pair<std::vector<WindowHandle>, bool> cases[] = {{{kEditor, kOwn}, false},
                                                                {{kEditor, 0, kOwn}, false},
                                                                {{kOwn}, false},
                                                                {{}, true},
                                                                {{kOwn, kEditor}, true}};
    for (const auto& [activations, byX11] : cases) {
        SCOPED_TRACE(testing::PrintToString(activations));
        FakePasteTarget x11;
        XWaylandPasteTarget target(x11); // offscreen: starts with none active
        for (const WindowHandle window : activations) {
            target.activeWindowChanged(window);
        }
        EXPECT_EQ(target.pasteIntoPreviousWindow(kOwn), byX11);
        EXPECT_EQ(x11.m_ownWindows,
                  byX11 ? std::vector<WindowHandle>{kOwn} : std::vector<WindowHandle>{});
    }
}

} // namespace
} // namespace korv::platform
