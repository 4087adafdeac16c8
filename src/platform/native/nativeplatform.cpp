// SPDX-License-Identifier: GPL-3.0-or-later
#include "nativeplatform.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdlib>

#include "waylandplatform.h"
#include "x11platform.h"
#include "xwaylandplatform.h"

namespace korv::platform {
namespace {

bool g_choseQtPlatform = false;

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

template <typename Side> class NativeSide final : public NativePlatform {
public:
    Platform& platform() override { return m_side.platform(); }

private:
    Side m_side;
};

} // namespace

SessionEnvironment SessionEnvironment::current() {
    return {variable("WAYLAND_DISPLAY"), variable("DISPLAY"), variable("QT_QPA_PLATFORM")};
}

std::string qpaPlatformFor(const SessionEnvironment& session) {
    if (!session.qpaPlatform.empty()) {
        return {};
    }
    // Through XWayland the window stays on top and where it was put, and the paste can reach
    // X11 programs; natively a compositor allows none of that. A DISPLAY left over from
    // elsewhere must not keep the program from starting on Wayland.
    if (!session.display.empty()) {
        return session.waylandDisplay.empty() ? "xcb" : "xcb;wayland";
    }
    // Qt's default plugin is X11's, which could not start without DISPLAY.
    if (!session.waylandDisplay.empty()) {
        return "wayland";
    }
    return {};
}

SessionKind sessionKindFor(std::string_view qtPlatformName) {
    // "wayland-egl" and the like are Wayland too; every other plugin, X11's or not, is served by
    // the X11 side, which asks Qt for an X11 connection before each call.
    return qtPlatformName.starts_with("wayland") ? SessionKind::Wayland : SessionKind::X11;
}

void chooseQtPlatform() {
    const std::string plugin = qpaPlatformFor(SessionEnvironment::current());
    if (!plugin.empty()) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(plugin));
        g_choseQtPlatform = true;
    }
}

std::unique_ptr<NativePlatform> makeNativePlatform(SessionKind kind) {
    if (kind == SessionKind::Wayland) {
        return std::make_unique<NativeSide<WaylandPlatform>>();
    }
    if (!SessionEnvironment::current().waylandDisplay.empty()) {
        return std::make_unique<NativeSide<XWaylandPlatform>>();
    }
    return std::make_unique<NativeSide<X11Platform>>();
}

std::unique_ptr<NativePlatform> makeNativePlatform() {
    if (g_choseQtPlatform) {
        // A browser or installer started later picks its own platform, as the user's would.
        qunsetenv("QT_QPA_PLATFORM");
        g_choseQtPlatform = false;
    }
    return makeNativePlatform(sessionKindFor(QGuiApplication::platformName().toStdString()));
}

} // namespace korv::platform
