// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "systemmenuapi.h"

namespace korv::platform {

// Window messages of the notification area, numbered as the shell numbers them.
inline constexpr std::uint32_t WM_USER = 0x0400;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;

// Which parts of a NotifyIconData record a call carries.
inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

// The size the record declares of itself: the 88-byte form with a 64-byte tip.
inline constexpr std::uint32_t kNotifyIconDataSize = 88;

/// What a notifyIcon call does with the icon its record names.
enum class NotifyMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

/// A picture handle: the address of a QIcon that its owner keeps alive, 0 for none.
using IconHandle = std::uintptr_t;

/// The handle of a held one-instance guard; 0 for none.
using GuardHandle = std::uintptr_t;

/// Receives the messages of one window: message number, wParam, lParam; returns the result.
using WindowProc = std::function<std::intptr_t(std::uint32_t message, std::uintptr_t wParam,
                                               std::intptr_t lParam)>;

/// One notification-area icon as the shell is told about it; hWnd and uID name the icon.
struct NotifyIconData {
    std::uint32_t cbSize = 0;
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::array<char, 64> szTip{}; // UTF-8, zero-terminated

    std::string_view tip() const { return {szTip.data(), std::string_view(szTip.data()).size()}; }
};

/// A screen position in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

/// The result of claiming a one-instance name.
struct InstanceClaim {
    GuardHandle handle = 0;     // 0 when the guard could not be set up
    bool alreadyExists = false; // another live instance holds the name
};

/// The desktop's notification area (system tray), the windows that hear it, and the
/// one-instance guard that goes with it.
class NotifyShell {
public:
    virtual ~NotifyShell() = default;

    /// Adds, changes or removes the icon that data names; false when the shell refuses.
    virtual bool notifyIcon(NotifyMessage message, const NotifyIconData& data) = 0;
    /// Routes the messages addressed to window (icon callbacks, broadcasts) to proc.
    virtual void registerWindow(WindowHandle window, WindowProc proc) = 0;
    /// Stops routing messages to window.
    virtual void unregisterWindow(WindowHandle window) = 0;
    /// Shows or hides the application's own task-bar window.
    virtual void showApplicationWindow(bool show) = 0;
    /// True while a notification-area host is present to show icons.
    virtual bool isAvailable() const = 0;
    /// The pointer position in screen coordinates.
    virtual ScreenPoint cursorPos() const = 0;
    /// Shows a short notice beside the icon that window and id name, or as a desktop
    /// notification, without taking the keyboard focus; false when it could not be shown.
    virtual bool showNotice(WindowHandle window, std::uint32_t id, const std::string& title,
                            const std::string& text) = 0;

    /// The message number registered under name: the same name always gives the same number.
    virtual std::uint32_t registerWindowMessage(const std::string& name) = 0;
    /// Claims name for this instance until the returned handle is closed or the process ends.
    virtual InstanceClaim createInstanceGuard(const std::string& name) = 0;
    /// Gives up a claim.
    virtual void closeInstanceGuard(GuardHandle guard) = 0;
    /// Posts a registered message to the windows of the instance that holds the guard named
    /// as the message was registered.
    virtual void broadcastMessage(std::uint32_t message) = 0;
    /// Ends the process at once.
    virtual void exitProcess() = 0;
};

} // namespace korv::platform
