// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopsummon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

#include "desktopbus.h"

namespace korv::platform {
namespace {

// The application id, as the menu entry and the window's desktop file name spell it.
const QString kService = QStringLiteral("org.example.korvani");
const QString kPath = QStringLiteral("/org/example/korvani");
const QString kInterface = QStringLiteral("org.freedesktop.Application");

// A copy that is stuck (a debugger, a hung X server) must not hold the summoning start for long.
constexpr int kSendTimeoutMs = 3000;

std::optional<SummonRequest> requestFor(const QDBusMessage& message) {
    if (message.interface() != kInterface) {
        return std::nullopt;
    }
    if (message.member() == QLatin1String("Activate")) {
        return SummonRequest::Show;
    }
    const QVariantList args = message.arguments();
    if (message.member() == QLatin1String("ActivateAction") && !args.isEmpty()) {
        const QString action = args.constFirst().toString();
        if (action == QLatin1String("toggle")) {
            return SummonRequest::Toggle;
        }
        if (action == QLatin1String("show")) {
            return SummonRequest::Show;
        }
    }
    return std::nullopt;
}

} // namespace

// Answers on the bus without moc: a virtual object sees every call to its path.
class DesktopSummonChannel::Listener final : public QDBusVirtualObject {
public:
    explicit Listener(Handler handler)
        : m_handler(std::move(handler)) {}

    QString introspect(const QString&) const override {
        return QStringLiteral(
            "<interface name=\"org.freedesktop.Application\">"
            "<method name=\"Activate\"><arg type=\"a{sv}\" direction=\"in\"/></method>"
            "<method name=\"ActivateAction\"><arg type=\"s\" direction=\"in\"/>"
            "<arg type=\"av\" direction=\"in\"/><arg type=\"a{sv}\" direction=\"in\"/></method>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const std::optional<SummonRequest> request = requestFor(message);
        if (!request) {
            return false; // the bus answers with an error of its own
        }
        // Answer first: the summoning start may end while the window comes up.
        connection.send(message.createReply());
        m_handler(*request);
        return true;
    }

private:
    Handler m_handler;
};

DesktopSummonChannel::DesktopSummonChannel() = default;

DesktopSummonChannel::~DesktopSummonChannel() {
    if (m_listener) {
        QDBusConnection::sessionBus().unregisterObject(kPath);
    }
}

bool DesktopSummonChannel::listen(Handler handler) {
    if (!sessionBusExists()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr) {
        return false;
    }
    auto listener = std::make_unique<Listener>(std::move(handler));
    if (!bus.registerVirtualObject(kPath, listener.get())) {
        return false;
    }
    m_listener = std::move(listener);
    // A plain start beside a running copy is allowed: it waits in line for the name.
    bus.interface()->registerService(kService, QDBusConnectionInterface::QueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
    return true;
}

SummonResult DesktopSummonChannel::send(SummonRequest request) {
    if (!sessionBusExists()) {
        return SummonResult::NoChannel;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return SummonResult::NoChannel;
    }
    QDBusMessage call = request == SummonRequest::Toggle
                            ? QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                             QStringLiteral("ActivateAction"))
                                  << QStringLiteral("toggle") << QVariantList() << QVariantMap()
                            : QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                             QStringLiteral("Activate"))
                                  << QVariantMap();
    // Nothing is to be started for the name: without an owner, this start is the copy.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kSendTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return SummonResult::Delivered;
    }
    const QString error = reply.errorName();
    if (error == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        error == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        return SummonResult::NoneRunning;
    }
    return SummonResult::Failed;
}

} // namespace korv::platform
