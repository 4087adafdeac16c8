#pragma once

#include <QObject>

namespace korv {

/// The notification-area icon.
class TTrayIcon final : public QObject {
public:
    using QObject::QObject;
};

} // namespace korv
