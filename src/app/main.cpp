#include <QTimer>

#include "korvapplication.h"
#include "korvform.h"
#include "messages.h"
#include "nativeplatform.h"
#include "settings/inifile.h"

int main(int argc, char** argv) {
    korv::platform::chooseQtPlatform();
    korv::KorvApplication app(argc, argv);
    korv::QtMessageBoxes boxes;
    app.setMessageBoxes(&boxes);
    const bool hidden = korv::startHidden(argc, argv);

    const auto platform = korv::platform::makeNativePlatform();
    korv::TKorvForm form(platform->platform(), boxes, korv::executableFolder());
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
