#include "x11keyinjector.h"

namespace korv::platform {

std::int16_t X11KeyInjector::vkKeyScanA(char) {
    return -1;
}

void X11KeyInjector::sendAutoPaste(const std::array<KeyEvent, 8>&, WindowHandle) {}

} // namespace korv::platform
