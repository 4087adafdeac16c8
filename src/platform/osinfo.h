// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace korv::platform {

// The platform family that runs Copy: the NT family in the numbering the settings inherited.
inline constexpr std::uint32_t kPlatformNt = 2;

struct OsVersion {
    bool ok = false;
    std::uint32_t major = 0;
    std::uint32_t platformId = 0;
};

/// Reports the operating system's version and platform family.
class OsInfo {
public:
    virtual ~OsInfo() = default;
    /// Returns the version; ok is false when it could not be obtained.
    virtual OsVersion version() const = 0;
};

} // namespace korv::platform
