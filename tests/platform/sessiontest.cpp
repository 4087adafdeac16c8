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

// Under XWayland the paste switches back itself when our window took over from an X11 window; the
// compositor switches back to a native Wayland one (0), or reaches one that has the keyboard now;
// otherwise the X11 paste decides.
TEST(SessionTest, UnderXWaylandThePasteGoesBackThroughX11OrTheCompositor) {
    constexpr WindowHandle kOwn = 0x400001;
    constexpr WindowHandle kEditor = 0x600001;
    enum class By { Itself, X11, Compositor };
    const std::pair<std::vector<WindowHandle>, By> cases[] = {{{kEditor, kOwn}, By::Itself},
                                                              {{kEditor, 0, kOwn}, By::Compositor},
                                                              {{kOwn}, By::Compositor},
                                                              {{kEditor, kOwn, 0}, By::Compositor},
                                                              {{}, By::X11},
                                                              {{kOwn, kEditor}, By::X11}};
    for (const auto& [activations, by] : cases) {
        SCOPED_TRACE(testing::PrintToString(activations));
        FakePasteTarget x11;
        FakePasteTarget compositor;
        XWaylandPasteTarget target(x11, compositor); // offscreen: starts with none active
        for (const WindowHandle window : activations) {
            target.activeWindowChanged(window);
        }
        std::vector<PasteResult> results;
        target.pasteIntoPreviousWindow(kOwn, [&](PasteResult r) { results.push_back(r); });
        // Offscreen there is no X11 window to switch to.
        EXPECT_EQ(results, std::vector<PasteResult>{by == By::Itself ? PasteResult::NotSwitched
                                                                     : PasteResult::Pasted});
        const auto asked = [](bool yes) {
            return yes ? std::vector<WindowHandle>{kOwn} : std::vector<WindowHandle>{};
        };
        EXPECT_EQ(x11.m_ownWindows, asked(by == By::X11));
        EXPECT_EQ(compositor.m_ownWindows, asked(by == By::Compositor));
    }
}

} // namespace
} // namespace korv::platform
