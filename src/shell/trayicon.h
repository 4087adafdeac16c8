// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>

#include "notificationarea.h"

namespace korv {

/// The program's icon in the notification area, with its tooltip, picture and menu: clicks on
/// it become events, and it leaves the notification area when it goes. The area holds one icon,
/// so the last one made is the one that hears the clicks.
class TrayIcon final : public QObject {
public:
    using ClickEvent = std::function<void()>;
    using ContextClickEvent = std::function<void(QPoint position)>;

    // The longest tooltip, as both faces show it.
    static constexpr qsizetype kMaxToolTip = 62;

    TrayIcon(QObject* owner, platform::NotificationArea& area);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    /// Puts the icon into the notification area, with the tooltip and picture it has by then.
    void show();
    /// Takes it out again.
    void hide();
    bool isShown() const { return m_shown; }

    const QIcon& picture() const { return m_picture; }
    void setPicture(const QIcon& picture);
    QString toolTip() const { return m_toolTip; }
    /// Cut to kMaxToolTip characters, never within one.
    void setToolTip(const QString& text);
    QMenu* menu() const { return m_menu; }
    /// The menu a context click opens at the pointer; the icon does not own it.
    void setMenu(QMenu* menu) { m_menu = menu; }

    ClickEvent onClick;
    ClickEvent onDoubleClick;
    /// Runs once the menu, if any, has closed, with where the pointer was at the click.
    ContextClickEvent onContextClick;

private:
    void clicked(platform::IconClick click);
    void contextClicked();
    void update();

    platform::NotificationArea& m_area;
    QIcon m_picture;
    QString m_toolTip;
    bool m_shown = false;
    // Cleared by itself should the menu go first, so a click can never reach a dead menu.
    QPointer<QMenu> m_menu;
};

} // namespace korv
