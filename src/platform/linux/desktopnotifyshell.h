// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "notifyshell.h"
#include "statusnotifieritem.h"

namespace korv::platform {

/// The desktop's notification area, one icon per record, with mouse activity reported as the
/// shell's mouse messages: a StatusNotifierItem of its own for every StatusNotifier host that
/// comes, and, where the session can have XEmbed trays and no such host is there, Qt's tray
/// icon (which embeds itself into any tray that comes). The one-instance guard is a lock file under
/// $XDG_RUNTIME_DIR, and the guard's holder listens on a datagram socket beside it for the
/// announcements of later instances.
class DesktopNotifyShell : public NotifyShell {
public:
    using ExitFunction = std::function<void()>;

    // exitProcess replaces the immediate end of the process (tests); empty for the real one.
    explicit DesktopNotifyShell(ExitFunction exitProcess = {});
    ~DesktopNotifyShell() override;
    DesktopNotifyShell(const DesktopNotifyShell&) = delete;
    DesktopNotifyShell& operator=(const DesktopNotifyShell&) = delete;

    bool notifyIcon(NotifyMessage message, const NotifyIconData& data) override;
    void registerWindow(WindowHandle window, WindowProc proc) override;
    void unregisterWindow(WindowHandle window) override;
    void showApplicationWindow(bool show) override;
    bool isAvailable() const override;
    ScreenPoint cursorPos() const override;
    bool showNotice(WindowHandle window, std::uint32_t id, const std::string& title,
                    const std::string& text) override;

    std::uint32_t registerWindowMessage(const std::string& name) override;
    InstanceClaim createInstanceGuard(const std::string& name) override;
    void closeInstanceGuard(GuardHandle guard) override;
    void broadcastMessage(std::uint32_t message) override;
    void exitProcess() override;

    /// The XEmbed tray icon that stands for the icon (window, id); nullptr when there is none.
    QSystemTrayIcon* trayIcon(WindowHandle window, std::uint32_t id) const;
    /// The StatusNotifierItem that stands for the icon (window, id); nullptr when there is none.
    StatusNotifierItem* statusNotifierItem(WindowHandle window, std::uint32_t id) const;

protected:
    /// True while an XEmbed system tray is there to take the icon; a session without one says
    /// false.
    virtual bool embeddedTrayPresent() const { return false; }
    /// Whether the session can have XEmbed system trays at all.
    virtual bool hasEmbeddedTrays() const { return false; }

private:
    using IconKey = std::pair<WindowHandle, std::uint32_t>;
    struct Icon {
        std::unique_ptr<StatusNotifierItem> item;
        std::unique_ptr<QSystemTrayIcon> tray;
        QIcon picture;
        QString toolTip;
        bool hasCallback = false;
        std::uint32_t callbackMessage = 0;
    };
    struct Guard;
    class ReleaseWatch;

    void apply(IconKey key, Icon& icon, const NotifyIconData& data);
    void showEmbedded(IconKey key, Icon& icon);
    void hostsChanged();
    void requested(IconKey key, StatusNotifierItem::Request request);
    void activated(IconKey key, QSystemTrayIcon::ActivationReason reason);
    void send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam);
    void hearAnnouncements(Guard& guard);
    void pressed(QObject* target);
    void released(QObject* target, bool inside);

    ExitFunction m_exit;
    std::map<IconKey, Icon> m_icons;
    std::map<WindowHandle, WindowProc> m_windows;
    std::map<std::string, std::uint32_t> m_messages;
    std::map<GuardHandle, std::unique_ptr<Guard>> m_guards;
    GuardHandle m_nextGuard = 1;
    int m_delivering = 0; // window procedures running from a tray icon's signal
    // Whether a StatusNotifier host shows the items, as last seen when a watcher came or went.
    bool m_statusNotifierHost = false;
    // A click counts when the button comes up over the icon; Qt reports the press.
    std::unique_ptr<ReleaseWatch> m_releaseWatch;
    QPointer<QObject> m_pressTarget;  // what the last left press went to
    QPointer<QObject> m_awaitRelease; // the icon's widget, while its press waits for the release
    IconKey m_pressedIcon{};
};

} // namespace korv::platform
