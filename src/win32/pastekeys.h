// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

namespace korv::win32 {

/// One synthesised keyboard event, with the arguments keybd_event takes.
struct KeyEvent {
    std::uint8_t vk;
    std::uint8_t scan;
    std::uint32_t flags;
    std::uintptr_t extra;
    bool operator==(const KeyEvent&) const = default;
};

/// Maps a character to the key that types it, as VkKeyScanA does: the low byte is the
/// virtual-key code, -1 means no key of the current layout types it.
using VkKeyScanFn = std::function<std::int16_t(char)>;

/// The events that switch to the previously active window (Alt+Tab) and paste there (Ctrl+V);
/// vkKeyScanA is asked afresh for the V key of each of the two V events.
std::array<KeyEvent, 8> buildAutoPasteKeys(const VkKeyScanFn& vkKeyScanA);

} // namespace korv::win32
