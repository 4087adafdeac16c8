// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace korv::platform {

/// Tells whether the current user administers this machine.
class AdminCheck {
public:
    virtual ~AdminCheck() = default;
    /// Returns true for the superuser and for members of the administrators' groups.
    virtual bool isAdmin() const = 0;
};

} // namespace korv::platform
