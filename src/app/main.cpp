// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTimer>

#include <malloc.h>

#include <cstdio>

#include "commandhelp.h"
#include "espeakengine.h"
#include "faceconfigloader.h"
#include "korvapplication.h"
#include "mainwindow.h"
#include "messages.h"
#include "nativeplatform.h"
#include "sessionend.h"
#include "settings/commandline.h"
#include "settings/inifile.h"
#include "settings/settingsfolder.h"
#include "transcribecommand.h"

int main(int argc, char** argv) {
    // Asked of a terminal, perhaps with no display at all.
    if (korv::isHelpCommand(argc, argv)) {
        return korv::runHelpCommand(stdout, stderr, true);
    }
    if (korv::isXsampaCommand(argc, argv)) {
        return korv::runXsampaCommand(argc, argv, stdin, stdout, stderr);
    }
    if (korv::isTranscribeCommand(argc, argv)) {
        return korv::runTranscribeCommand(argc, argv, stdin, stdout, stderr,
                                          &korv::EspeakEngine::load);
    }
    korv::platform::chooseQtPlatform();
#if defined(__GLIBC__)
    // The start's threads share the one heap: a heap of a thread's own keeps what the thread frees,
    // and the start's peak memory would grow by it.
    mallopt(M_ARENA_MAX, 1);
#endif
    korv::FaceConfigLoader faceConfig;
    // Qt takes no options from the user's arguments: only the first one counts, and only to the
    // program. Qt's environment variables still apply.
    char fallbackName[] = "korvani";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName, nullptr};
    korv::KorvApplication app(qtArgc, qtArgv);
    korv::QtMessageBoxes boxes;
    app.setMessageBoxes(&boxes);
    const korv::StartCommand command = korv::startCommand(argc, argv);
    korv::SessionEnd sessionEnd;

    const auto platform = korv::platform::makeNativePlatform();
    const bool summon =
        command == korv::StartCommand::Show || command == korv::StartCommand::Toggle;
    if (summon) {
        using korv::platform::SummonResult;
        switch (platform->platform().summon.send(command == korv::StartCommand::Toggle
                                                     ? korv::platform::SummonRequest::Toggle
                                                     : korv::platform::SummonRequest::Show)) {
        case SummonResult::Delivered:
            return 0;
        case SummonResult::NoneRunning:
            break;
        case SummonResult::NoChannel:
            std::fputs("korvani: no session bus to reach a running Korvani: starting one\n",
                       stderr);
            break;
        case SummonResult::Failed:
            std::fputs("korvani: the running Korvani does not answer: starting another\n", stderr);
            break;
        }
    }
    const std::string exeFolder = korv::executableFolder();
    faceConfig.wait();
    korv::MainWindow form(platform->platform(), boxes, {korv::settingsFolder(exeFolder), exeFolder},
                          &korv::EspeakEngine::load);
    sessionEnd.setHandler([&form] { form.endSession(); });
    if (form.terminateRequested()) {
        // The start-up log could not be written: end as soon as the loop runs.
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    } else {
        if (summon) {
            QTimer::singleShot(0, &form,
                               [&form] { form.summon(korv::platform::SummonRequest::Show); });
        } else if (command != korv::StartCommand::Hide) {
            // Shown before the loop starts, the window's remaining start-up work waits for its
            // first paint.
            form.show();
        } else {
            // Hidden with no notification area to come back from, the user would be locked out.
            QTimer::singleShot(korv::MainWindow::kTrayGraceMs, &form,
                               [&form] { form.ensureReachable(); });
        }
    }
    return app.exec();
}
