// SPDX-License-Identifier: GPL-3.0-or-later
// Without an X11 display (here the offscreen platform) the paste does nothing, harmlessly.

#include <gtest/gtest.h>

#include "x11pastetarget.h"

namespace {

TEST(X11PasteTargetWithoutX11Test, SendsNothingAndSaysSo) {
    korv::platform::X11PasteTarget target;
    EXPECT_FALSE(target.pasteIntoPreviousWindow(0x1234));
    EXPECT_FALSE(target.pasteIntoPreviousWindow(0));
}

} // namespace
