// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "keysequence.h"
#include "systemmenuapi.h"

namespace korv::platform {

/// Synthesises keyboard input for whichever application has the keyboard.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    /// Returns the key that types ch in the current layout: virtual key in the low byte, shift
    /// state in the high byte, -1 when no key types it.
    virtual std::int16_t vkKeyScanA(char ch) = 0;
    /// Sends the auto-paste events in order: the first four switch away from window `own` to the
    /// previously active window, the last four paste there; true once the paste was sent there.
    virtual bool sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) = 0;
};

} // namespace korv::platform
