#pragma once

#include "notifyshell.h"

namespace korv::platform {

/// Records every call to the notification area.
class FakeNotifyShell final : public NotifyShell {};

} // namespace korv::platform
