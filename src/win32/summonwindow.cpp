// SPDX-License-Identifier: GPL-3.0-or-later
#include "summonwindow.h"

#include "windowowner.h"

namespace korv::win32 {

namespace {

constexpr wchar_t kRunningMutex[] = L"Local\\KorvaniRunning";
// WM_COPYDATA's tag for a summons: "KORV", then the request.
constexpr ULONG_PTR kSummonTag = 0x4B4F5256;
constexpr UINT kSummonPosted = WM_APP + 7;
constexpr UINT kSendTimeoutMs = 5000;

} // namespace

WindowSummonChannel::~WindowSummonChannel() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    if (m_running != nullptr) {
        CloseHandle(m_running);
    }
}

bool WindowSummonChannel::listen(Handler handler) {
    m_handler = std::move(handler);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ownedWindowProc<&WindowSummonChannel::handle>;
    wc.hInstance = m_instance;
    wc.lpszClassName = kSummonWindowClass;
    RegisterClassExW(&wc);
    m_running = CreateMutexW(nullptr, FALSE, kRunningMutex);
    m_window = CreateWindowExW(0, kSummonWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               m_instance, this);
    return m_window != nullptr;
}

platform::SummonResult WindowSummonChannel::send(platform::SummonRequest request) {
    HANDLE running = OpenMutexW(SYNCHRONIZE, FALSE, kRunningMutex);
    if (running == nullptr) {
        return platform::SummonResult::NoneRunning;
    }
    CloseHandle(running);
    HWND window = FindWindowExW(HWND_MESSAGE, nullptr, kSummonWindowClass, nullptr);
    if (window == nullptr) {
        return platform::SummonResult::NoneRunning;
    }
    // The running copy may take the foreground only if this start, which has it, lets it.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    auto data = static_cast<DWORD>(request);
    COPYDATASTRUCT copy{kSummonTag, sizeof data, &data};
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer) == 0 ||
        answer != TRUE) {
        return platform::SummonResult::Failed;
    }
    return platform::SummonResult::Delivered;
}

LRESULT WindowSummonChannel::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (copy->dwData != kSummonTag || copy->cbData != sizeof(DWORD)) {
            return FALSE;
        }
        DWORD request = 0;
        CopyMemory(&request, copy->lpData, sizeof request);
        if (request > static_cast<DWORD>(platform::SummonRequest::Toggle)) {
            return FALSE;
        }
        // Answered at once; the window comes forward once the sender has its answer.
        PostMessageW(hwnd, kSummonPosted, request, 0);
        return TRUE;
    }
    if (message == kSummonPosted && m_handler) {
        m_handler(static_cast<platform::SummonRequest>(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace korv::win32
