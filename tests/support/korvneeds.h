// SPDX-License-Identifier: GPL-3.0-or-later
// What a test needs from the machine. A missing tool or server fails the test and names it
// (scripts/install-deps.sh installs everything); a developer may ask for a skip instead with
// KORV_ALLOW_SKIP=1.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korv::test {

inline bool skipAllowed() {
    const char* value = std::getenv("KORV_ALLOW_SKIP");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

// The ordinary user a test runs as when it is started as root (nobody).
constexpr uid_t kOrdinaryUser = 65534;
constexpr gid_t kOrdinaryGroup = 65534;

// Runs body as the ordinary user when this process is root, who may write anything, in a child
// process (as setpriv would); otherwise here. Failures in the child are printed there and fail
// the test here.
inline void asOrdinaryUser(const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool switched = ::setgroups(0, nullptr) == 0 &&
                              ::setresgid(kOrdinaryGroup, kOrdinaryGroup, kOrdinaryGroup) == 0 &&
                              ::setresuid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) == 0;
        if (switched) {
            body();
        }
        std::fflush(nullptr);
        ::_exit(switched && !::testing::Test::HasFailure() ? 0 : 1);
    }
    int status = 0;
    ASSERT_GT(child, 0) << "fork failed";
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the part run as uid " << kOrdinaryUser << " failed (see above)";
}

} // namespace korv::test

// Ends the test for want of `what` (a tool, a server): a failure, or a skip when allowed.
#define KORV_MISSING(what)                                                                         \
    do {                                                                                           \
        if (::korv::test::skipAllowed()) {                                                         \
            GTEST_SKIP() << "needs " << (what) << " (KORV_ALLOW_SKIP=1)";                          \
        }                                                                                          \
        FAIL() << "needs " << (what) << ": scripts/install-deps.sh installs it";                   \
    } while (false)
