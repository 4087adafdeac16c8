// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up floor: the least a Qt window of Korvani's size showing one line of text costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.setFixedSize(331, 226);
    QLabel label(QStringLiteral("The quick brown fox jumps over the lazy dog"), &window);
    label.move(8, 10);
    window.show();
    return app.exec();
}
