// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace korv::platform {
namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kNotificationsService = QStringLiteral("org.freedesktop.Notifications");

// A hung service must not freeze the window for D-Bus's default 25 seconds.
constexpr int kCallTimeoutMs = 1000;

// The session bus where service is on it; nothing otherwise.
std::optional<QDBusConnection> busWith(const QString& service) {
    if (!sessionBusExists()) {
        return std::nullopt;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (names == nullptr || !names->isServiceRegistered(service).value()) {
        return std::nullopt;
    }
    return bus;
}

} // namespace

// Without an address or a bus at the usual place, D-Bus would start a bus daemon of its own
// (autolaunch) that outlives the program: a session without a bus has no service on it either.
bool sessionBusExists() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

bool statusNotifierHostPresent() {
    std::optional<QDBusConnection> bus = busWith(kWatcherService);
    if (!bus) {
        return false;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherService, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus->call(get, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    return qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

bool sendDesktopNotification(const std::string& title, const std::string& text, int ms) {
    std::optional<QDBusConnection> bus = busWith(kNotificationsService);
    if (!bus) {
        return false;
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        kNotificationsService, QStringLiteral("/org/freedesktop/Notifications"),
        kNotificationsService, QStringLiteral("Notify"));
    notify << QStringLiteral("Korvani") << 0U << QString() << QString::fromStdString(title)
           << QString::fromStdString(text) << QStringList() << QVariantMap() << ms;
    // Nothing to wait for: the notice is shown or not, and the user goes on either way.
    return bus->send(notify);
}

} // namespace korv::platform
