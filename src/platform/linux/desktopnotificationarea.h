// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>

#include "notificationarea.h"
#include "statusnotifieritem.h"

namespace korv::platform {

/// The desktop's notification area: a StatusNotifierItem of the icon's own for every
/// StatusNotifier host that comes, and, where the session can have XEmbed trays and no such host
/// is there, Qt's tray icon (which embeds itself into any tray that comes).
class DesktopNotificationArea : public NotificationArea {
public:
    DesktopNotificationArea();
    ~DesktopNotificationArea() override;
    DesktopNotificationArea(const DesktopNotificationArea&) = delete;
    DesktopNotificationArea& operator=(const DesktopNotificationArea&) = delete;

    void showIcon(const std::string& toolTip, const QIcon& picture) override;
    void hideIcon() override;
    void onIconClick(ClickHandler handler) override { m_onClick = std::move(handler); }
    bool isAvailable() const override;
    bool showNotice(const std::string& title, const std::string& text) override;
    ScreenPoint pointerPosition() const override;

    /// The XEmbed tray icon that stands for the icon; nullptr when there is none.
    QSystemTrayIcon* trayIcon() const;
    /// The StatusNotifierItem that stands for the icon; nullptr while the icon is hidden.
    StatusNotifierItem* statusNotifierItem() const;

protected:
    /// True while an XEmbed system tray is there to take the icon; a session without one says
    /// false.
    virtual bool embeddedTrayPresent() const { return false; }
    /// Whether the session can have XEmbed system trays at all.
    virtual bool hasEmbeddedTrays() const { return false; }

private:
    struct Icon {
        std::unique_ptr<StatusNotifierItem> item;
        std::unique_ptr<QSystemTrayIcon> tray;
        QIcon picture;
        QString toolTip;
    };
    class ReleaseWatch;

    void showEmbedded(Icon& icon);
    void hostsChanged();
    void requested(StatusNotifierItem::Request request);
    void activated(QSystemTrayIcon::ActivationReason reason);
    void report(IconClick click);
    void pressed(QObject* target);
    void released(QObject* target, bool inside);

    std::unique_ptr<Icon> m_icon; // null while hidden
    ClickHandler m_onClick;
    int m_delivering = 0; // click handlers running from a tray icon's signal
    // Whether a StatusNotifier host shows the items, as last seen when a watcher came or went.
    bool m_statusNotifierHost = false;
    // A click counts when the button comes up over the icon; Qt reports the press.
    std::unique_ptr<ReleaseWatch> m_releaseWatch;
    QPointer<QObject> m_pressTarget;  // what the last left press went to
    QPointer<QObject> m_awaitRelease; // the icon's widget, while its press waits for the release
};

} // namespace korv::platform
