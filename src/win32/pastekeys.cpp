// SPDX-License-Identifier: GPL-3.0-or-later
#include "pastekeys.h"

namespace korv::win32 {

namespace {

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
    const KeyEvent altDown{VK_MENU, kScanAlt, 0, 0};
    const KeyEvent tabDown{VK_TAB, kScanTab, 0, 0};
    const KeyEvent tabUp{VK_TAB, kScanTab, KEYEVENTF_KEYUP, 0};
    const KeyEvent altUp{VK_MENU, kScanAlt, KEYEVENTF_KEYUP, 0};
    const KeyEvent ctrlDown{VK_CONTROL, kScanCtrl, 0, 0};
    const KeyEvent vDown{keyForV(vkKeyScanA), kScanV, 0, 0};
    const KeyEvent vUp{keyForV(vkKeyScanA), kScanV, KEYEVENTF_KEYUP, 0};
    const KeyEvent ctrlUp{VK_CONTROL, kScanCtrl, KEYEVENTF_KEYUP, 0};
    return {altDown, tabDown, tabUp, altUp, ctrlDown, vDown, vUp, ctrlUp};
}

} // namespace korv::win32
