// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "compositormodule.h"

namespace korv::platform {
namespace {

// The program looks beside itself first (the build), then where the module is installed.
TEST(CompositorModuleTest, LooksBesideTheProgramThenWhereItIsInstalled) {
    const std::vector<std::string> files = CompositorModule::filesFor("/usr/bin");
    ASSERT_EQ(files.size(), 2U);
    EXPECT_EQ(files[0], "/usr/bin/korvani-wayland.so");
    EXPECT_TRUE(files[1].starts_with("/usr/bin/../")) << files[1];
    EXPECT_TRUE(files[1].ends_with("/korvani/korvani-wayland.so")) << files[1];
}

// The first file there is loaded. Where none is (a broken install), a Wayland side still gets
// both, offering nothing: the paste falls to the portal, and the focus is not known.
TEST(CompositorModuleTest, TheModuleMakesTheCompositorsOwnOrNothingWhenMissing) {
    struct Case {
        std::vector<std::string> files;
        bool loaded;
        const char* keys; // the type that answers, as its name shows
        const char* focus;
    };
    const Case cases[] = {
        {{"/nonexistent/korvani-wayland.so", KORV_MODULE_FILE},
         true,
         "WlrootsPasteTarget",
         "WaylandKeyboardFocus"},
        {{"/nonexistent/korvani-wayland.so"}, false, "NoCompositorKeys", "NoKeyboardFocusProbe"},
        {{}, false, "NoCompositorKeys", "NoKeyboardFocusProbe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files.empty() ? "none" : c.files.back());
        const CompositorModule module(c.files);
        EXPECT_EQ(module.loaded(), c.loaded);
        auto keys = module.keys([](std::uintptr_t) { return KeyboardFocus::Own; });
        auto focus = module.keyboardFocus();
        ASSERT_TRUE(keys && focus);
        const CompositorKeys& madeKeys = *keys;
        const KeyboardFocusProbe& madeFocus = *focus;
        EXPECT_NE(std::string(typeid(madeKeys).name()).find(c.keys), std::string::npos);
        EXPECT_NE(std::string(typeid(madeFocus).name()).find(c.focus), std::string::npos);
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
