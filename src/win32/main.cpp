// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandhelp.h"
#include "mainwindow.h"
#include "settings/commandline.h"
#include "summonwindow.h"
#include "xsampacommand.h"

#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>

#include <string>
#include <vector>

namespace {

bool hasStdHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A window program has no console of its own: the command writes to the handles it inherited
// when those are redirected, else to the console it was started from, in UTF-8 either way.
void connectConsole() {
    const bool redirected = hasStdHandle(STD_OUTPUT_HANDLE) || hasStdHandle(STD_INPUT_HANDLE);
    if (!redirected && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::FILE* ignored = nullptr;
        freopen_s(&ignored, "CONIN$", "r", stdin);
        freopen_s(&ignored, "CONOUT$", "w", stdout);
        freopen_s(&ignored, "CONOUT$", "w", stderr);
        SetConsoleOutputCP(CP_UTF8);
        SetConsoleCP(CP_UTF8);
    }
    // Bytes as on Linux: no "\r" added to line ends.
    for (std::FILE* stream : {stdin, stdout, stderr}) {
        if (_fileno(stream) >= 0) {
            _setmode(_fileno(stream), _O_BINARY);
        }
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        args.push_back(korv::win32::narrow(wide[i]));
    }
    LocalFree(wide);
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    argv.push_back(nullptr);

    // Before anything that would make a window: the help is for a console.
    if (korv::isHelpCommand(argc, argv.data())) {
        connectConsole();
        return korv::runHelpCommand(stdout, stderr, false);
    }
    if (korv::isXsampaCommand(argc, argv.data())) {
        connectConsole();
        return korv::runXsampaCommand(argc, argv.data(), stdin, stdout, stderr);
    }

    // For the screen reader's services; a failure leaves only the labels.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    using korv::StartCommand;
    using korv::platform::SummonRequest;
    const StartCommand command = korv::startCommand(argc, argv.data());
    korv::win32::WindowSummonChannel summons(instance);
    const bool summon = command == StartCommand::Show || command == StartCommand::Toggle;
    // A copy that cannot be reached is replaced by this start, as when none runs.
    if (summon && summons.send(command == StartCommand::Toggle ? SummonRequest::Toggle
                                                               : SummonRequest::Show) ==
                      korv::platform::SummonResult::Delivered) {
        return 0;
    }

    korv::win32::MainWindow window(instance);
    // Listening from before the window is made: a start meanwhile finds this copy running, and its
    // summons waits in the queue for the window.
    summons.listen([&window](SummonRequest request) {
        if (IsWindow(window.hwnd())) {
            window.summoned(request);
        }
    });
    if (!window.create(command == StartCommand::Hide)) {
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.preTranslate(msg) ||
            (IsWindow(window.hwnd()) && IsDialogMessageW(window.hwnd(), &msg))) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return static_cast<int>(msg.wParam);
}
