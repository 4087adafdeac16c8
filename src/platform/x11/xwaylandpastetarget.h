// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

#include <chrono>
#include <cstdint>

#include "pastetarget.h"
#include "windowhandle.h"

namespace korv::platform {

/// Under XWayland, pastes only into the X11 window that was active before ours: keys sent
/// through XWayland never reach the compositor's window switcher, so it asks the compositor to
/// activate that window and presses Ctrl+V there. While a native Wayland window has the keyboard
/// the compositor reports no active X window, and then nothing is sent.
class XWaylandPasteTarget final : public PasteTarget, private QAbstractNativeEventFilter {
public:
    // How long the compositor may take to activate the window asked for.
    static constexpr std::chrono::milliseconds kSwitchTimeout{1000};

    /// inner pastes where it cannot tell which window came before ours.
    explicit XWaylandPasteTarget(PasteTarget& inner);
    ~XWaylandPasteTarget() override;
    XWaylandPasteTarget(const XWaylandPasteTarget&) = delete;
    XWaylandPasteTarget& operator=(const XWaylandPasteTarget&) = delete;

    bool pasteIntoPreviousWindow(std::uintptr_t own) override;

    /// Takes note that window became the active one (0 for none).
    void activeWindowChanged(WindowHandle window);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    WindowHandle readActiveWindow() const;
    bool pasteInto(WindowHandle window, WindowHandle own);

    PasteTarget& m_inner;
    std::uint32_t m_activeAtom = 0;
    std::uint32_t m_root = 0;
    bool m_installed = false;
    WindowHandle m_active = 0;
    WindowHandle m_before = 0; // the window active before the current one
    bool m_known = false;      // m_before was seen, not guessed
};

} // namespace korv::platform
