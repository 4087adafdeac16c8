// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "launcher.h"

#include <QUrl>

namespace korv::platform {

// The address as the desktop would open it, if it is a web address (http or https, with a host;
// a bare host name counts as http); an empty URL for anything else.
QUrl webAddress(const std::string& address);

/// Opens web addresses with the desktop's opener and starts programs directly, without a shell.
class DesktopLauncher final : public Launcher {
public:
    void openAddress(const std::string& address) override;
    void startProgram(const std::string& path) override;
};

} // namespace korv::platform
