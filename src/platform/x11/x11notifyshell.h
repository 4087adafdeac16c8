#pragma once

#include <QSystemTrayIcon>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "notifyshell.h"

namespace korv::platform {

/// The desktop's system tray through QSystemTrayIcon (XEmbed trays and StatusNotifier hosts),
/// one tray icon per record, with mouse activity reported as the shell's mouse messages. The
/// one-instance guard is a lock file under $XDG_RUNTIME_DIR, and the guard's holder listens on
/// a datagram socket beside it for the announcements of later instances.
class X11NotifyShell final : public NotifyShell {
public:
    using ExitFunction = std::function<void()>;

    // exitProcess replaces the immediate end of the process (tests); empty for the real one.
    explicit X11NotifyShell(ExitFunction exitProcess = {});
    ~X11NotifyShell() override;
    X11NotifyShell(const X11NotifyShell&) = delete;
    X11NotifyShell& operator=(const X11NotifyShell&) = delete;

    bool notifyIcon(NotifyMessage message, const NotifyIconData& data) override;
    void registerWindow(WindowHandle window, WindowProc proc) override;
    void unregisterWindow(WindowHandle window) override;
    void showApplicationWindow(bool show) override;
    bool isAvailable() const override;
    ScreenPoint cursorPos() const override;

    std::uint32_t registerWindowMessage(const std::string& name) override;
    InstanceClaim createInstanceGuard(const std::string& name) override;
    void closeInstanceGuard(GuardHandle guard) override;
    void broadcastMessage(std::uint32_t message) override;
    void exitProcess() override;

    /// The tray icon that stands for the icon (window, id); nullptr when there is none.
    QSystemTrayIcon* trayIcon(WindowHandle window, std::uint32_t id) const;

private:
    using IconKey = std::pair<WindowHandle, std::uint32_t>;
    struct Icon {
        std::unique_ptr<QSystemTrayIcon> tray;
        bool hasCallback = false;
        std::uint32_t callbackMessage = 0;
    };
    struct Guard;

    void apply(Icon& icon, const NotifyIconData& data);
    void activated(IconKey key, QSystemTrayIcon::ActivationReason reason);
    void send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam);
    void hearAnnouncements(Guard& guard);

    ExitFunction m_exit;
    std::map<IconKey, Icon> m_icons;
    std::map<WindowHandle, WindowProc> m_windows;
    std::map<std::string, std::uint32_t> m_messages;
    std::map<GuardHandle, std::unique_ptr<Guard>> m_guards;
    GuardHandle m_nextGuard = 1;
    int m_delivering = 0; // window procedures running from a tray icon's signal
    mutable std::uint32_t m_traySelection = 0;
};

} // namespace korv::platform
