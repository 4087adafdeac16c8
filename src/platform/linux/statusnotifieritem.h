// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

#include <functional>
#include <memory>

namespace korv::platform {

/// One icon offered to StatusNotifier hosts on the session bus, on a connection of its own: it
/// registers with every StatusNotifierWatcher that comes, at any time while it lives, and
/// reports what the host asks of it.
class StatusNotifierItem final {
public:
    enum class Request { Activate, SecondaryActivate, ContextMenu };
    // Called from the event loop, never from inside the bus's own dispatch.
    using RequestHandler = std::function<void(Request request, int x, int y)>;
    // Called whenever a watcher or a host came or went.
    using WatcherHandler = std::function<void()>;

    StatusNotifierItem(RequestHandler onRequest, WatcherHandler onWatcher);
    ~StatusNotifierItem();
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    void setIcon(const QIcon& icon);
    void setToolTip(const QString& text);
    /// The bus name hosts know the item by; empty when there is no session bus.
    QString serviceName() const;

private:
    class Object;
    std::unique_ptr<Object> m_object;
};

} // namespace korv::platform
