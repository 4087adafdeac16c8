// SPDX-License-Identifier: GPL-3.0-or-later
#include "korvapplication.h"

#include "messages.h"

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

} // namespace korv
