// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "aboutrequests.h"
#include "windowplacement.h"

namespace korv::platform {

/// Wayland has no way for another program to send a request to a window, so none arrive.
class WaylandAboutRequests final : public AboutRequests {
public:
    void watch(WindowHandle window, Handler handler) override;
};

/// A Wayland compositor places windows itself, never tells a client where they are, and draws
/// and decides the window menu alone.
class WaylandWindowPlacement final : public WindowPlacement {
public:
    bool placesWindows() const override { return false; }
};

} // namespace korv::platform
