// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "admincheck.h"

namespace korv::platform {

/// Counts the superuser and members of the groups sudo, wheel and admin as administrators.
class GroupAdminCheck final : public AdminCheck {
public:
    bool isAdmin() const override;
};

} // namespace korv::platform
