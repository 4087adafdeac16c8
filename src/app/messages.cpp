#include "messages.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace korv {
namespace {

void execCentred(QMessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
    box.exec();
}

} // namespace

void QtMessageBoxes::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok);
    execCentred(box);
}

void QtMessageBoxes::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok);
    execCentred(box);
}

QString errorBoxText(const std::exception& error) {
    return QString::fromUtf8(error.what()) + QLatin1Char('.');
}

} // namespace korv
