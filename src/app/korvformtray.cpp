// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's notification-area icon, with its stored values in their stored order.
#include "appicon.h"
#include "korvform.h"
#include "trayicon.h"

namespace korv {

void TKorvForm::loadTrayIcon() {
    TrayIcon1 = new TTrayIcon(this, m_platform.notifyShell);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setActive(true);
    TrayIcon1->setShowDesigning(false);
    TrayIcon1->readIcon(appIcon());
    TrayIcon1->setShowApp(false);
    TrayIcon1->setToolTip(QStringLiteral("Korvani by the Korvani developers"));
    TrayIcon1->OnClick = [this](QObject*) { guarded([&] { Restore1Click(); }); };
    TrayIcon1->OnDblClick = [this](QObject*) { guarded([&] { Restore1Click(); }); };
    TrayIcon1->Loaded();
}

} // namespace korv
