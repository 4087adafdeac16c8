// SPDX-License-Identifier: GPL-3.0-or-later
// For the end-to-end tests: answers each line read with 1 or 0, whether a tray host is present.
#include <QApplication>

#include <iostream>
#include <string>

#include "x11notificationarea.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    korv::platform::X11NotificationArea area;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::cout << (area.isAvailable() ? 1 : 0) << std::endl;
    }
    return 0;
}
