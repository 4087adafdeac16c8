// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window saved off every screen comes back.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "screenplace.h"

namespace korv {
namespace {

TEST(PlaceOnScreens, KeepsAVisibleTitleBarElseMovesOntoTheNearestWorkArea) {
    // A panel along the bottom of a 1280x800 screen, a second screen to its right, higher.
    const std::vector<Rect> two{{0, 0, 1280, 776}, {1280, -200, 1024, 768}};
    struct Case {
        const char* name;
        Rect frame;
        std::vector<Rect> areas;
        ScreenPosition placed;
    };
    const Case cases[] = {
        {"wholly on a screen", {200, 150, 331, 250}, two, {200, 150}},
        {"partly off the left edge, title bar still to grab",
         {-280, 100, 331, 250},
         two,
         {-280, 100}},
        {"below the bottom, its title bar on the work area", {500, 756, 331, 250}, two, {500, 756}},
        {"on the second screen, above the first", {1500, -150, 331, 250}, two, {1500, -150}},
        {"far off up and left: the first screen's corner", {-30000, -30000, 331, 250}, two, {0, 0}},
        {"title bar under the panel: up onto the work area", {500, 760, 331, 250}, two, {500, 526}},
        {"title bar above the top: down, as little as needed", {400, -30, 331, 250}, two, {400, 0}},
        {"too little of the title bar to grab", {-300, 100, 331, 250}, two, {0, 100}},
        {"far off right: the second screen, the nearer one",
         {9000, 100, 331, 250},
         two,
         {1973, 100}},
        {"straddling both, its title bar on the second", {1200, -190, 331, 250}, two, {1200, -190}},
        {"above the first screen, left of the second: down onto the first",
         {900, -150, 331, 250},
         two,
         {900, 0}},
        {"larger than the screen: its top-left corner", {-50, -50, 2000, 1000}, {two[0]}, {0, 0}},
        {"extreme values do not overflow", {INT_MIN, INT_MAX, 331, 250}, two, {0, 526}},
        {"no screens known: kept", {-30000, -30000, 331, 250}, {}, {-30000, -30000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placeOnScreens(c.frame, c.areas), c.placed);
    }
}

} // namespace
} // namespace korv
