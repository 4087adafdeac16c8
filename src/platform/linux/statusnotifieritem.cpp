// SPDX-License-Identifier: GPL-3.0-or-later
#include "statusnotifieritem.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>
#include <QtEndian>

#include <atomic>
#include <optional>

#include <unistd.h>

#include "desktopbus.h"

namespace {

// One picture as the item's properties carry it: ARGB32 in network byte order.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
};
using SniPixmaps = QList<SniPixmap>;

struct SniToolTip {
    QString iconName;
    SniPixmaps pixmaps;
    QString title;
    QString text;
};

} // namespace

Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)

namespace {

QDBusArgument& operator<<(QDBusArgument& out, const SniPixmap& pixmap) {
    out.beginStructure();
    out << pixmap.width << pixmap.height << pixmap.argb;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, SniPixmap& pixmap) {
    in.beginStructure();
    in >> pixmap.width >> pixmap.height >> pixmap.argb;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const SniToolTip& tip) {
    out.beginStructure();
    out << tip.iconName << tip.pixmaps << tip.title << tip.text;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, SniToolTip& tip) {
    in.beginStructure();
    in >> tip.iconName >> tip.pixmaps >> tip.title >> tip.text;
    in.endStructure();
    return in;
}

const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// The sizes panels draw at; a host picks the nearest.
constexpr int kPixmapSizes[] = {16, 22, 24, 32, 48};

SniPixmaps pixmapsOf(const QIcon& icon) {
    SniPixmaps pixmaps;
    if (icon.isNull()) {
        return pixmaps;
    }
    for (const int size : kPixmapSizes) {
        const QImage image =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            continue;
        }
        SniPixmap pixmap{image.width(), image.height(), {}};
        pixmap.argb.resize(static_cast<qsizetype>(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<quint32*>(pixmap.argb.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                *out++ = qToBigEndian(line[x]);
            }
        }
        pixmaps.push_back(std::move(pixmap));
    }
    return pixmaps;
}

void registerTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<SniPixmap>();
        qDBusRegisterMetaType<SniPixmaps>();
        qDBusRegisterMetaType<SniToolTip>();
        return true;
    }();
    (void)registered;
}

} // namespace

namespace korv::platform {

class StatusNotifierItem::Object final : public QDBusVirtualObject {
public:
    Object(RequestHandler onRequest, WatcherHandler onWatcher)
        : m_onRequest(std::move(onRequest))
        , m_onWatcher(std::move(onWatcher)) {}

    ~Object() override {
        m_watcher.reset();
        m_hostTimer.reset();
        if (!m_connectionName.isEmpty()) {
            QDBusConnection bus(m_connectionName);
            bus.unregisterObject(kItemPath);
            bus.unregisterService(m_service);
            // Gone from the bus, the item leaves every host's notification area with it.
            QDBusConnection::disconnectFromBus(m_connectionName);
        }
    }

    void start() {
        if (!sessionBusExists()) {
            return;
        }
        registerTypes();
        static std::atomic<int> counter{0};
        const int number = ++counter;
        m_connectionName = QStringLiteral("korvani-statusnotifier-%1").arg(number);
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName);
        m_service = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(number);
        if (!bus.isConnected() || !bus.registerService(m_service) ||
            !bus.registerVirtualObject(kItemPath, this)) {
            QDBusConnection::disconnectFromBus(m_connectionName);
            m_connectionName.clear();
            m_service.clear();
            return;
        }
        // A panel that starts or restarts brings a new watcher, which knows nothing of the item.
        m_watcher =
            std::make_unique<QDBusServiceWatcher>(kWatcherService, bus,
                                                  QDBusServiceWatcher::WatchForRegistration |
                                                      QDBusServiceWatcher::WatchForUnregistration);
        QObject::connect(m_watcher.get(), &QDBusServiceWatcher::serviceRegistered, m_watcher.get(),
                         [this] {
                             announce();
                             watcherChanged();
                         });
        QObject::connect(m_watcher.get(), &QDBusServiceWatcher::serviceUnregistered,
                         m_watcher.get(), [this] { watcherChanged(); });
        // A desktop may start its watcher and the host that shows the items apart; the watcher
        // tells when a host comes or goes. Its signals reach a timer's slot, which needs no
        // meta-object of this class's own.
        m_hostTimer = std::make_unique<QTimer>();
        m_hostTimer->setSingleShot(true);
        QObject::connect(m_hostTimer.get(), &QTimer::timeout, m_hostTimer.get(),
                         [this] { watcherChanged(); });
        for (const char* signal :
             {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
            bus.connect(kWatcherService, QStringLiteral("/StatusNotifierWatcher"), kWatcherService,
                        QLatin1String(signal), m_hostTimer.get(), SLOT(start()));
        }
        announce();
    }

    QString service() const { return m_service; }

    void setIcon(const QIcon& icon) {
        // Drawn when a host first asks: beside an XEmbed tray no host ever does.
        m_icon = icon;
        m_pixmaps.reset();
        emitSignal(QStringLiteral("NewIcon"));
    }

    void setToolTip(const QString& text) {
        if (text == m_toolTip) {
            return;
        }
        m_toolTip = text;
        emitSignal(QStringLiteral("NewToolTip"));
        emitSignal(QStringLiteral("NewTitle"));
    }

    QString introspect(const QString&) const override {
        return QStringLiteral(
            "<interface name=\"org.kde.StatusNotifierItem\">"
            "<property name=\"Category\" type=\"s\" access=\"read\"/>"
            "<property name=\"Id\" type=\"s\" access=\"read\"/>"
            "<property name=\"Title\" type=\"s\" access=\"read\"/>"
            "<property name=\"Status\" type=\"s\" access=\"read\"/>"
            "<property name=\"WindowId\" type=\"i\" access=\"read\"/>"
            "<property name=\"IconName\" type=\"s\" access=\"read\"/>"
            "<property name=\"IconThemePath\" type=\"s\" access=\"read\"/>"
            "<property name=\"IconPixmap\" type=\"a(iiay)\" access=\"read\"/>"
            "<property name=\"OverlayIconName\" type=\"s\" access=\"read\"/>"
            "<property name=\"OverlayIconPixmap\" type=\"a(iiay)\" access=\"read\"/>"
            "<property name=\"AttentionIconName\" type=\"s\" access=\"read\"/>"
            "<property name=\"AttentionIconPixmap\" type=\"a(iiay)\" access=\"read\"/>"
            "<property name=\"AttentionMovieName\" type=\"s\" access=\"read\"/>"
            "<property name=\"ToolTip\" type=\"(sa(iiay)ss)\" access=\"read\"/>"
            "<property name=\"ItemIsMenu\" type=\"b\" access=\"read\"/>"
            "<method name=\"Activate\"><arg type=\"i\"/><arg type=\"i\"/></method>"
            "<method name=\"SecondaryActivate\"><arg type=\"i\"/><arg type=\"i\"/></method>"
            "<method name=\"ContextMenu\"><arg type=\"i\"/><arg type=\"i\"/></method>"
            "<method name=\"Scroll\"><arg type=\"i\"/><arg type=\"s\"/></method>"
            "<signal name=\"NewTitle\"/><signal name=\"NewIcon\"/>"
            "<signal name=\"NewToolTip\"/><signal name=\"NewStatus\"><arg type=\"s\"/></signal>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
        const QString member = message.member();
        const QVariantList args = message.arguments();
        if (message.interface() == kPropertiesInterface) {
            const QVariantMap all = properties();
            if (member == QLatin1String("GetAll")) {
                return bus.send(message.createReply(QVariant::fromValue(all)));
            }
            if (member == QLatin1String("Get") && all.contains(args.value(1).toString())) {
                const QVariant value = all.value(args.value(1).toString());
                return bus.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
            }
            return bus.send(message.createErrorReply(QDBusError::InvalidArgs, member));
        }
        Request request{};
        if (member == QLatin1String("Activate")) {
            request = Request::Activate;
        } else if (member == QLatin1String("SecondaryActivate")) {
            request = Request::SecondaryActivate;
        } else if (member == QLatin1String("ContextMenu")) {
            request = Request::ContextMenu;
        } else if (member == QLatin1String("Scroll")) {
            return bus.send(message.createReply());
        } else {
            return false;
        }
        const int x = args.value(0).toInt();
        const int y = args.value(1).toInt();
        bus.send(message.createReply());
        // The handler may end the item; it runs once the bus is done with this message.
        QTimer::singleShot(0, m_watcher.get(), [this, request, x, y] {
            // Copied: the handler may end the item, and this object with it.
            const RequestHandler handler = m_onRequest;
            if (handler) {
                handler(request, x, y);
            }
        });
        return true;
    }

private:
    QVariantMap properties() const {
        const QString title = m_toolTip.isEmpty() ? QCoreApplication::applicationName() : m_toolTip;
        return {
            {QStringLiteral("Category"), QStringLiteral("ApplicationStatus")},
            {QStringLiteral("Id"), QStringLiteral("korvani")},
            {QStringLiteral("Title"), title},
            {QStringLiteral("Status"), QStringLiteral("Active")},
            {QStringLiteral("WindowId"), 0},
            {QStringLiteral("IconName"), QString()},
            {QStringLiteral("IconThemePath"), QString()},
            {QStringLiteral("IconPixmap"), QVariant::fromValue(pixmaps())},
            {QStringLiteral("OverlayIconName"), QString()},
            {QStringLiteral("OverlayIconPixmap"), QVariant::fromValue(SniPixmaps())},
            {QStringLiteral("AttentionIconName"), QString()},
            {QStringLiteral("AttentionIconPixmap"), QVariant::fromValue(SniPixmaps())},
            {QStringLiteral("AttentionMovieName"), QString()},
            {QStringLiteral("ToolTip"),
             QVariant::fromValue(SniToolTip{QString(), {}, m_toolTip, QString()})},
            {QStringLiteral("ItemIsMenu"), false},
        };
    }

    const SniPixmaps& pixmaps() const {
        if (!m_pixmaps) {
            m_pixmaps = pixmapsOf(m_icon);
        }
        return *m_pixmaps;
    }

    void emitSignal(const QString& name) {
        if (m_connectionName.isEmpty()) {
            return;
        }
        QDBusConnection(m_connectionName)
            .send(QDBusMessage::createSignal(kItemPath, kItemInterface, name));
    }

    void announce() {
        QDBusConnection bus(m_connectionName);
        QDBusMessage call = QDBusMessage::createMethodCall(
            kWatcherService, QStringLiteral("/StatusNotifierWatcher"), kWatcherService,
            QStringLiteral("RegisterStatusNotifierItem"));
        call << m_service;
        // Nothing to wait for: a watcher that refuses leaves the item where it was, unseen.
        bus.send(call);
    }

    void watcherChanged() {
        if (m_onWatcher) {
            m_onWatcher();
        }
    }

    RequestHandler m_onRequest;
    WatcherHandler m_onWatcher;
    QString m_connectionName;
    QString m_service;
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
    std::unique_ptr<QTimer> m_hostTimer;
    QIcon m_icon;
    mutable std::optional<SniPixmaps> m_pixmaps;
    QString m_toolTip;
};

StatusNotifierItem::StatusNotifierItem(RequestHandler onRequest, WatcherHandler onWatcher)
    : m_object(std::make_unique<Object>(std::move(onRequest), std::move(onWatcher))) {
    m_object->start();
}

StatusNotifierItem::~StatusNotifierItem() = default;

void StatusNotifierItem::setIcon(const QIcon& icon) {
    m_object->setIcon(icon);
}

void StatusNotifierItem::setToolTip(const QString& text) {
    m_object->setToolTip(text);
}

QString StatusNotifierItem::serviceName() const {
    return m_object->service();
}

} // namespace korv::platform
