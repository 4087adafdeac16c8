// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's notification-area icon.
#include "appicon.h"
#include "korvform.h"
#include "trayicon.h"

namespace korv {

void TKorvForm::loadTrayIcon() {
    TrayIcon1 = new TrayIcon(this, m_platform.notificationArea);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setPicture(appIcon());
    TrayIcon1->setToolTip(QStringLiteral("Korvani by the Korvani developers"));
    TrayIcon1->onClick = [this] { guarded([&] { Restore1Click(); }); };
    TrayIcon1->onDoubleClick = [this] { guarded([&] { Restore1Click(); }); };
    TrayIcon1->show();
}

} // namespace korv
