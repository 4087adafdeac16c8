// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's making, layout and messages.
#include "mainwindow.h"

#include "accessiblename.h"
#include "chartwindow.h"
#include "commandbutton.h"
#include "fontface.h"
#include "resource.h"
#include "settings/settings.h"
#include "symbolbutton.h"
#include "symboltable.h"
#include "symboltag.h"
#include "windowowner.h"

#include <commctrl.h>

#include <algorithm>
#include <shellapi.h>
#include <windowsx.h>

namespace korv::win32 {

namespace {

constexpr wchar_t kTrayClassName[] = L"KorvTrayWindow";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kForegroundTimer = 1;
constexpr int kFirstSymbolId = 1000;

enum ControlId : int {
    IdLine = 100,
    IdCopy,
    IdBack,
    IdClear,
    IdSize,
    IdAbout,
    IdHide,
    IdTabs,
};

HFONT makeFont(const wchar_t* face, int height, int weight = FW_NORMAL) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                       face);
}

std::vector<const wchar_t*> ipaFaceList() {
    static const std::vector<std::wstring> faces = [] {
        std::vector<std::wstring> wide;
        for (std::string_view face : kIpaFaces) {
            wide.push_back(widen(face));
        }
        return wide;
    }();
    std::vector<const wchar_t*> list;
    for (const std::wstring& face : faces) {
        list.push_back(face.c_str());
    }
    return list;
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

SettingsPlace::SettingsPlace()
    : exeFolder(executableFolder())
    , folder(settingsFolder(exeFolder)) {}

MainWindow::MainWindow(HINSTANCE instance)
    : m_instance(instance)
    , m_settings(m_place.folder + std::string(kIniName))
    , m_log(m_place.folder + std::string(kLogName))
    , m_clipboard([this] { return m_hwnd; })
    , m_palette(*this, PaletteServices{m_settings, m_log, m_clipboard, m_pasteTarget,
                                       m_place.folder + std::string(kIniName), true}) {}

MainWindow::~MainWindow() {
    for (HFONT font : {m_guiFont, m_boldFont, m_lineFont, m_glyphFont}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
}

bool MainWindow::create(bool hidden) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ownedWindowProc<&MainWindow::handle>;
    wc.hInstance = m_instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kMainWindowClass;
    m_icon = LoadIconW(m_instance, MAKEINTRESOURCEW(IDI_KORVANI));
    // At the size the notification area and the caption draw small icons at this DPI (Wine draws
    // the tray's at that size too, whatever its slot), not a fixed 16 pixels.
    if (FAILED(
            LoadIconMetric(m_instance, MAKEINTRESOURCEW(IDI_KORVANI), LIM_SMALL, &m_smallIcon))) {
        m_smallIcon = static_cast<HICON>(LoadImageW(
            m_instance, MAKEINTRESOURCEW(IDI_KORVANI), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    wc.hIcon = m_icon;
    wc.hIconSm = m_smallIcon;
    RegisterClassExW(&wc);
    registerSymbolButtonClass(m_instance);

    WNDCLASSEXW tray{};
    tray.cbSize = sizeof tray;
    tray.lpfnWndProc = ownedWindowProc<&MainWindow::handleTray>;
    tray.hInstance = m_instance;
    tray.lpszClassName = kTrayClassName;
    RegisterClassExW(&tray);

    // The window the user worked in before starting the program is the first paste target.
    m_pasteTarget.trackForeground();
    m_ipaFace = firstInstalledFace(ipaFaceList());

    const std::wstring caption = widen(kWindowCaption);
    m_hwnd = CreateWindowExW(WS_EX_TOPMOST, kMainWindowClass, caption.c_str(),
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
    createControls();
    layout();
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    if (!m_palette.start()) {
        return false;
    }
    // Only now: a click on the icon must find the window made and started.
    addTrayIcon();
    m_mine->setEntries(m_palette.mine());
    m_palette.recent();
    m_search->refresh();
    SetTimer(m_hwnd, kForegroundTimer, 200, nullptr);
    if (!hidden) {
        ShowWindow(m_hwnd, SW_SHOW);
        m_palette.shown();
    }
    return true;
}

void MainWindow::makeFonts() {
    for (HFONT* font : {&m_guiFont, &m_boldFont, &m_lineFont, &m_glyphFont}) {
        if (*font != nullptr) {
            DeleteObject(*font);
        }
    }
    m_guiFont = makeFont(L"MS Shell Dlg", scale(11));
    m_boldFont = makeFont(L"MS Shell Dlg", scale(11), FW_BOLD);
    m_lineFont = makeFont(m_ipaFace.c_str(), scale(kLineFacePixels));
    m_glyphFont = makeFont(m_ipaFace.c_str(), scale(kGlyphFacePixels));
}

void MainWindow::createControls() {
    const auto child = [this](const wchar_t* cls, std::string_view text, DWORD style, int id,
                              DWORD exStyle = 0) {
        const std::wstring wide = widen(text);
        return CreateWindowExW(exStyle, cls, wide.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                               0, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               m_instance, nullptr);
    };
    // Creation order is the focus order.
    m_line = child(WC_EDITW, "", ES_AUTOHSCROLL | WS_TABSTOP, IdLine, WS_EX_CLIENTEDGE);
    nameForScreenReader(m_line, kLineAccessibleName);
    SendMessageW(m_line, EM_SETLIMITTEXT, 32767, 0);
    m_copyButton = child(WC_BUTTONW, kCopyCaption, BS_PUSHBUTTON | WS_TABSTOP, IdCopy);
    m_backButton = child(WC_BUTTONW, kBackCaption, BS_PUSHBUTTON | WS_TABSTOP, IdBack);
    m_clearButton = child(WC_BUTTONW, kClearCaption, BS_PUSHBUTTON | WS_TABSTOP, IdClear);
    m_sizeLabel = child(WC_STATICW, kSizeCaption, SS_LEFT, 0);
    m_sizeBox = child(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, IdSize);
    for (int size : kPointSizes) {
        SendMessageW(m_sizeBox, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::to_wstring(size).c_str()));
    }
    SetWindowSubclass(m_sizeBox, wheelWithFocusOnly, 1, 0);
    nameForScreenReader(m_sizeBox, kSizeAccessibleName);
    m_aboutButton = child(WC_BUTTONW, kAboutCaption, BS_PUSHBUTTON | WS_TABSTOP, IdAbout);
    m_hideButton = child(WC_BUTTONW, kHideCaption, BS_PUSHBUTTON | WS_TABSTOP, IdHide);
    m_tabs = child(WC_TABCONTROLW, "", TCS_BOTTOM | TCS_FOCUSNEVER, IdTabs);
    for (int i = 0; i < kChartTabCount; ++i) {
        std::wstring text = widen(kChartTabCaptions[static_cast<std::size_t>(i)]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(m_tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    // After the tabs, so that none of the panels' statics labels them.
    m_search = std::make_unique<SearchPanel>(m_instance, m_hwnd, m_palette);
    m_mine = std::make_unique<MinePanel>(m_instance, m_hwnd, m_palette);
    const auto menu = [this](const std::u16string& symbol, POINT screen) {
        showSymbolMenu(symbol, screen);
    };
    m_search->menuRequested = menu;
    m_mine->menuRequested = menu;
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, m_hwnd,
                                nullptr, m_instance, nullptr);
    // A click on a command leaves the keys where the user was typing.
    for (HWND button : {m_copyButton, m_backButton, m_clearButton, m_aboutButton, m_hideButton}) {
        clickWithoutFocus(button);
    }
    std::wstring chartTip = L"The IPA chart in a window of its own (Ctrl+K)";
    TTTOOLINFOW chartTool{};
    chartTool.cbSize = sizeof chartTool;
    chartTool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    chartTool.hwnd = m_hwnd;
    chartTool.uId = reinterpret_cast<UINT_PTR>(m_search->chartButton());
    chartTool.lpszText = chartTip.data();
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&chartTool));
    for (std::size_t i = 0; i < kSymbolButtons.size(); ++i) {
        m_symbols[i] = CreateWindowExW(
            0, kSymbolButtonClass, L"", WS_CHILD, 0, 0, 0, 0, m_hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstSymbolId + i)), m_instance, this);
        SetWindowLongPtrW(m_symbols[i], GWLP_USERDATA, static_cast<LONG_PTR>(i));
        // The symbol is what a screen reader says of its button.
        const std::u16string symbol = symbolOfTag(kSymbolButtons[i].tag);
        SetWindowTextW(m_symbols[i], std::wstring(symbol.begin(), symbol.end()).c_str());
        const std::string_view hint = kSymbolButtons[i].hint;
        if (!hint.empty()) {
            std::wstring text = widen(hint);
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = m_hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(m_symbols[i]);
            tool.lpszText = text.data();
            SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

RECT MainWindow::scaled(const Rect& r) const {
    return {scale(r.left), scale(r.top), scale(r.left + r.width), scale(r.top + r.height)};
}

void MainWindow::layout() {
    makeFonts();
    const auto place = [this](HWND control, const Rect& r, HFONT font) {
        MoveWindow(control, scale(r.left), scale(r.top), scale(r.width), scale(r.height), FALSE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    };
    place(m_line, kLineRect, m_lineFont);
    place(m_copyButton, kCopyRect, m_boldFont);
    place(m_backButton, kBackRect, m_guiFont);
    place(m_clearButton, kClearRect, m_guiFont);
    // "Size:" whole in whatever face the dialog font maps to: as wide as its text, ending where
    // the box begins.
    place(m_sizeLabel, kSizeLabelRect, m_guiFont);
    if (HDC dc = GetDC(m_sizeLabel)) {
        const HGDIOBJ old = SelectObject(dc, m_guiFont);
        SIZE text{};
        const std::wstring caption = widen(kSizeCaption);
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
        SelectObject(dc, old);
        ReleaseDC(m_sizeLabel, dc);
        const int right = scale(kSizeBoxRect.left) - 1;
        const int width = std::max<int>(scale(kSizeLabelRect.width), text.cx);
        MoveWindow(m_sizeLabel, right - width, scale(kSizeLabelRect.top), width,
                   scale(kSizeLabelRect.height), FALSE);
    }
    // A drop-down list's height includes its open list.
    place(m_sizeBox, {kSizeBoxRect.left, kSizeBoxRect.top, kSizeBoxRect.width, 200}, m_guiFont);
    place(m_aboutButton, kAboutRect, m_guiFont);
    place(m_hideButton, kHideRect, m_guiFont);
    // Tight enough for the four tabs to fit the chart's width.
    SendMessageW(m_tabs, TCM_SETPADDING, 0, MAKELPARAM(scale(4), scale(2)));
    SendMessageW(m_tabs, TCM_SETMINTABWIDTH, 0, scale(16));
    // Two pixels down: the chosen tab stands that much above the others, and would cover the
    // chart's edge.
    place(m_tabs, {kTabsRect.left, kTabsRect.top + 2, kTabsRect.width, kTabFrameRect.height},
          m_guiFont);
    SendMessageW(m_sizeBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 scale(kSizeBoxRect.height) - 6);
    SendMessageW(m_tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(m_guiFont), FALSE);
    for (std::size_t i = 0; i < kSymbolButtons.size(); ++i) {
        const SymbolButtonEntry& entry = kSymbolButtons[i];
        const Rect& panel = entry.panel == ChartPanel::Diacritics ? kDiacriticsRect : kChartRect;
        MoveWindow(m_symbols[i], scale(panel.left + entry.left), scale(panel.top + entry.top),
                   scale(entry.width), scale(entry.height), FALSE);
    }
    m_search->place(scaled(kChartRect), m_guiFont, m_glyphFont, m_dpi);
    m_mine->place(scaled(kChartRect), m_guiFont, m_glyphFont, m_dpi);
    RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)),
                             m_dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void MainWindow::paintFrames(HDC dc) {
    for (const Rect& r : {kChartFrameRect, kDiacriticFrameRect}) {
        RECT frame = scaled(r);
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    if (m_tab == ChartTab::Standard) {
        // The dividers between single vowels, diphthongs and consonants.
        const auto divider = [this](const Rect& r) {
            return scaled({kChartRect.left + r.left, kChartRect.top + r.top, r.width, r.height});
        };
        RECT vertical = divider(kVowelDividerRect);
        RECT horizontal = divider(kConsonantDividerRect);
        DrawEdge(dc, &vertical, BDR_SUNKENOUTER, BF_LEFT | BF_RIGHT);
        DrawEdge(dc, &horizontal, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
    }
}

void MainWindow::addTrayIcon() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_trayWindow;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = m_smallIcon;
    lstrcpynW(data.szTip, widen(kTrayTip).c_str(), ARRAYSIZE(data.szTip));
    m_trayShown = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void MainWindow::close(bool unattended) {
    if (m_palette.closed()) {
        return;
    }
    // Whatever box is open goes with the window; the position is saved first.
    m_palette.close(unattended);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_trayWindow;
    data.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyWindow(m_trayWindow);
    DestroyWindow(m_hwnd);
}

LRESULT MainWindow::handleTray(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The click counts on release, as the system's own icons do.
    if (message == kTrayMessage && (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK)) {
        restoreWindow();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void MainWindow::handleCommand(int id, int code, HWND control) {
    if (id >= kFirstSymbolId && id < kFirstSymbolId + static_cast<int>(m_symbols.size())) {
        m_palette.insertChartSymbol(
            kSymbolButtons[static_cast<std::size_t>(id - kFirstSymbolId)].tag);
    } else if (control == m_search->chartButton() && code == BN_CLICKED) {
        m_palette.openChart();
    } else if (control == m_search->field() && code == EN_CHANGE) {
        m_search->queryChanged();
    } else if (id == IdCopy && code == BN_CLICKED) {
        m_palette.copy();
    } else if (id == IdBack) {
        m_palette.back();
    } else if (id == IdClear) {
        m_palette.clear();
    } else if (id == IdAbout) {
        openAbout();
    } else if (id == IdHide) {
        m_palette.hide(m_trayShown);
    } else if (id == IdSize && code == CBN_SELCHANGE) {
        m_palette.pickSize(static_cast<int>(SendMessageW(m_sizeBox, CB_GETCURSEL, 0, 0)));
    }
}

LRESULT MainWindow::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        m_hwnd = hwnd;
    }
    if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        addTrayIcon();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        handleCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_tabs && header->code == TCN_SELCHANGE) {
            m_palette.showTab(static_cast<ChartTab>(SendMessageW(m_tabs, TCM_GETCURSEL, 0, 0)));
        }
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            // The chord's release goes elsewhere now; it must not fire on some later key.
            m_copyArmed = false;
            const HWND focus = GetFocus();
            m_lastFocus = IsChild(m_hwnd, focus) ? focus : m_lastFocus;
        } else if (!IsIconic(m_hwnd)) {
            // Back from the task bar, the chart with it.
            if (m_chart != nullptr) {
                m_chart->showWithPalette();
            }
            // Back where the user left off, the line at first, as a dialog box does.
            const HWND focus = GetFocus();
            if (!IsChild(m_hwnd, focus)) {
                SetFocus(m_lastFocus != nullptr && IsWindow(m_lastFocus) ? m_lastFocus : m_line);
            }
        }
        return 0;
    case WM_CONTEXTMENU: {
        // A chart button's, passed up by the system.
        const auto* button = reinterpret_cast<HWND>(wParam);
        for (std::size_t i = 0; i < m_symbols.size(); ++i) {
            if (m_symbols[i] == button) {
                POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                showSymbolMenu(symbolOfTag(kSymbolButtons[i].tag), screen);
                return 0;
            }
        }
        break;
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
            openAbout();
        }
        break;
    case WM_TIMER:
        if (wParam == kForegroundTimer) {
            m_pasteTarget.trackForeground();
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
            close(true);
        }
        return 0;
    case WM_CLOSE:
        close(false);
        return 0;
    case WM_DESTROY:
        KillTimer(m_hwnd, kForegroundTimer);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace korv::win32
