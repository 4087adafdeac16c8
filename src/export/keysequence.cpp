// SPDX-License-Identifier: GPL-3.0-or-later
#include "keysequence.h"

namespace korv {

namespace {

constexpr std::uint8_t kVkTab = 0x09;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkMenu = 0x12;

// Set-1 scan codes with the break bit set, sent unchanged for press and release. The byte sent
// with V is that of the A key; it only travels with the event, the key comes from the vk.
constexpr std::uint8_t kScanAlt = 0xB8;
constexpr std::uint8_t kScanTab = 0x8F;
constexpr std::uint8_t kScanCtrl = 0x9D;
constexpr std::uint8_t kScanV = 0x9E;

std::uint8_t keyForV(const VkKeyScanFn& vkKeyScanA) {
    // Only the key byte is sent; the shift state in the high byte is deliberately not acted on.
    return static_cast<std::uint8_t>(static_cast<std::uint16_t>(vkKeyScanA('V')) & 0xFFu);
}

} // namespace

std::array<KeyEvent, 8> buildAutoPasteKeys(const VkKeyScanFn& vkKeyScanA) {
    const KeyEvent altDown{kVkMenu, kScanAlt, 0, 0};
    const KeyEvent tabDown{kVkTab, kScanTab, 0, 0};
    const KeyEvent tabUp{kVkTab, kScanTab, KEYEVENTF_KEYUP, 0};
    const KeyEvent altUp{kVkMenu, kScanAlt, KEYEVENTF_KEYUP, 0};
    const KeyEvent ctrlDown{kVkControl, kScanCtrl, 0, 0};
    const KeyEvent vDown{keyForV(vkKeyScanA), kScanV, 0, 0};
    const KeyEvent vUp{keyForV(vkKeyScanA), kScanV, KEYEVENTF_KEYUP, 0};
    const KeyEvent ctrlUp{kVkControl, kScanCtrl, KEYEVENTF_KEYUP, 0};
    return {altDown, tabDown, tabUp, altUp, ctrlDown, vDown, vUp, ctrlUp};
}

} // namespace korv
