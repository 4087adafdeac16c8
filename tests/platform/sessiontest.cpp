#include <gtest/gtest.h>

#include "fakekeyinjector.h"
#include "nativeplatform.h"
#include "xwaylandgate.h"

namespace korv::platform {
namespace {

TEST(SessionTest, QtPlatformAskedForByWhatTheSessionOffers) {
    struct Case {
        const char* name;
        SessionEnvironment session;
        std::string plugin;
    };
    const Case cases[] = {
        {"Wayland with XWayland: through XWayland", {"wayland-0", ":0", ""}, "xcb;wayland"},
        {"Wayland alone: natively", {"wayland-0", "", ""}, "wayland"},
        {"X11 alone", {"", ":0", ""}, "xcb"},
        {"the user's choice stands", {"wayland-0", ":0", "wayland"}, ""},
        {"the user's choice stands, whatever it is", {"", ":0", "offscreen"}, ""},
        {"nothing offered: Qt says why it cannot start", {"", "", ""}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(qpaPlatformFor(c.session), c.plugin);
    }
}

TEST(SessionTest, PlatformSideByQtPlugin) {
    struct Case {
        const char* plugin;
        SessionKind kind;
    };
    for (const Case& c : {Case{"wayland", SessionKind::Wayland},
                          Case{"wayland-egl", SessionKind::Wayland}, Case{"xcb", SessionKind::X11},
                          Case{"offscreen", SessionKind::X11}, Case{"", SessionKind::X11}}) {
        SCOPED_TRACE(c.plugin);
        EXPECT_EQ(sessionKindFor(c.plugin), c.kind);
    }
}

TEST(SessionTest, UnderXWaylandThePasteGoesBackToTheX11WindowOrNowhere) {
    constexpr WindowHandle kOwn = 0x400001;
    constexpr WindowHandle kEditor = 0x600001;
    struct Case {
        const char* name;
        std::vector<WindowHandle> activations; // 0: a native Wayland window had the keyboard
        bool byInjector;                       // else by the gate, which has no X11 here
    };
    const Case cases[] = {
        {"from an X11 window: the gate switches back itself", {kEditor, kOwn}, false},
        {"from a native Wayland window", {kEditor, 0, kOwn}, false},
        {"started from a native Wayland window", {kOwn}, false},
        {"nothing seen yet: the injector decides", {}, true},
        {"not our window active: the injector decides", {kOwn, kEditor}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeKeyInjector inner;
        XWaylandKeyGate gate(inner); // offscreen: no X11 connection, starts with none active
        for (const WindowHandle window : c.activations) {
            gate.activeWindowChanged(window);
        }
        EXPECT_EQ(gate.sendAutoPaste({}, kOwn), c.byInjector);
        EXPECT_EQ(inner.m_sent.size(), c.byInjector ? 8U : 0U);
    }
}

} // namespace
} // namespace korv::platform
