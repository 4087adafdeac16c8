// SPDX-License-Identifier: GPL-3.0-or-later
// What the palette shows through the main window, and what it asks of it.
#include "mainwindow.h"

#include "aboutwindow.h"
#include "chartwindow.h"
#include "symboltable.h"

#include <commctrl.h>

namespace korv::win32 {

namespace {

std::u16string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return std::u16string(text.begin(), text.end());
}

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

LineSnapshot MainWindow::line() const {
    LineSnapshot snapshot;
    snapshot.text = windowText(m_line);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(m_line, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    snapshot.selStart = start;
    snapshot.selLength = end > start ? end - start : 0;
    const HWND focus = GetFocus();
    snapshot.isActiveControl = focus == m_line || focus == m_search->field();
    snapshot.inSearch = focus == m_search->field();
    return snapshot;
}

void MainWindow::focusLine() {
    SetFocus(m_line);
}

void MainWindow::showLine(std::u16string_view text, std::size_t caret, bool focus) {
    // The same text stays, and with it what Ctrl+Z takes back.
    if (windowText(m_line) != text) {
        SetWindowTextW(m_line, wide(text).c_str());
    }
    // The search field keeps the focus while it works for the line.
    if (focus && GetFocus() != m_search->field()) {
        SetFocus(m_line);
    }
    SendMessageW(m_line, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    SendMessageW(m_line, EM_SCROLLCARET, 0, 0);
}

void MainWindow::replaceText(std::size_t start, std::size_t length, std::u16string_view text) {
    SendMessageW(m_line, EM_SETSEL, start, static_cast<LPARAM>(start + length));
    // One step that Ctrl+Z takes back, and only this one: the edit would join a deletion next to
    // the last ones (Back pressed, then Clear all) into one, and Undo would bring back too much.
    SendMessageW(m_line, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(m_line, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide(text).c_str()));
}

void MainWindow::showCopyCaption(std::string_view caption) {
    SetWindowTextW(m_copyButton, widen(caption).c_str());
}

void MainWindow::showHints(bool on) {
    SendMessageW(m_tooltip, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

void MainWindow::showSizeIndex(int index) {
    SendMessageW(m_sizeBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void MainWindow::showTab(ChartTab tab) {
    m_tab = tab;
    SendMessageW(m_tabs, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    for (std::size_t i = 0; i < kSymbolButtons.size(); ++i) {
        const ChartPanel panel = kSymbolButtons[i].panel;
        const bool shown = panel == ChartPanel::Diacritics ||
                           (panel == ChartPanel::Standard && tab == ChartTab::Standard) ||
                           (panel == ChartPanel::Additional && tab == ChartTab::Additional);
        ShowWindow(m_symbols[i], shown ? SW_SHOW : SW_HIDE);
    }
    if (tab != ChartTab::All && GetFocus() == m_search->field()) {
        SetFocus(m_line);
    }
    m_search->show(tab == ChartTab::All);
    m_mine->show(tab == ChartTab::Mine);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void MainWindow::focusSearch() {
    m_search->focus();
}

void MainWindow::showMine(const std::vector<std::u16string>& entries) {
    m_mine->setEntries(entries);
}

void MainWindow::showRecent(const std::vector<std::u16string>&) {
    // The search holds the recent symbols already; its grid shows them again.
    m_search->refresh();
}

namespace {

std::wstring boxText(std::string_view text) {
    std::string lines;
    for (char c : text) {
        lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return widen(lines);
}

} // namespace

void MainWindow::showMessage(std::string_view text) {
    MessageBoxW(m_hwnd, boxText(text).c_str(), kAppTitle, MB_OK | MB_ICONWARNING);
}

void MainWindow::showError(std::string_view text) {
    MessageBoxW(m_hwnd, boxText(text).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

void MainWindow::showNotice(std::string_view text) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_trayWindow;
    data.uID = 1;
    data.uFlags = NIF_INFO;
    lstrcpynW(data.szInfo, widen(text).c_str(), ARRAYSIZE(data.szInfo));
    lstrcpynW(data.szInfoTitle, kAppTitle, ARRAYSIZE(data.szInfoTitle));
    if (!m_trayShown || !Shell_NotifyIconW(NIM_MODIFY, &data)) {
        showNotAdded(text);
    }
}

void MainWindow::showNotAdded(std::string_view why) {
    // A balloon under the line that takes no focus and goes at the next click or key.
    const std::wstring text = widen(why);
    EDITBALLOONTIP tip{sizeof tip, L"", text.c_str(), TTI_NONE};
    SendMessageW(m_line, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

void MainWindow::placeWindow(ScreenPosition position) {
    SetWindowPos(m_hwnd, nullptr, position.left, position.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<ScreenPosition> MainWindow::windowPosition() const {
    RECT r{};
    if (!GetWindowRect(m_hwnd, &r)) {
        return std::nullopt;
    }
    return ScreenPosition{r.left, r.top};
}

ScreenSize MainWindow::frameSize() const {
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        auto& list = *reinterpret_cast<std::vector<Rect>*>(areas);
        const Rect area{work.left, work.top, work.right - work.left, work.bottom - work.top};
        // The primary first: it takes a window that is as near to another screen.
        list.insert((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? list.begin() : list.end(), area);
    }
    return TRUE;
}

} // namespace

std::vector<Rect> MainWindow::workAreas() const {
    std::vector<Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

std::uintptr_t MainWindow::nativeHandle() const {
    return reinterpret_cast<std::uintptr_t>(m_hwnd);
}

bool MainWindow::isInFront() const {
    return IsWindowVisible(m_hwnd) && !IsIconic(m_hwnd) && GetForegroundWindow() == m_hwnd;
}

void MainWindow::hideWindow() {
    ShowWindow(m_hwnd, SW_HIDE);
    if (m_chart != nullptr) {
        m_chart->hideWithPalette();
    }
}

void MainWindow::minimizeWindow() {
    ShowWindow(m_hwnd, SW_MINIMIZE);
    if (m_chart != nullptr) {
        m_chart->hideWithPalette();
    }
}

void MainWindow::restoreWindow() {
    const bool wasVisible = IsWindowVisible(m_hwnd);
    if (IsIconic(m_hwnd)) {
        ShowWindow(m_hwnd, SW_RESTORE);
    } else if (wasVisible && GetForegroundWindow() != m_hwnd) {
        // A window manager may have minimised it unannounced (Wine reports that only for windows
        // with a minimise box): shown afresh, it comes back from wherever it went.
        ShowWindow(m_hwnd, SW_HIDE);
        ShowWindow(m_hwnd, SW_SHOW);
    } else {
        ShowWindow(m_hwnd, SW_SHOW);
    }
    if (m_chart != nullptr) {
        m_chart->showWithPalette();
    }
    SetForegroundWindow(m_hwnd);
    if (!wasVisible) {
        m_palette.shown();
    }
}

void MainWindow::bringToFront() {
    restoreWindow();
    SetFocus(m_line);
}

void MainWindow::showChart(const ChartPlacement& placement) {
    if (m_chart == nullptr) {
        m_chart = std::make_unique<ChartWindow>(m_instance, m_palette, m_dpi, m_ipaFace);
    }
    RECT palette{};
    GetWindowRect(m_hwnd, &palette);
    m_chart->show(placement, palette);
    // The palette stays in front of what the chart still covers of it.
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::showChartZoom(int zoom) {
    if (m_chart != nullptr) {
        m_chart->setZoom(zoom);
    }
}

std::optional<ChartPlacement> MainWindow::chartPlacement() const {
    if (m_chart == nullptr) {
        return std::nullopt;
    }
    return m_chart->placement();
}

void MainWindow::openAbout() {
    AboutWindow about(*this, m_instance);
    about.showModal();
}

} // namespace korv::win32
