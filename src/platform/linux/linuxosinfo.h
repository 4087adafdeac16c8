// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "osinfo.h"

namespace korv::platform {

/// Reports Linux as a current system of the NT family, so Copy runs and AutoPaste defaults off.
class LinuxOsInfo final : public OsInfo {
public:
    OsVersion version() const override;
};

} // namespace korv::platform
