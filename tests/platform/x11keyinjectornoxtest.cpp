// SPDX-License-Identifier: GPL-3.0-or-later
// Without an X11 display (here the offscreen platform) the injector does nothing, harmlessly.

#include <gtest/gtest.h>

#include "keysequence.h"
#include "x11keyinjector.h"

namespace {

TEST(X11KeyInjectorWithoutX11Test, ReportsNoKeysAndSendsNothing) {
    korv::platform::X11KeyInjector injector;
    EXPECT_EQ(injector.vkKeyScanA('V'), -1);
    const auto keys =
        korv::buildAutoPasteKeys([&injector](char ch) { return injector.vkKeyScanA(ch); });
    injector.sendAutoPaste(keys, 0x1234);
    injector.sendAutoPaste(keys, 0);
}

} // namespace
