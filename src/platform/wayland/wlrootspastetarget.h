// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "compositorclient.h"

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

namespace korv::platform {

/// Pastes on wlroots compositors (sway and others), which let any program list and activate
/// windows and type: follows which window had the keyboard before ours from the start, activates
/// it, and presses Ctrl+V through a virtual keyboard with a keymap of its own. Ctrl+V goes out
/// only once that window is active and the keyboard has left ours.
class WlrootsPasteTarget final : public CompositorKeys {
public:
    static constexpr std::chrono::milliseconds kSwitchTimeout{1000};

    /// Connects to the compositor once the event loop runs, not before.
    explicit WlrootsPasteTarget(FocusProbe focus);
    ~WlrootsPasteTarget() override;
    WlrootsPasteTarget(const WlrootsPasteTarget&) = delete;
    WlrootsPasteTarget& operator=(const WlrootsPasteTarget&) = delete;

    bool offered() override;

    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override;

    // The listeners' ends, called by libwayland.
    struct Toplevel {
        WlrootsPasteTarget* owner = nullptr;
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        bool activated = false;        // as last told complete (done)
        bool pendingActivated = false; // as told since
        bool closed = false;
        std::uint64_t activatedAt = 0; // when it last became active, in activations counted
    };
    void announced(wl_registry* registry, std::uint32_t name, const char* interface,
                   std::uint32_t version);
    void toplevelAdded(zwlr_foreign_toplevel_handle_v1* handle);
    void toplevelDone(Toplevel& toplevel);
    void toplevelClosed(Toplevel& toplevel);

private:
    void connect();
    void disconnect();
    void read();
    void flush();
    bool makeKeyboard();
    bool sendPasteKeys();

    FocusProbe m_focus;
    bool m_tried = false;
    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwlr_foreign_toplevel_manager_v1* m_toplevels = nullptr;
    zwp_virtual_keyboard_manager_v1* m_keyboards = nullptr;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::vector<std::unique_ptr<Toplevel>> m_list;
    std::uint64_t m_activations = 0;
    QObject m_timers; // the wait of a paste under way ends with the target
};

} // namespace korv::platform
