#include "desktoplauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <QUrl>

namespace korv::platform {

void DesktopLauncher::openAddress(const std::string& address) {
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(address));
    if (url.isValid() && !url.isEmpty()) {
        QDesktopServices::openUrl(url);
    }
}

void DesktopLauncher::startProgram(const std::string& path) {
    QProcess::startDetached(QString::fromStdString(path), {});
}

} // namespace korv::platform
