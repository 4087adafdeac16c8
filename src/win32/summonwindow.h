// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "summon.h"

#include <windows.h>

namespace korv::win32 {

inline constexpr wchar_t kSummonWindowClass[] = L"KorvaniSummon";

/// Starts reach the running copy through a hidden message-only window, found by its class; a
/// named mutex says whether a copy runs at all.
class WindowSummonChannel final : public platform::SummonChannel {
public:
    explicit WindowSummonChannel(HINSTANCE instance)
        : m_instance(instance) {}
    ~WindowSummonChannel() override;
    WindowSummonChannel(const WindowSummonChannel&) = delete;
    WindowSummonChannel& operator=(const WindowSummonChannel&) = delete;

    bool listen(Handler handler) override;
    platform::SummonResult send(platform::SummonRequest request) override;

private:
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_instance;
    HANDLE m_running = nullptr;
    HWND m_window = nullptr;
    Handler m_handler;
};

} // namespace korv::win32
