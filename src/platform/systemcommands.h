// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

#include "systemmenuapi.h"

namespace korv::platform {

// The command that other programs send to open the About window.
inline constexpr std::uint32_t SC_KORVANI_ABOUT = 0xF45A;

/// Delivers the system commands that other programs send to a window.
class SystemCommandSource {
public:
    using Handler = std::function<void(std::uint32_t command)>;
    virtual ~SystemCommandSource() = default;
    /// Calls handler on the user-interface thread for each command sent to window.
    virtual void watch(WindowHandle window, Handler handler) = 0;
};

} // namespace korv::platform
