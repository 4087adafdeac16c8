// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotificationarea.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

#include <vector>

#include "desktopbus.h"

namespace korv::platform {
namespace {

// Long enough to read a short line, short enough not to linger over the user's work.
constexpr int kNoticeMs = 4000;

} // namespace

// Follows the left button through the whole application: the tray icon's widget is Qt's own.
class DesktopNotificationArea::ReleaseWatch final : public QObject {
public:
    explicit ReleaseWatch(DesktopNotificationArea& area)
        : m_area(area) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        if (type == QEvent::MouseButtonRelease) {
            const auto* widget = qobject_cast<const QWidget*>(watched);
            m_area.released(watched, widget == nullptr ||
                                         widget->rect().contains(mouse->position().toPoint()));
        } else {
            m_area.pressed(watched);
        }
        return false;
    }

private:
    DesktopNotificationArea& m_area;
};

DesktopNotificationArea::DesktopNotificationArea() = default;

DesktopNotificationArea::~DesktopNotificationArea() = default;

void DesktopNotificationArea::pressed(QObject* target) {
    m_pressTarget = target;
    m_awaitRelease = nullptr;
}

void DesktopNotificationArea::released(QObject* target, bool inside) {
    if (m_awaitRelease == nullptr || target != m_awaitRelease) {
        return;
    }
    m_awaitRelease = nullptr;
    // A button let go away from the icon is a click taken back.
    if (inside && m_icon) {
        report(IconClick::Click);
    }
}

void DesktopNotificationArea::showIcon(const std::string& toolTip, const QIcon& picture) {
    if (!m_icon) {
        m_icon = std::make_unique<Icon>();
        // Registered with every watcher that comes, so a panel that starts later shows it too.
        m_icon->item = std::make_unique<StatusNotifierItem>(
            [this](StatusNotifierItem::Request request, int, int) { requested(request); },
            [this] { hostsChanged(); });
        m_statusNotifierHost = statusNotifierHostPresent();
    }
    m_icon->picture = picture;
    m_icon->item->setIcon(picture);
    m_icon->toolTip = QString::fromStdString(toolTip);
    m_icon->item->setToolTip(m_icon->toolTip);
    showEmbedded(*m_icon);
}

void DesktopNotificationArea::hideIcon() {
    if (!m_icon) {
        return;
    }
    QSystemTrayIcon* tray = m_icon->tray.release();
    m_icon.reset();
    if (tray == nullptr) {
        return;
    }
    tray->hide();
    // The icon may be hidden by a handler of its own click.
    if (m_delivering > 0) {
        tray->deleteLater();
    } else {
        delete tray;
    }
}

void DesktopNotificationArea::showEmbedded(Icon& icon) {
    // Where a StatusNotifier host shows the item, an embedded icon would show it twice; without
    // a picture there is nothing to draw, and Qt warns when asked to show one.
    const bool wanted = hasEmbeddedTrays() && !m_statusNotifierHost && !icon.picture.isNull();
    if (!icon.tray) {
        // Qt settles at its first tray icon, once per process, whether its icons go to a
        // StatusNotifier host or into XEmbed trays: made while no such host is there, they go
        // into trays, which the item leaves to Qt.
        if (!wanted) {
            return;
        }
        if (!m_releaseWatch && QCoreApplication::instance() != nullptr) {
            m_releaseWatch = std::make_unique<ReleaseWatch>(*this);
            QCoreApplication::instance()->installEventFilter(m_releaseWatch.get());
        }
        icon.tray = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icon.tray.get(), &QSystemTrayIcon::activated, icon.tray.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
    }
    icon.tray->setIcon(icon.picture);
    icon.tray->setToolTip(icon.toolTip);
    icon.tray->setVisible(wanted);
}

void DesktopNotificationArea::hostsChanged() {
    m_statusNotifierHost = statusNotifierHostPresent();
    if (m_icon) {
        showEmbedded(*m_icon);
    }
}

void DesktopNotificationArea::requested(StatusNotifierItem::Request request) {
    // A host reports a whole click, the button already up.
    switch (request) {
    case StatusNotifierItem::Request::Activate:
        report(IconClick::Click);
        break;
    case StatusNotifierItem::Request::ContextMenu:
        report(IconClick::ContextClick);
        break;
    case StatusNotifierItem::Request::SecondaryActivate:
        break;
    }
}

void DesktopNotificationArea::activated(QSystemTrayIcon::ActivationReason reason) {
    // Qt reports a press; a click counts on the release. A double click arrives as Trigger for
    // the first press and DoubleClick for the second, reported as double click and click. The
    // middle button raises nothing. While the left button is down over the icon's own widget,
    // its release is awaited; an activation that comes without one (a notifier host over D-Bus)
    // is a whole click already.
    const bool buttonDown =
        (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0 && m_pressTarget != nullptr &&
        (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick);
    if (buttonDown) {
        m_awaitRelease = m_pressTarget;
    }
    std::vector<IconClick> clicks;
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (!buttonDown) {
            clicks = {IconClick::Click};
        }
        break;
    case QSystemTrayIcon::DoubleClick:
        clicks = {IconClick::DoubleClick};
        if (!buttonDown) {
            clicks.push_back(IconClick::Click);
        }
        break;
    case QSystemTrayIcon::Context:
        clicks = {IconClick::ContextClick};
        break;
    default:
        break;
    }
    for (const IconClick click : clicks) {
        // Asked each time: a handler may have hidden the icon.
        if (!m_icon) {
            return;
        }
        report(click);
    }
}

void DesktopNotificationArea::report(IconClick click) {
    if (!m_onClick) {
        return;
    }
    // Copied: the handler may replace itself.
    const ClickHandler handler = m_onClick;
    struct Depth {
        int& depth;
        explicit Depth(int& d)
            : depth(++d) {}
        ~Depth() { --depth; }
    } depth(m_delivering);
    handler(click);
}

bool DesktopNotificationArea::isAvailable() const {
    // Asked anew each time: Qt's own answer stays true after an XEmbed tray has gone.
    return statusNotifierHostPresent() || embeddedTrayPresent();
}

bool DesktopNotificationArea::showNotice(const std::string& title, const std::string& text) {
    // A StatusNotifier icon's balloon is itself a desktop notification; an XEmbed tray's is a
    // tooltip-like window beside the icon, which takes no focus.
    QSystemTrayIcon* tray = trayIcon();
    if (tray != nullptr && tray->isVisible() && embeddedTrayPresent()) {
        tray->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                          QSystemTrayIcon::Information, kNoticeMs);
        return true;
    }
    return sendDesktopNotification(title, text, kNoticeMs);
}

ScreenPoint DesktopNotificationArea::pointerPosition() const {
    const QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

QSystemTrayIcon* DesktopNotificationArea::trayIcon() const {
    return m_icon ? m_icon->tray.get() : nullptr;
}

StatusNotifierItem* DesktopNotificationArea::statusNotifierItem() const {
    return m_icon ? m_icon->item.get() : nullptr;
}

} // namespace korv::platform
