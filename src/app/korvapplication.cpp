// SPDX-License-Identifier: GPL-3.0-or-later
#include "korvapplication.h"

#include "messages.h"
#include "xsampa.h"

#include <string_view>

namespace korv {

KorvApplication::KorvApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("korvani"));
    setApplicationVersion(QStringLiteral("6.05"));
    // Desktops match the window to its installed menu entry by this name.
    setDesktopFileName(QStringLiteral("org.example.korvani"));
    setQuitOnLastWindowClosed(false);
}

bool KorvApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    if (m_boxes == nullptr) {
        return QApplication::notify(receiver, event);
    }
    runGuarded(*m_boxes, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool isXsampaCommand(int argc, const char* const* argv) {
    return argc >= 2 && argv[1] != nullptr && std::string_view(argv[1]) == "--xsampa";
}

int runXsampaCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc < 3) {
        std::fputs("usage: korvani --xsampa TEXT\n", err);
        return 2;
    }
    QString text;
    for (int i = 2; i < argc; ++i) {
        if (i > 2) {
            text += QLatin1Char(' ');
        }
        text += QString::fromLocal8Bit(argv[i]);
    }
    const QByteArray ipa =
        QString::fromStdU16String(xsampaToIpa(text.toStdU16String())).toUtf8() + '\n';
    std::fwrite(ipa.constData(), 1, static_cast<std::size_t>(ipa.size()), out);
    return std::fflush(out) == 0 ? 0 : 1;
}

} // namespace korv
