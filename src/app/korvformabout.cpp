// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPointer>
#include <QPushButton>

#include "aboutbox.h"
#include "allsymbolspanel.h"
#include "korvform.h"
#include "symbolgrid.h"

namespace korv {

void TKorvForm::AboutClick() {
    AboutContext context{
        AutoPaste,
        UseUnicodeFont,
        ShowHints,
        Homepage,
        settingsPath(),
        m_exeFolder,
        m_platform.launcher,
        m_platform.admin,
        cursor(kHandCursor),
        [this](bool showHints, bool autoPaste) {
            for (SymbolGrid* panel : {IPAPanel, DiacriticsPanel1, AdditionalPanel}) {
                panel->setShowHint(showHints);
            }
            if (AllPanel != nullptr) {
                AllPanel->setShowHint(showHints);
            }
            BtnCopy->setText(autoPaste ? QStringLiteral("Paste") : QStringLiteral("Copy"));
        },
        [this](const std::function<void()>& handler) { guarded(handler); },
    };
    // Owned by the application, not by this window; closing it asks for its deletion, which
    // may already have happened by the time exec() returns.
    QPointer<TAboutBox> box = new TAboutBox(std::move(context));
    box->exec();
    delete box.data();
}

} // namespace korv
