#pragma once

namespace korv::platform {

/// The desktop's notification area (system tray).
class NotifyShell {
public:
    virtual ~NotifyShell() = default;
};

} // namespace korv::platform
