// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

#include <chrono>
#include <cstdint>

#include "pastetarget.h"
#include "portalpastetarget.h"
#include "windowhandle.h"

namespace korv::platform {

/// Under XWayland, pastes into the X11 window that was active before ours by itself: keys sent
/// through XWayland never reach the compositor's window switcher, so it asks the compositor to
/// activate that window and presses Ctrl+V there. While a native Wayland window has the keyboard
/// the compositor reports no active X window: a native window came before ours, and the paste
/// goes through the compositor instead.
class XWaylandPasteTarget final : public PasteTarget, private QAbstractNativeEventFilter {
public:
    // How long the compositor may take to activate the window asked for.
    static constexpr std::chrono::milliseconds kSwitchTimeout{1000};

    /// inner pastes where it cannot tell which window came before ours, compositor where a
    /// native Wayland window did.
    XWaylandPasteTarget(PasteTarget& inner, PasteTarget& compositor);
    ~XWaylandPasteTarget() override;
    XWaylandPasteTarget(const XWaylandPasteTarget&) = delete;
    XWaylandPasteTarget& operator=(const XWaylandPasteTarget&) = delete;

    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override;
    void askAgain() override { m_compositor.askAgain(); }
    void restorePermission(const std::string& kept) override {
        m_compositor.restorePermission(kept);
    }
    std::string permissionToKeep() const override { return m_compositor.permissionToKeep(); }

    /// Where the keyboard is, as the X server tells: elsewhere while a native window has it.
    static KeyboardFocus keyboardFocus(std::uintptr_t own);

    /// Takes note that window became the active one (0 for none).
    void activeWindowChanged(WindowHandle window);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    WindowHandle readActiveWindow() const;
    bool pasteInto(WindowHandle window, WindowHandle own);

    PasteTarget& m_inner;
    PasteTarget& m_compositor;
    std::uint32_t m_activeAtom = 0;
    std::uint32_t m_root = 0;
    bool m_installed = false;
    WindowHandle m_active = 0;
    WindowHandle m_before = 0; // the window active before the current one
    bool m_known = false;      // m_before was seen, not guessed
};

} // namespace korv::platform
