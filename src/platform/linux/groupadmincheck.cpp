// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupadmincheck.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace korv::platform {

bool GroupAdminCheck::isAdmin() const {
    if (geteuid() == 0) {
        return true;
    }
    // Membership as configured counts, whether or not this session has picked it up yet.
    std::vector<gid_t> groups;
    if (const passwd* pw = getpwuid(getuid())) {
        int count = 64;
        groups.resize(static_cast<std::size_t>(count));
        if (getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0) {
            groups.resize(static_cast<std::size_t>(count));
            if (getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0) {
                count = 0;
            }
        }
        groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    }
    const int own = getgroups(0, nullptr);
    if (own > 0) {
        std::vector<gid_t> process(static_cast<std::size_t>(own));
        if (getgroups(own, process.data()) == own) {
            groups.insert(groups.end(), process.begin(), process.end());
        }
    }
    for (const char* name : {"sudo", "wheel", "admin"}) {
        if (const group* gr = getgrnam(name)) {
            if (std::find(groups.begin(), groups.end(), gr->gr_gid) != groups.end()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace korv::platform
