#pragma once

#include "notifyshell.h"

namespace korv::platform {

/// The desktop's system tray.
class X11NotifyShell final : public NotifyShell {};

} // namespace korv::platform
