#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>

#include "keyinjector.h"

namespace korv::platform {

/// Under XWayland, lets a paste through only when the window that was active before ours was
/// an X11 window: the compositor reports no active X window while a native Wayland window has
/// the keyboard, and keys sent then would reach nothing the user meant.
class XWaylandKeyGate final : public KeyInjector, private QAbstractNativeEventFilter {
public:
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

    KeyInjector& m_inner;
    std::uint32_t m_activeAtom = 0;
    std::uint32_t m_root = 0;
    bool m_installed = false;
    WindowHandle m_active = 0;
    WindowHandle m_before = 0; // the window active before the current one
    bool m_known = false;      // m_before was seen, not guessed
};

} // namespace korv::platform
