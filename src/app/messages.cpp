// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>

namespace korv {
namespace {

class CopyableBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(windowTitle() + QStringLiteral("\n\n") + text());
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
};

} // namespace

void execMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    CopyableBox box(icon, title, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
    box.exec();
}

void QtMessageBoxes::showMessage(const QString& text) {
    execMessageBox(QMessageBox::Warning, kAppTitle, text);
}

void QtMessageBoxes::showError(const QString& text) {
    execMessageBox(QMessageBox::Critical, kAppTitle, text);
}

QString errorBoxText(const std::exception& error) {
    return QString::fromUtf8(error.what()) + QLatin1Char('.');
}

} // namespace korv
