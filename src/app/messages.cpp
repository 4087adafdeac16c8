#include "messages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>

namespace korv {
namespace {

// Ctrl+C copies the caption and the text, so that a message can be passed on word for word.
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
    CopyableBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok);
    execCentred(box);
}

void QtMessageBoxes::showError(const QString& text) {
    CopyableBox box(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok);
    execCentred(box);
}

QString errorBoxText(const std::exception& error) {
    return QString::fromUtf8(error.what()) + QLatin1Char('.');
}

} // namespace korv
