// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the application the user works in: one text field in a window titled by the
// first argument. Each change of the text is printed as "text <hex of its UTF-8> <steady clock in
// ns>", so that tests can follow it from the output without escaping trouble, and time it.

#include <QApplication>
#include <QLineEdit>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLineEdit field;
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
    report(field.text());
    field.move(40, 40);
    field.show();
    return app.exec();
}
