#pragma once

#include "keyinjector.h"

namespace korv::platform {

/// Injects key events through the XTest extension, mapped onto the current layout's keycodes.
class X11KeyInjector final : public KeyInjector {
public:
    std::int16_t vkKeyScanA(char ch) override;
    void sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) override;
};

} // namespace korv::platform
