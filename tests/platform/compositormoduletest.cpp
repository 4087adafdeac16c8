// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

#include "compositormodule.h"

namespace korv::platform {

// The first file there is loaded; where none is (a broken install), a Wayland side still gets
// both, offering nothing: the paste falls to the portal and the focus is not known.
TEST(CompositorModuleTest, TheModuleMakesTheCompositorsOwnOrNothingWhenMissing) {
    const std::string missing = "/nonexistent/korvani-wayland.so";
    const struct {
        std::vector<std::string> files;
        const char* keys; // the type that answers, as its name shows
    } cases[] = {{{missing, KORV_MODULE_FILE}, "WlrootsPasteTarget"},
                 {{missing}, "NoCompositorKeys"},
                 {{}, "NoCompositorKeys"}};
    for (const auto& c : cases) {
        const CompositorModule module(c.files);
        auto keys = module.keys([](std::uintptr_t) { return KeyboardFocus::Own; });
        const CompositorKeys& made = *keys;
        EXPECT_NE(std::string(typeid(made).name()).find(c.keys), std::string::npos) << c.keys;
        // Offscreen, with no compositor to ask, neither offers anything.
        EXPECT_FALSE(keys->offered());
        EXPECT_EQ((*module.keyboardFocus())(1), KeyboardFocus::Unknown);
        std::optional<PasteResult> result;
        if (!module.loaded()) {
            keys->pasteIntoPreviousWindow(1, [&result](PasteResult r) { result = r; });
            EXPECT_EQ(result, PasteResult::Unavailable);
        }
    }
}

} // namespace korv::platform
