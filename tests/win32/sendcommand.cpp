// SPDX-License-Identifier: GPL-3.0-or-later
// Test tool: sends a system command (hexadecimal) to the window of a class, or WM_CLOSE for
// "close", as another program would. Usage: sendcommand <class> <command>|close
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 2;
    }
    HWND window = FindWindowW(argv[1], nullptr);
    if (window == nullptr) {
        return 1;
    }
    if (std::wcscmp(argv[2], L"close") == 0) {
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    const auto command = static_cast<WPARAM>(std::wcstoul(argv[2], nullptr, 16));
    return PostMessageW(window, WM_SYSCOMMAND, command, 0) ? 0 : 1;
}
