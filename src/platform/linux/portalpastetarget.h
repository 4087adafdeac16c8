// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include "pastetarget.h"

namespace korv::platform {

class PortalSession;

/// Where the keyboard is, as far as this program can tell.
enum class KeyboardFocus { Own, Elsewhere, Unknown };

/// Tells where the keyboard is relative to the window given (the program's own).
using FocusProbe = std::function<KeyboardFocus(std::uintptr_t own)>;

/// Pastes through the desktop portal's remote desktop, as GNOME and KDE Plasma offer it to any
/// program the user allows: the compositor's own switch back (Alt+Tab), then Ctrl+V, sent as key
/// symbols so that any layout works. The permission is asked for at the first paste, in the
/// background, and the session kept for the program's life; a refusal stands for the run unless
/// the user turns auto-paste on again. Ctrl+V goes out only once the keyboard is seen to have
/// left this program's window.
class PortalPasteTarget final : public PasteTarget {
public:
    // How long the keyboard may take to come back to our window (after the permission dialog),
    // to leave it once Alt+Tab is through, and how long it must then stay away, a harmless key
    // sent meanwhile, before Ctrl+V.
    static constexpr std::chrono::milliseconds kFocusBackTimeout{2000};
    static constexpr std::chrono::milliseconds kSwitchTimeout{1000};
    static constexpr std::chrono::milliseconds kSettle{100};
    // The first event after the session starts may be lost: a harmless one goes first, and the
    // paste keys wait this long after it.
    static constexpr std::chrono::milliseconds kWarmUp{600};
    // How long the keys of each paste wait after a harmless key that wakes the session's device.
    static constexpr std::chrono::milliseconds kDeviceSwitch{50};
    // How many times Alt+Tab is sent while the keyboard stays in our window.
    static constexpr int kSwitchTries = 2;

    explicit PortalPasteTarget(FocusProbe focus);
    ~PortalPasteTarget() override;
    PortalPasteTarget(const PortalPasteTarget&) = delete;
    PortalPasteTarget& operator=(const PortalPasteTarget&) = delete;

    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override;
    void askAgain() override;
    void restorePermission(const std::string& kept) override;
    std::string permissionToKeep() const override;

private:
    enum class State { Unasked, Asking, Ready, Refused, Unavailable };

    void ended(State state);
    void runNext();
    void switchAndPaste(std::uintptr_t own, int tries);
    void switchFrom(std::uintptr_t own, int tries);
    void waitFor(std::chrono::milliseconds timeout, std::function<bool()> met,
                 std::function<void(bool)> then);
    void after(std::chrono::milliseconds delay, std::function<void()> then);
    void finish(PasteResult result);

    FocusProbe m_focus;
    State m_state = State::Unasked;
    std::unique_ptr<PortalSession> m_session;
    QObject m_timers; // the waits of a paste under way end with the target
    struct Paste {
        std::uintptr_t own;
        Done done;
    };
    std::deque<Paste> m_queue;
    bool m_pasting = false;
    std::string m_kept;
};

} // namespace korv::platform
