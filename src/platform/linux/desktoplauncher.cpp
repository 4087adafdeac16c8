// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktoplauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QUrl>

namespace korv::platform {

QUrl webAddress(const std::string& address) {
    // The address comes from a file anyone may edit: a local path or another scheme would
    // have the desktop open, or even run, a local file.
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(address));
    const QString scheme = url.scheme();
    const bool web = url.isValid() && !url.host().isEmpty() &&
                     (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
    return web ? url : QUrl();
}

void DesktopLauncher::openAddress(const std::string& address) {
    const QUrl url = webAddress(address);
    if (!url.isEmpty()) {
        QDesktopServices::openUrl(url);
    }
}

void DesktopLauncher::startProgram(const std::string& path) {
    // A bare name would be looked up along PATH; only the given file may run.
    const QString program = QString::fromStdString(path);
    if (QDir::isAbsolutePath(program)) {
        QProcess::startDetached(program, {});
    }
}

} // namespace korv::platform
