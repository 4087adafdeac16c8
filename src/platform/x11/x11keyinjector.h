#pragma once

#include <chrono>

#include "keyinjector.h"

namespace korv::platform {

/// Injects key events through the XTest extension, mapped onto the current layout's keycodes,
/// pacing the window switch by what the window manager does; the scan bytes have no place in
/// XTest and are dropped.
class X11KeyInjector final : public KeyInjector {
public:
    // How long to wait for the window manager to take the keyboard after Alt+Tab, and for
    // another window to become active after Alt is released.
    static constexpr std::chrono::milliseconds kGrabTimeout{500};
    static constexpr std::chrono::milliseconds kSwitchTimeout{1000};

    /// Letters, digits and space have virtual keys here; any other character reports -1.
    std::int16_t vkKeyScanA(char ch) override;
    /// Sends the paste chord only once another window than own is active; without an X11
    /// display or XTest it sends nothing.
    bool sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) override;
};

} // namespace korv::platform
