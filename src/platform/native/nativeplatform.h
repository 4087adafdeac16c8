// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform.h"

namespace korv::platform {

/// The kinds of desktop session the program has a platform side for.
enum class SessionKind { X11, Wayland };

/// What the session offers, as its environment tells.
struct SessionEnvironment {
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string display;        // DISPLAY
    std::string qpaPlatform;    // QT_QPA_PLATFORM, the user's own choice of Qt platform

    /// The variables of this process.
    static SessionEnvironment current();
};

/// The Qt platform plugin to ask for before the application starts; empty leaves the choice to
/// Qt.
std::string qpaPlatformFor(const SessionEnvironment& session);

/// The platform side that serves the Qt platform plugin in use ("xcb", "wayland", ...).
SessionKind sessionKindFor(std::string_view qtPlatformName);

/// Asks Qt for the platform plugin this session calls for; to be run before the application
/// object exists.
void chooseQtPlatform();

/// One platform side, as chosen at run time.
class NativePlatform {
public:
    virtual ~NativePlatform() = default;
    virtual Platform& platform() = 0;
};

/// The side for kind; the X11 side makes no X11 call on a platform plugin that is not X11's.
std::unique_ptr<NativePlatform> makeNativePlatform(SessionKind kind);

/// The side for the Qt platform in use, once the application exists; the programs started
/// from here on no longer inherit the plugin that chooseQtPlatform asked for.
std::unique_ptr<NativePlatform> makeNativePlatform();

} // namespace korv::platform
