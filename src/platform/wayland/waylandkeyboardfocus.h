// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "compositorclient.h"

struct wl_display;
struct wl_event_queue;
struct wl_keyboard;
struct wl_registry;
struct wl_seat;
struct wl_surface;

namespace korv::platform {

/// Where the compositor sends this program's keys, told by a keyboard object of its own on Qt's
/// connection: a window's activation, which Qt follows, may leave while the keys stay (KWin's
/// switcher with nowhere to go).
class WaylandKeyboardFocus final : public KeyboardFocusProbe {
public:
    WaylandKeyboardFocus() = default;
    ~WaylandKeyboardFocus() override;
    WaylandKeyboardFocus(const WaylandKeyboardFocus&) = delete;
    WaylandKeyboardFocus& operator=(const WaylandKeyboardFocus&) = delete;

    /// Set up at the first call, not at start.
    KeyboardFocus operator()(std::uintptr_t own) override;

    // The listeners' ends, called by libwayland.
    void seatAnnounced(wl_registry* registry, std::uint32_t name, std::uint32_t version);
    void seatHasKeyboard(bool has) { m_seatHasKeyboard = has; }
    void entered(wl_surface* surface) { m_focused = surface; }
    void left() { m_focused = nullptr; }

private:
    bool start();

    wl_display* m_display = nullptr;
    wl_event_queue* m_queue = nullptr;
    wl_display* m_wrapper = nullptr; // the display, its requests' objects on m_queue
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    wl_keyboard* m_keyboard = nullptr;
    wl_surface* m_focused = nullptr;
    bool m_seatHasKeyboard = false;
    bool m_tried = false;
    bool m_working = false;
};

} // namespace korv::platform
