// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "windowhandle.h"

namespace korv::platform {

/// Calls back when another program asks a window of this one for the About window.
class AboutRequests {
public:
    using Handler = std::function<void()>;
    virtual ~AboutRequests() = default;
    /// Calls handler on the user-interface thread for each request sent to window.
    virtual void watch(WindowHandle window, Handler handler) = 0;
};

} // namespace korv::platform
