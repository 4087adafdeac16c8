// SPDX-License-Identifier: GPL-3.0-or-later
// For the end-to-end tests: a desktop's notification area and notification service on the
// session bus, as far as a tray icon uses them. It owns org.kde.StatusNotifierWatcher (with a
// host registered) and org.freedesktop.Notifications, and prints one line per event:
//   item SERVICE PATH        an icon registered; Activate it there with dbus-send
//   notify SUMMARY<TAB>BODY  a notification was asked for
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class Watcher final : public QDBusVirtualObject {
public:
    // Qt's tray reads the watcher's properties through an introspected interface.
    QString introspect(const QString& path) const override {
        if (path == "/org/freedesktop/Notifications") {
            return "<interface name=\"org.freedesktop.Notifications\">"
                   "<method name=\"Notify\"><arg type=\"s\"/><arg type=\"u\"/><arg type=\"s\"/>"
                   "<arg type=\"s\"/><arg type=\"s\"/><arg type=\"as\"/><arg type=\"a{sv}\"/>"
                   "<arg type=\"i\"/><arg type=\"u\" direction=\"out\"/></method>"
                   "<method name=\"GetCapabilities\"><arg type=\"as\" direction=\"out\"/></method>"
                   "<method name=\"CloseNotification\"><arg type=\"u\"/></method>"
                   "</interface>";
        }
        return "<interface name=\"org.kde.StatusNotifierWatcher\">"
               "<method name=\"RegisterStatusNotifierItem\"><arg type=\"s\"/></method>"
               "<method name=\"RegisterStatusNotifierHost\"><arg type=\"s\"/></method>"
               "<property name=\"RegisteredStatusNotifierItems\" type=\"as\" access=\"read\"/>"
               "<property name=\"IsStatusNotifierHostRegistered\" type=\"b\" access=\"read\"/>"
               "<property name=\"ProtocolVersion\" type=\"i\" access=\"read\"/>"
               "<signal name=\"StatusNotifierItemRegistered\"><arg type=\"s\"/></signal>"
               "<signal name=\"StatusNotifierItemUnregistered\"><arg type=\"s\"/></signal>"
               "<signal name=\"StatusNotifierHostRegistered\"/>"
               "</interface>";
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
        const QString member = message.member();
        const QVariantList args = message.arguments();
        if (message.interface() == kProperties && (member == "Get" || member == "GetAll")) {
            const QVariantMap all{{"IsStatusNotifierHostRegistered", true},
                                  {"ProtocolVersion", 0},
                                  {"RegisteredStatusNotifierItems", m_items}};
            if (member == "GetAll") {
                return bus.send(message.createReply(QVariant::fromValue(all)));
            }
            const QVariant value = all.value(args.value(1).toString());
            return bus.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
        }
        if (member == "RegisterStatusNotifierItem") {
            // Either a bus name (the item at the usual path) or a path on the caller's name.
            const QString given = args.value(0).toString();
            const bool isPath = given.startsWith('/');
            const QString service = isPath ? message.service() : given;
            const QString path = isPath ? given : QStringLiteral("/StatusNotifierItem");
            m_items << service + path;
            say("item " + service + " " + path);
            QDBusMessage signal = QDBusMessage::createSignal("/StatusNotifierWatcher", kWatcher,
                                                             "StatusNotifierItemRegistered");
            signal << service + path;
            bus.send(signal);
            return bus.send(message.createReply());
        }
        if (member == "RegisterStatusNotifierHost") {
            return bus.send(message.createReply());
        }
        if (member == "Notify") {
            say("notify " + args.value(3).toString() + "\t" + args.value(4).toString());
            return bus.send(message.createReply(QVariant::fromValue(++m_notices)));
        }
        if (member == "GetCapabilities") {
            return bus.send(message.createReply(QStringList{"body"}));
        }
        if (member == "GetServerInformation") {
            return bus.send(
                message.createReply(QVariantList{"stand-in", "korvani tests", "1", "1.2"}));
        }
        if (member == "CloseNotification") {
            return bus.send(message.createReply());
        }
        return false;
    }

private:
    QStringList m_items;
    uint m_notices = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    if (!bus.registerVirtualObject("/StatusNotifierWatcher", &watcher) ||
        !bus.registerVirtualObject("/org/freedesktop/Notifications", &watcher) ||
        !bus.registerService(kNotifications) || !bus.registerService(kWatcher)) {
        std::fprintf(stderr, "statusnotifier: cannot serve on the session bus\n");
        return 1;
    }
    say("ready");
    return app.exec();
}
