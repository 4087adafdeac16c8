// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "fakekeyinjector.h"
#include "nativeplatform.h"
#include "xwaylandgate.h"

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

// Under XWayland the gate switches back itself when our window took over from an X11 window or a
// native Wayland one (0); otherwise the injector decides, as the gate has no X11 connection here.
TEST(SessionTest, UnderXWaylandThePasteGoesBackToTheX11WindowOrNowhere) {
    constexpr WindowHandle kOwn = 0x400001;
    constexpr WindowHandle kEditor = 0x600001;
    const std::pair<std::vector<WindowHandle>, bool> cases[] = {{{kEditor, kOwn}, false},
                                                                {{kEditor, 0, kOwn}, false},
                                                                {{kOwn}, false},
                                                                {{}, true},
                                                                {{kOwn, kEditor}, true}};
    for (const auto& [activations, byInjector] : cases) {
        SCOPED_TRACE(testing::PrintToString(activations));
        FakeKeyInjector inner;
        XWaylandKeyGate gate(inner); // offscreen: starts with none active
        for (const WindowHandle window : activations) {
            gate.activeWindowChanged(window);
        }
        EXPECT_EQ(gate.sendAutoPaste({}, kOwn), byInjector);
        EXPECT_EQ(inner.m_sent.size(), byInjector ? 8U : 0U);
    }
}

} // namespace
} // namespace korv::platform
