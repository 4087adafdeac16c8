#pragma once

#include "launcher.h"

namespace korv::platform {

/// Opens addresses with the desktop's opener and starts programs directly, without a shell.
class DesktopLauncher final : public Launcher {
public:
    void openAddress(const std::string& address) override;
    void startProgram(const std::string& path) override;
};

} // namespace korv::platform
