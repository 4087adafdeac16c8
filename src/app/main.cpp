// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTimer>

#include "korvapplication.h"
#include "korvform.h"
#include "messages.h"
#include "nativeplatform.h"
#include "sessionend.h"
#include "settings/commandline.h"
#include "settings/inifile.h"
#include "settings/settingsfolder.h"

int main(int argc, char** argv) {
    korv::platform::chooseQtPlatform();
    // Qt takes no options from the user's arguments: only the first one counts, and only to the
    // program. Qt's environment variables still apply.
    char fallbackName[] = "korvani";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName, nullptr};
    korv::KorvApplication app(qtArgc, qtArgv);
    korv::QtMessageBoxes boxes;
    app.setMessageBoxes(&boxes);
    const bool hidden = korv::startHidden(argc, argv);
    korv::SessionEnd sessionEnd;

    const auto platform = korv::platform::makeNativePlatform();
    const std::string exeFolder = korv::executableFolder();
    korv::TKorvForm form(platform->platform(), boxes, {korv::settingsFolder(exeFolder), exeFolder});
    sessionEnd.setHandler([&form] { form.endSession(); });
    if (form.terminateRequested()) {
        // The start-up log could not be written: end as soon as the loop runs.
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    } else if (!hidden) {
        QTimer::singleShot(0, &form, [&form] { form.show(); });
    } else {
        // Hidden with no notification area to come back from, the user would be locked out.
        QTimer::singleShot(korv::TKorvForm::kTrayGraceMs, &form,
                           [&form] { form.ensureReachable(); });
    }
    return app.exec();
}
