// SPDX-License-Identifier: GPL-3.0-or-later
#include "linuxosinfo.h"

#include <sys/utsname.h>

#include <algorithm>
#include <cstdlib>

namespace korv::platform {

OsVersion LinuxOsInfo::version() const {
    // The kernel's major number is reported for the log's sake, but never below 6:
    // every Linux desktop is a current system for the AutoPaste default.
    std::uint32_t major = 6;
    utsname name{};
    if (uname(&name) == 0) {
        major = std::max<std::uint32_t>(
            major, static_cast<std::uint32_t>(std::strtoul(name.release, nullptr, 10)));
    }
    return {true, major, kPlatformNt};
}

} // namespace korv::platform
