// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>

#include <chrono>
#include <cstdint>

#include "keyinjector.h"

namespace korv::platform {

/// Under XWayland, pastes only into the X11 window that was active before ours: keys sent
/// through XWayland never reach the compositor's window switcher, so the gate asks the
/// compositor to activate that window and sends the paste chord there. While a native Wayland
/// window has the keyboard the compositor reports no active X window, and then nothing is sent.
class XWaylandKeyGate final : public KeyInjector, private QAbstractNativeEventFilter {
public:
    // How long the compositor may take to activate the window asked for.
    static constexpr std::chrono::milliseconds kSwitchTimeout{1000};

    explicit XWaylandKeyGate(KeyInjector& inner);
    ~XWaylandKeyGate() override;
    XWaylandKeyGate(const XWaylandKeyGate&) = delete;
    XWaylandKeyGate& operator=(const XWaylandKeyGate&) = delete;

    std::int16_t vkKeyScanA(char ch) override;
    bool sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) override;

    /// Takes note that window became the active one (0 for none).
    void activeWindowChanged(WindowHandle window);

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    WindowHandle readActiveWindow() const;
    bool pasteInto(WindowHandle window, const std::array<KeyEvent, 8>& events, WindowHandle own);

    KeyInjector& m_inner;
    std::uint32_t m_activeAtom = 0;
    std::uint32_t m_root = 0;
    bool m_installed = false;
    WindowHandle m_active = 0;
    WindowHandle m_before = 0; // the window active before the current one
    bool m_known = false;      // m_before was seen, not guessed
};

} // namespace korv::platform
