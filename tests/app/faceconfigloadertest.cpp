// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "faceconfigloader.h"

namespace korv {
namespace {

// However the start goes on (the window made, a summons handed to a running copy instead, the
// reading never waited for), the thread is joined once: a thread left joinable at the end, or
// joined twice, would end the process.
TEST(FaceConfigLoaderTest, EveryWayOfEndingJoinsTheThreadOnce) {
    for (const int waits : {0, 1, 2}) {
        SCOPED_TRACE(waits);
        EXPECT_NO_THROW({
            FaceConfigLoader loader;
            for (int i = 0; i < waits; ++i) {
                loader.wait();
            }
        });
    }
}

} // namespace
} // namespace korv
