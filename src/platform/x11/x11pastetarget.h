// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMetaObject>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "pastetarget.h"
#include "windowhandle.h"

struct xcb_connection_t;

namespace korv::platform {

class PendingProperty;

/// Pastes through the XTest extension, with keys found by their symbols in the layout in use.
/// The switch goes to the window that was active before this program's, asked of the window
/// manager directly where it takes such requests, else by a paced Alt+Tab.
class X11PasteTarget final : public PasteTarget, public QAbstractNativeEventFilter {
public:
    // Bounds of each wait: the window manager taking the keyboard after Alt+Tab, another window
    // becoming active, and that window holding the focus with the keyboard free.
    static constexpr std::chrono::milliseconds kGrabTimeout{150};
    static constexpr std::chrono::milliseconds kSwitchTimeout{300};
    static constexpr std::chrono::milliseconds kSteadyTimeout{250};
    // How long the focus must stay in the new window before the paste: after Alt+Tab, a window
    // manager whose focus follows the pointer hands it back to the window under the pointer
    // within some 50 ms; a direct activation has shown no such bounce.
    static constexpr std::chrono::milliseconds kSettle{60};
    static constexpr std::chrono::milliseconds kDirectSettle{20};

    /// Starts following the active window when the application runs on an X11 display.
    X11PasteTarget();
    ~X11PasteTarget() override;
    X11PasteTarget(const X11PasteTarget&) = delete;
    X11PasteTarget& operator=(const X11PasteTarget&) = delete;

    /// Presses Ctrl+V only once another window than own steadily holds the focus and no client
    /// holds the keyboard; without an X11 display or XTest it sends nothing. False when nothing
    /// was sent.
    bool pasteIntoPreviousWindow(std::uintptr_t own);
    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // Reads the answers asked for at construction, once.
    void takeStart();
    void noteActiveWindow();
    void noteActive(const std::vector<unsigned long>& active);

    xcb_connection_t* m_connection = nullptr;
    unsigned int m_rootAttributes = 0;
    std::unique_ptr<PendingProperty> m_startActive;
    QMetaObject::Connection m_afterMap;
    std::uint32_t m_root = 0;
    std::uint32_t m_activeAtom = 0;
    // Other programs' windows, most recently active first.
    std::vector<unsigned long> m_recent;
};

} // namespace korv::platform
