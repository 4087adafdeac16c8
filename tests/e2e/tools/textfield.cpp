// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the application the user works in: one text field in a window titled by the
// first argument. Each change of the text is printed as "text <hex of its UTF-8> <steady clock in
// ns>", so that tests can follow it from the output without escaping trouble, and time it; each
// change of the window's activation as "active 1" or "active 0", and each release of Ctrl as
// "release control".

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace {

// Tells each release of Ctrl: the last key of a paste, after which the sender is through.
class ControlReleases final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control) {
            std::printf("release control\n");
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLineEdit field;
    ControlReleases releases;
    field.installEventFilter(&releases);
    field.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("textfield"));
    field.setMinimumWidth(320);
    const auto report = [](const QString& text) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("text %s %lld\n", text.toUtf8().toHex().constData(),
                    static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
    };
    QObject::connect(&field, &QLineEdit::textChanged, report);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] { report(field.text()); });
    QObject::connect(&app, &QGuiApplication::focusWindowChanged, [](QWindow* window) {
        std::printf("active %d\n", window != nullptr ? 1 : 0);
        std::fflush(stdout);
    });
    report(field.text());
    field.move(40, 40);
    field.show();
    return app.exec();
}
