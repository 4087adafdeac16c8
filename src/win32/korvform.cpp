// SPDX-License-Identifier: GPL-3.0-or-later
#include "korvform.h"

#include "aboutbox.h"
#include "clipboard.h"
#include "compositionline.h"
#include "fontface.h"
#include "legacycode.h"
#include "resource.h"
#include "richtext.h"
#include "symbolbutton.h"
#include "symboltable.h"
#include "symboltag.h"
#include "windowowner.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string_view>

// The core names the same key-up flag, with the same value, as a constant of its own.
#undef KEYEVENTF_KEYUP
#include "keysequence.h"

namespace korv::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TKorvForm";
constexpr wchar_t kTrayClassName[] = L"KorvTrayWindow";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kForegroundTimer = 1;
constexpr int kClientWidth = 331;
constexpr int kClientHeight = 226;
constexpr int kFirstSymbolId = 1000;
constexpr std::array<int, 16> kSizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

enum ControlId : int {
    IdEdit = 100,
    IdCopy,
    IdDelete,
    IdClear,
    IdSize,
    IdAbout,
    IdClose,
    IdTabs,
};

struct Place {
    int left, top, width, height;
};
constexpr Place kEdit{8, 10, 236, 31};
constexpr Place kCopy{252, 10, 70, 28};
constexpr Place kDelete{252, 42, 70, 28};
constexpr Place kClear{252, 74, 70, 28};
constexpr Place kLabel{252, 126, 23, 13};
constexpr Place kCombo{277, 122, 44, 21};
constexpr Place kAbout{252, 162, 70, 25};
constexpr Place kClose{252, 191, 70, 25};
constexpr Place kTabs{9, 197, 201, 19};
constexpr Place kChartFrame{8, 48, 204, 149};
constexpr Place kDiacriticFrame{216, 48, 29, 75};
constexpr int kPanelLeft = 10;
constexpr int kPanelTop = 50;
constexpr int kDiacriticsLeft = 218;

// Faces with the IPA symbols, best first: Windows' own, then what Wine finds on the host.
constexpr std::array<const wchar_t*, 5> kIpaFaces{L"Lucida Sans Unicode", L"Charis SIL",
                                                  L"DejaVu Sans", L"Segoe UI", L"Arial Unicode MS"};

HFONT makeFont(const wchar_t* face, int height, int weight = FW_NORMAL) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                       face);
}

std::u16string lineText(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return std::u16string(text.begin(), text.end());
}

bool isPanelVisible(ChartPanel panel, int tab) {
    switch (panel) {
    case ChartPanel::Standard:
        return tab == 0;
    case ChartPanel::Additional:
        return tab == 1;
    case ChartPanel::Diacritics:
        return true;
    }
    return false;
}

// The wheel changes the size only while the size box holds the focus: a stray scroll over the
// window must not change what the user picked.
LRESULT CALLBACK wheelWithFocusOnly(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    if (message == WM_MOUSEWHEEL && GetFocus() != hwnd) {
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

TKorvForm::TKorvForm(HINSTANCE instance)
    : m_instance(instance) {}

TKorvForm::~TKorvForm() {
    for (HFONT font : {m_guiFont, m_boldFont, m_lineFont, m_glyphFont}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
}

bool TKorvForm::create(bool hidden) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = m_instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    m_icon = LoadIconW(m_instance, MAKEINTRESOURCEW(IDI_KORVANI));
    m_smallIcon = static_cast<HICON>(
        LoadImageW(m_instance, MAKEINTRESOURCEW(IDI_KORVANI), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    wc.hIcon = m_icon;
    wc.hIconSm = m_smallIcon;
    RegisterClassExW(&wc);
    registerSymbolButtonClass(m_instance);

    WNDCLASSEXW tray{};
    tray.cbSize = sizeof tray;
    tray.lpfnWndProc = trayProc;
    tray.hInstance = m_instance;
    tray.lpszClassName = kTrayClassName;
    RegisterClassExW(&tray);

    // The window the user worked in before starting the program is the first paste target.
    trackForeground();
    m_ipaFace = firstInstalledFace(kIpaFaces);
    m_exeFolder = executableFolder();
    const std::string folder = settingsFolder(m_exeFolder);
    m_iniPath = folder + std::string(kIniName);

    // The window and its components come first, then what FormCreate does, in its order.
    m_hwnd = CreateWindowExW(WS_EX_TOPMOST, kClassName, kAppTitle,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 702, 252,
                             kClientWidth, kClientHeight, nullptr, nullptr, m_instance, this);
    if (m_hwnd == nullptr) {
        return false;
    }
    m_dpi = GetDpiForWindow(m_hwnd);
    if (m_dpi == 0) {
        m_dpi = 96;
    }
    m_trayWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, m_instance, this);
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    addTrayIcon();
    createControls();

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    const DWORD major = GetVersionExA(&version) ? version.dwMajorVersion : 0;
    m_settings = loadSettings(ProfileIni(m_iniPath), major < 6);
    SendMessageW(comboSize, CB_SETCURSEL, static_cast<WPARAM>(m_settings.fontSize), 0);
    layout();
    RECT frame{};
    GetWindowRect(m_hwnd, &frame);
    SetWindowPos(m_hwnd, nullptr, m_settings.left, m_settings.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const bool logWritten = rewriteStartupLog(folder + std::string(kLogName));
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    TabSet1Change(0);
    if (!logWritten) {
        showSettingsMessage();
        return false;
    }
    SetTimer(m_hwnd, kForegroundTimer, 200, nullptr);
    if (!hidden) {
        ShowWindow(m_hwnd, SW_SHOW);
        FormShow();
    }
    return true;
}

void TKorvForm::makeFonts() {
    for (HFONT* font : {&m_guiFont, &m_boldFont, &m_lineFont, &m_glyphFont}) {
        if (*font != nullptr) {
            DeleteObject(*font);
        }
    }
    m_guiFont = makeFont(L"MS Shell Dlg", scale(11));
    m_boldFont = makeFont(L"MS Shell Dlg", scale(11), FW_BOLD);
    m_lineFont = makeFont(m_ipaFace.c_str(), scale(19));
    m_glyphFont = makeFont(m_ipaFace.c_str(), scale(16));
}

void TKorvForm::createControls() {
    const auto child = [this](const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                              DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               m_instance, nullptr);
    };
    // Creation order is the focus order: the size box before the composition line.
    comboSize = child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, IdSize);
    SetWindowLongPtrW(comboSize, GWLP_USERDATA, 0);
    for (int size : kSizes) {
        SendMessageW(comboSize, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::to_wstring(size).c_str()));
    }
    SetWindowSubclass(comboSize, wheelWithFocusOnly, 1, 0);
    TntEdit1 = child(WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP, IdEdit, WS_EX_CLIENTEDGE);
    SendMessageW(TntEdit1, EM_SETLIMITTEXT, 32767, 0);
    BtnCopy = child(WC_BUTTONW, L"Copy", BS_PUSHBUTTON, IdCopy);
    BtnDelete = child(WC_BUTTONW, L"Back", BS_PUSHBUTTON | WS_TABSTOP, IdDelete);
    BtnClear = child(WC_BUTTONW, L"Clear all", BS_PUSHBUTTON | WS_TABSTOP, IdClear);
    Label1 = child(WC_STATICW, L"Size:", SS_LEFT, 0);
    BtnAbout = child(WC_BUTTONW, L"About", BS_PUSHBUTTON | WS_TABSTOP, IdAbout);
    BtnClose = child(WC_BUTTONW, L"Hide", BS_PUSHBUTTON | WS_TABSTOP, IdClose);
    TabSet1 = child(WC_TABCONTROLW, L"", TCS_BOTTOM | TCS_FOCUSNEVER, IdTabs);
    const wchar_t* tabs[] = {L"Standard", L"Additional"};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(tabs[i]);
        SendMessageW(TabSet1, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, m_hwnd,
                                nullptr, m_instance, nullptr);
    for (std::size_t i = 0; i < kSymbolButtons.size(); ++i) {
        m_symbols[i] = CreateWindowExW(
            0, kSymbolButtonClass, L"", WS_CHILD, 0, 0, 0, 0, m_hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstSymbolId + i)), m_instance, this);
        SetWindowLongPtrW(m_symbols[i], GWLP_USERDATA, static_cast<LONG_PTR>(i));
        const std::wstring name = widen(kSymbolButtons[i].name);
        SetWindowTextW(m_symbols[i], name.c_str());
        if (!kSymbolButtons[i].hint.empty()) {
            std::wstring hint = widen(kSymbolButtons[i].hint);
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = m_hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(m_symbols[i]);
            tool.lpszText = hint.data();
            SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void TKorvForm::layout() {
    makeFonts();
    const auto place = [this](HWND control, const Place& p, HFONT font) {
        MoveWindow(control, scale(p.left), scale(p.top), scale(p.width), scale(p.height), FALSE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    };
    place(TntEdit1, kEdit, m_lineFont);
    place(BtnCopy, kCopy, m_boldFont);
    place(BtnDelete, kDelete, m_guiFont);
    place(BtnClear, kClear, m_guiFont);
    place(Label1, kLabel, m_guiFont);
    // A drop-down list's height includes its open list.
    place(comboSize, {kCombo.left, kCombo.top, kCombo.width, 200}, m_guiFont);
    place(BtnAbout, kAbout, m_guiFont);
    place(BtnClose, kClose, m_guiFont);
    place(TabSet1, kTabs, m_guiFont);
    SendMessageW(comboSize, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale(kCombo.height) - 6);
    SendMessageW(m_tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(m_guiFont), FALSE);
    for (std::size_t i = 0; i < kSymbolButtons.size(); ++i) {
        const SymbolButtonEntry& entry = kSymbolButtons[i];
        const int left = entry.panel == ChartPanel::Diacritics ? kDiacriticsLeft : kPanelLeft;
        MoveWindow(m_symbols[i], scale(left + entry.left), scale(kPanelTop + entry.top),
                   scale(entry.width), scale(entry.height), FALSE);
    }
    RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)),
                             m_dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TKorvForm::paintFrames(HDC dc) {
    for (const Place& p : {kChartFrame, kDiacriticFrame}) {
        RECT r{scale(p.left), scale(p.top), scale(p.left + p.width), scale(p.top + p.height)};
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    if (m_tab == 0) {
        // The dividers between single vowels, diphthongs and consonants.
        const int x = scale(kPanelLeft + 100);
        const int y = scale(kPanelTop + 72);
        RECT vertical{x, scale(kPanelTop), x + 2, scale(kPanelTop + 73)};
        RECT horizontal{scale(kPanelLeft), y, scale(kPanelLeft + 200), y + 2};
        DrawEdge(dc, &vertical, BDR_SUNKENOUTER, BF_LEFT | BF_RIGHT);
        DrawEdge(dc, &horizontal, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
    }
}

void TKorvForm::addTrayIcon() {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = m_trayWindow;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = m_smallIcon;
    lstrcpynA(data.szTip, "Korvani by the Korvani developers", sizeof data.szTip);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void TKorvForm::applyHints() {
    SendMessageW(m_tooltip, TTM_ACTIVATE, m_settings.showHints ? TRUE : FALSE, 0);
}

void TKorvForm::setCopyCaption(bool paste) {
    SetWindowTextW(BtnCopy, paste ? L"Paste" : L"Copy");
}

void TKorvForm::showSettingsMessage() {
    const std::wstring text = widen(kSettingsFailureMessage);
    MessageBoxW(m_hwnd, text.c_str(), kAppTitle, MB_OK);
}

void TKorvForm::FormShow() {
    if (m_settings.autoPaste) {
        setCopyCaption(true);
    }
    applyHints();
    if (!m_shownOnce) {
        m_shownOnce = true;
        SetFocus(comboSize);
    }
}

void TKorvForm::SpeedButtonClick(std::size_t index) {
    const std::u16string text = lineText(TntEdit1);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(TntEdit1, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const LineState state{text, start, end - start, GetFocus() == TntEdit1};
    const LineEdit edit = insertSymbol(state, symbolOfTag(kSymbolButtons[index].tag));
    const std::wstring wide(edit.text.begin(), edit.text.end());
    SetWindowTextW(TntEdit1, wide.c_str());
    if (edit.focusLine) {
        SetFocus(TntEdit1);
    }
    SendMessageW(TntEdit1, EM_SETSEL, edit.caret, static_cast<LPARAM>(edit.caret));
    SendMessageW(TntEdit1, EM_SCROLLCARET, 0, 0);
}

void TKorvForm::BtnDeleteClick() {
    const std::u16string text = lineText(TntEdit1);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(TntEdit1, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const LineEdit edit = deleteBack({text, start, end - start, GetFocus() == TntEdit1});
    const std::wstring wide(edit.text.begin(), edit.text.end());
    SetWindowTextW(TntEdit1, wide.c_str());
    if (edit.focusLine) {
        SetFocus(TntEdit1);
    }
    SendMessageW(TntEdit1, EM_SETSEL, edit.caret, static_cast<LPARAM>(edit.caret));
}

void TKorvForm::BtnClearClick() {
    SetWindowTextW(TntEdit1, L"");
}

void TKorvForm::BtnCopyClick() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    bool onClipboard = false;
    if (!GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        MessageBoxW(m_hwnd, L"This version of Korvani requires Windows 2000 (or greater) to run.",
                    kAppTitle, MB_OK);
    } else {
        const std::u16string text =
            ConvertUnicodeToKorvaniString(lineText(TntEdit1), m_settings.useUnicodeFont);
        const LRESULT index = SendMessageW(comboSize, CB_GETCURSEL, 0, 0);
        if (!text.empty() && index >= 0 && index < static_cast<LRESULT>(kSizes.size())) {
            const std::string_view face =
                m_settings.useUnicodeFont ? UnicodeFontFace : KorvaniFontFace;
            onClipboard =
                putOnClipboard(m_hwnd, text, face, kSizes[static_cast<std::size_t>(index)]);
        }
    }
    SetFocus(TntEdit1);
    const int end = GetWindowTextLengthW(TntEdit1);
    SendMessageW(TntEdit1, EM_SETSEL, static_cast<WPARAM>(end), end);
    if (m_settings.autoPaste && onClipboard) {
        sendAutoPaste();
    }
}

void TKorvForm::sendAutoPaste() {
    const std::array<KeyEvent, 8> events = buildAutoPasteKeys([](char c) { return VkKeyScanA(c); });
    // Where the previous window is known it is activated directly and only Ctrl+V is sent: a
    // synthesised Alt+Tab may be taken by a window manager of its own.
    std::size_t first = 0;
    if (m_previous != nullptr && IsWindow(m_previous) && SetForegroundWindow(m_previous)) {
        first = 4;
        // The switch completes through the window manager, which may be slow: the keys must not
        // arrive before it. Only sent messages are handled meanwhile (the activation's), no input.
        for (int waited = 0; GetForegroundWindow() != m_previous && waited < 2000; waited += 20) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        if (GetForegroundWindow() != m_previous) {
            // Ctrl+V would land in this window; the copy stays on the clipboard for the user.
            return;
        }
    }
    for (std::size_t i = first; i < events.size(); ++i) {
        keybd_event(events[i].vk, events[i].scan, events[i].flags, events[i].extra);
    }
}

void TKorvForm::trackForeground() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    // Only a window the user types in can be the target: not the desktop, a tool window, a menu
    // or the notification area's own windows.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(foreground, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(foreground, GWL_EXSTYLE));
    // Wine reports its notification-area icons, child windows, as foreground at times.
    const bool captionlessPopup =
        (style & WS_CHILD) != 0 || ((style & WS_POPUP) != 0 && (style & WS_CAPTION) == 0);
    if (foreground != nullptr && process != GetCurrentProcessId() && IsWindowVisible(foreground) &&
        foreground != GetDesktopWindow() && (exStyle & WS_EX_TOOLWINDOW) == 0 &&
        !captionlessPopup) {
        m_previous = foreground;
    }
}

void TKorvForm::BtnCloseClick() {
    ShowWindow(m_hwnd, SW_HIDE);
}

void TKorvForm::Restore1Click() {
    const bool wasVisible = IsWindowVisible(m_hwnd);
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
    if (!wasVisible) {
        FormShow();
    }
}

void TKorvForm::AboutClick() {
    TAboutBox about(*this, m_instance);
    about.showModal();
}

void TKorvForm::TabSet1Change(int index) {
    m_tab = index;
    for (std::size_t i = 0; i < kSymbolButtons.size(); ++i) {
        ShowWindow(m_symbols[i],
                   isPanelVisible(kSymbolButtons[i].panel, index) ? SW_SHOW : SW_HIDE);
    }
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TKorvForm::comboSizeChange() {
    const auto index = static_cast<std::int32_t>(SendMessageW(comboSize, CB_GETCURSEL, 0, 0));
    ProfileIni ini(m_iniPath);
    if (!ini.writeInteger(kOptionsSection, kFontSizeKey, index)) {
        showSettingsMessage();
    }
}

void TKorvForm::FormClose() {
    if (m_closing) {
        return;
    }
    m_closing = true;
    // Whatever box is open goes with the window; the position is saved first.
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    ProfileIni ini(m_iniPath);
    const bool left = ini.writeInteger(kPositionSection, kLeftKey, r.left);
    const bool top = ini.writeInteger(kPositionSection, kTopKey, r.top);
    if (!left || !top) {
        showSettingsMessage();
    }
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = m_trayWindow;
    data.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &data);
    DestroyWindow(m_trayWindow);
    DestroyWindow(m_hwnd);
}

bool TKorvForm::preTranslate(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && (GetKeyState(VK_CONTROL) < 0) &&
        (msg.hwnd == m_hwnd || IsChild(m_hwnd, msg.hwnd))) {
        BtnCopyClick();
        return true;
    }
    return false;
}

LRESULT CALLBACK TKorvForm::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = windowOwner<TKorvForm>(hwnd, message, lParam);
    if (form == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (form->m_hwnd == nullptr) {
        form->m_hwnd = hwnd;
    }
    return form->handle(message, wParam, lParam);
}

LRESULT CALLBACK TKorvForm::trayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = windowOwner<TKorvForm>(hwnd, message, lParam);
    // The click counts on release, as the system's own icons do.
    if (form != nullptr && message == kTrayMessage &&
        (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK)) {
        form->Restore1Click();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT TKorvForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        addTrayIcon();
        return 0;
    }
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= kFirstSymbolId && id < kFirstSymbolId + static_cast<int>(m_symbols.size())) {
            SpeedButtonClick(static_cast<std::size_t>(id - kFirstSymbolId));
        } else if (id == IdCopy && HIWORD(wParam) == BN_CLICKED) {
            BtnCopyClick();
        } else if (id == IdDelete) {
            BtnDeleteClick();
        } else if (id == IdClear) {
            BtnClearClick();
        } else if (id == IdAbout) {
            AboutClick();
        } else if (id == IdClose) {
            BtnCloseClick();
        } else if (id == IdSize && HIWORD(wParam) == CBN_SELCHANGE) {
            comboSizeChange();
        }
        return 0;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == TabSet1 && header->code == TCN_SELCHANGE) {
            TabSet1Change(static_cast<int>(SendMessageW(TabSet1, TCM_GETCURSEL, 0, 0)));
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        paintFrames(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_SYSCOMMAND:
        if (wParam == kAboutCommand) {
            AboutClick();
        }
        break;
    case WM_TIMER:
        if (wParam == kForegroundTimer) {
            trackForeground();
        }
        return 0;
    case WM_DPICHANGED: {
        m_dpi = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        layout();
        return 0;
    }
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != 0) {
            FormClose();
        }
        return 0;
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_DESTROY:
        KillTimer(m_hwnd, kForegroundTimer);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

} // namespace korv::win32
