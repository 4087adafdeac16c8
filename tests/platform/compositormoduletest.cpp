// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <typeinfo>

#include "compositormodule.h"

namespace korv::platform {
namespace {

// The build's module is found as the program finds it, by the run path. Where it is missing (a
// broken install), a Wayland side still gets both, offering nothing: the paste falls to the
// portal, and the focus is not known.
TEST(CompositorModuleTest, TheModuleMakesTheCompositorsOwnOrNothingWhenMissing) {
    struct Case {
        const char* file;
        bool loaded;
        const char* keys; // the type that answers, as its name shows
        const char* focus;
    };
    const Case cases[] = {
        {kCompositorModule, true, "WlrootsPasteTarget", "WaylandKeyboardFocus"},
        {"korvani-no-such-module.so", false, "NoCompositorKeys", "NoKeyboardFocusProbe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const CompositorModule module(c.file);
        EXPECT_EQ(module.loaded(), c.loaded);
        auto keys = module.keys([](std::uintptr_t) { return KeyboardFocus::Own; });
        auto focus = module.keyboardFocus();
        ASSERT_TRUE(keys && focus);
        EXPECT_NE(std::string(typeid(*keys).name()).find(c.keys), std::string::npos);
        EXPECT_NE(std::string(typeid(*focus).name()).find(c.focus), std::string::npos);
        // Offscreen, with no compositor to ask, neither offers anything.
        EXPECT_FALSE(keys->offered());
        EXPECT_EQ((*focus)(1), KeyboardFocus::Unknown);
        if (!c.loaded) {
            std::optional<PasteResult> result;
            keys->pasteIntoPreviousWindow(1, [&result](PasteResult r) { result = r; });
            EXPECT_EQ(result, PasteResult::Unavailable);
        }
    }
}

} // namespace
} // namespace korv::platform
