// SPDX-License-Identifier: GPL-3.0-or-later
#include "pastekeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using korv::win32::KeyEvent;

// Answers from a list in turn and records what it was asked.
struct FakeKeyScan {
    std::vector<std::int16_t> answers;
    std::vector<char> asked;

    korv::win32::VkKeyScanFn fn() {
        return [this](char c) {
            const std::int16_t answer = answers.at(asked.size());
            asked.push_back(c);
            return answer;
        };
    }
};

TEST(AutoPasteKeys, AltTabThenCtrlV) {
    FakeKeyScan scan{{0x0156, 0x0156}, {}};
    const auto keys = korv::win32::buildAutoPasteKeys(scan.fn());

    const std::array<KeyEvent, 8> expected{{
        {18, 184, 0, 0},
        {9, 143, 0, 0},
        {9, 143, KEYEVENTF_KEYUP, 0},
        {18, 184, KEYEVENTF_KEYUP, 0},
        {17, 157, 0, 0},
        {0x56, 158, 0, 0},
        {0x56, 158, KEYEVENTF_KEYUP, 0},
        {17, 157, KEYEVENTF_KEYUP, 0},
    }};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(scan.asked, (std::vector<char>{'V', 'V'}));
    const bool anyShift = std::any_of(keys.begin(), keys.end(), [](const KeyEvent& k) {
        return k.vk == 0x10 || k.vk == 0xA0 || k.vk == 0xA1;
    });
    EXPECT_FALSE(anyShift);
}

TEST(AutoPasteKeys, EachVEventAsksTheLayoutAgain) {
    FakeKeyScan scan{{0x56, 0x2F}, {}};
    const auto keys = korv::win32::buildAutoPasteKeys(scan.fn());
    EXPECT_EQ(keys[5].vk, 0x56);
    EXPECT_EQ(keys[6].vk, 0x2F);
}

TEST(AutoPasteKeys, LayoutWithoutVSends255AndLeavesTheRest) {
    FakeKeyScan usual{{0x56, 0x56}, {}};
    FakeKeyScan none{{-1, -1}, {}};
    const auto reference = korv::win32::buildAutoPasteKeys(usual.fn());
    const auto keys = korv::win32::buildAutoPasteKeys(none.fn());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        if (i == 5 || i == 6) {
            EXPECT_EQ(keys[i].vk, 255);
            EXPECT_EQ(keys[i].scan, 158);
            EXPECT_EQ(keys[i].flags, reference[i].flags);
        } else {
            EXPECT_EQ(keys[i], reference[i]);
        }
    }
}

} // namespace
