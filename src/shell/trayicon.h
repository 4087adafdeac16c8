// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "notifyshell.h"

namespace korv {

/// An icon with a tooltip in the notification area: clicks on it become events, and it can
/// keep a second instance of the program from running. Properties act when assigned, in the
/// order the owner assigns them; Loaded runs once they all are.
class TTrayIcon final : public QObject {
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers shift, int x, int y)>;

    // The longest tooltip: with its terminating zero it fills at most 63 of the tip's 64 bytes.
    static constexpr qsizetype kMaxToolTip = 62;
    // The hidden window's own messages.
    static constexpr std::uint32_t kCallbackMessage = platform::WM_USER + 1;
    static constexpr std::uint32_t kRefreshMessage = platform::WM_USER + 2;

    TTrayIcon(QObject* owner, platform::NotifyShell& shell);
    ~TTrayIcon() override;
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Runs once the owner has assigned the stored values.
    void Loaded();

    bool Active() const { return m_active; }
    void setActive(bool value);
    bool ShowApp() const { return m_showApp; }
    void setShowApp(bool value);
    // Only a form designer acts on it; a running program never is one, so it stays false.
    bool ShowDesigning() const { return false; }
    void setShowDesigning(bool value);
    const QIcon& Icon() const { return m_icon; }
    void setIcon(const QIcon& icon);
    // Reads a stored picture into Icon in place, as loading a window does: the shell hears of it
    // with the next update.
    void readIcon(const QIcon& icon);
    QString ToolTip() const { return m_toolTip; }
    void setToolTip(const QString& text);
    QString IDMessage() const { return m_idMessage; }
    void setIDMessage(const QString& name) { m_idMessage = name; }
    QMenu* PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnRightClick;

    // The record as last filled, the hidden window it names, and the message registered under
    // IDMessage (0 while there is none).
    const platform::NotifyIconData& iconData() const { return m_data; }
    platform::WindowHandle windowHandle() const;
    std::uint32_t registeredMessage() const { return m_registeredMessage; }

private:
    class IconWindow;

    std::intptr_t IconWindowProc(std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam);
    void FillIconData();
    bool AddIcon();
    bool UpdateIcon();
    bool RemoveIcon();
    void HandleRightClick();
    void AnnounceInstance();
    void postRefresh();

    platform::NotifyShell& m_shell;
    platform::GuardHandle m_guard = 0;
    platform::NotifyIconData m_data;
    QIcon m_icon;
    QString m_toolTip;
    std::unique_ptr<IconWindow> m_window;
    bool m_active = false;
    bool m_showApp = false;
    QString m_idMessage;
    // Cleared by itself should the menu go first, so a right click can never reach a dead menu.
    QPointer<QMenu> m_popupMenu;
    std::uint32_t m_registeredMessage = 0;
};

} // namespace korv
