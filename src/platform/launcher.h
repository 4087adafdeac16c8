// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace korv::platform {

/// Opens addresses and starts programs, never through a shell command line.
class Launcher {
public:
    virtual ~Launcher() = default;
    /// Opens a web address with the desktop's opener for addresses; anything else is ignored and
    /// failures are silent.
    virtual void openAddress(const std::string& address) = 0;
    /// Starts the program at the absolute path with no arguments; a relative path starts nothing
    /// and failures are silent.
    virtual void startProgram(const std::string& path) = 0;
};

} // namespace korv::platform
