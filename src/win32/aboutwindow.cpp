// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutwindow.h"

#include "admin.h"
#include "copypayload.h"
#include "fontface.h"
#include "mainwindow.h"
#include "resource.h"
#include "settings/settings.h"
#include "windowowner.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <string>

namespace korv::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KorvaniAboutWindow";
constexpr int kClientWidth = 313;
constexpr int kClientHeight = 338;

enum ControlId : int {
    IdPages = 200,
    IdOk,
    IdUrl,
    IdAutopaste,
    IdUnicode,
    IdHints,
    IdSave,
    IdInstall,
    IdCopyFace,
};

// The texts are laid out for the widths of the classic dialog face: Arial's match them, and so do
// the faces made to Arial's widths that Wine finds on the host.
constexpr std::array<const wchar_t*, 4> kDialogFaces{L"Arial", L"Liberation Sans", L"Nimbus Sans",
                                                     L"MS Shell Dlg"};

HFONT makeFont(const std::wstring& face, int height, int weight, bool underline) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                       face.c_str());
}

LRESULT CALLBACK handCursor(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

AboutWindow::AboutWindow(MainWindow& main, HINSTANCE instance)
    : m_main(main)
    , m_instance(instance) {}

HWND AboutWindow::child(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int left,
                        int top, int width, int height, HFONT font) {
    HWND hwnd =
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, m_main.scale(left),
                        m_main.scale(top), m_main.scale(width), m_main.scale(height), m_hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

void AboutWindow::showModal() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ownedWindowProc<&AboutWindow::handle>;
    wc.hInstance = m_instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    wc.hIcon = LoadIconW(m_instance, MAKEINTRESOURCEW(IDI_KORVANI));
    wc.hIconSm = static_cast<HICON>(LoadImageW(m_instance, MAKEINTRESOURCEW(IDI_KORVANI),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    RegisterClassExW(&wc);

    // No modal frame: a window with one has no icon in its title bar.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_TOPMOST;
    const UINT dpi = static_cast<UINT>(m_main.scale(96));
    RECT frame{0, 0, m_main.scale(kClientWidth), m_main.scale(kClientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    m_hwnd = CreateWindowExW(exStyle, kClassName, L"About Korvani", style, left, top, width, height,
                             m_main.hwnd(), nullptr, m_instance, this);
    if (m_hwnd == nullptr) {
        return;
    }
    createControls();
    EnableWindow(m_main.hwnd(), FALSE);
    ShowWindow(m_hwnd, SW_SHOW);
    MSG msg;
    while (!m_done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (m_main.preTranslate(msg) || IsDialogMessageW(m_hwnd, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    EnableWindow(m_main.hwnd(), TRUE);
    if (IsWindow(m_hwnd)) {
        DestroyWindow(m_hwnd);
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(m_font), static_cast<HGDIOBJ>(m_titleFont),
                           static_cast<HGDIOBJ>(m_linkFont), static_cast<HGDIOBJ>(m_white)}) {
        DeleteObject(object);
    }
    if (IsWindow(m_main.hwnd())) {
        SetForegroundWindow(m_main.hwnd());
    }
}

void AboutWindow::createControls() {
    const std::wstring face = firstInstalledFace(kDialogFaces);
    m_font = makeFont(face, m_main.scale(11), FW_NORMAL, false);
    m_titleFont = makeFont(face, m_main.scale(13), FW_BOLD, false);
    m_linkFont = makeFont(face, m_main.scale(11), FW_NORMAL, true);
    m_white = CreateSolidBrush(RGB(255, 255, 255));

    m_pages =
        child(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, IdPages, 8, 8, 297, 281, m_font);
    const wchar_t* pages[] = {L"About", L"Options"};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(pages[i]);
        SendMessageW(m_pages, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    RECT page{};
    GetWindowRect(m_pages, &page);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&page), 2);
    SendMessageW(m_pages, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    m_page = page;
    // Page contents sit in 96-DPI page coordinates, converted here once.
    const int px = MulDiv(page.left, 96, m_main.scale(96));
    const int py = MulDiv(page.top, 96, m_main.scale(96));
    const std::wstring homepage = widen(m_main.palette().homepage());

    m_aboutPage[0] =
        child(WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, 0, px + 16, py + 8, 64, 64, m_font);
    SendMessageW(
        m_aboutPage[0], STM_SETICON,
        reinterpret_cast<WPARAM>(LoadImageW(m_instance, MAKEINTRESOURCEW(IDI_KORVANI), IMAGE_ICON,
                                            m_main.scale(64), m_main.scale(64), LR_DEFAULTCOLOR)),
        0);
    m_aboutPage[1] =
        child(WC_STATICW, L"Korvani", SS_LEFT, 0, px + 88, py + 14, 68, 18, m_titleFont);
    m_versionLabel = m_aboutPage[2] = child(WC_STATICW, (L"version " + widen(kVersion)).c_str(),
                                            SS_LEFT, 0, px + 157, py + 18, 100, 14, m_font);
    m_buildLabel = m_aboutPage[3] = child(WC_STATICW, (L"Build: " + widen(kBuild)).c_str(), SS_LEFT,
                                          0, px + 88, py + 48, 150, 14, m_font);
    m_aboutPage[4] = child(WC_STATICW, L"Internet:", SS_LEFT, 0, px + 16, py + 80, 40, 14, m_font);
    // A space after "Internet:", however wide the face makes it.
    int linkLeft = 56;
    if (HDC dc = GetDC(m_hwnd)) {
        const HGDIOBJ old = SelectObject(dc, m_font);
        SIZE text{};
        GetTextExtentPoint32W(dc, L"Internet: ", 10, &text);
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        linkLeft = std::max(linkLeft, 16 + MulDiv(text.cx, 96, m_main.scale(96)));
    }
    m_homepageLink = m_aboutPage[5] =
        child(WC_STATICW, homepage.c_str(), SS_LEFT | SS_NOTIFY, IdUrl, px + linkLeft, py + 80,
              276 - linkLeft, 14, m_linkFont);
    SetWindowSubclass(m_homepageLink, handCursor, 1, 0);

    const int ox = px + 8;
    const int oy = py + 8;
    m_optionsPage[0] = child(WC_STATICW, L"", SS_ETCHEDFRAME, 0, ox, oy, 273, 145, m_font);
    // Each box carries its text, so that a click on the text toggles it as everywhere in Windows.
    const auto option = [&](const wchar_t* text, int id, int top) {
        return child(WC_BUTTONW, text, BS_AUTOCHECKBOX | WS_TABSTOP, id, ox + 12, oy + top, 256, 17,
                     m_font);
    };
    m_autoPasteBox = m_optionsPage[1] =
        option(L"Automatically paste script into target document", IdAutopaste, 23);
    m_unicodeFontBox = m_optionsPage[2] = option(L"Use Unicode Fonts (recommended)", IdUnicode, 48);
    m_hintsBox = m_optionsPage[3] = option(L"Show button hints", IdHints, 72);
    m_saveButton = m_optionsPage[4] =
        child(WC_BUTTONW, L"Save", BS_PUSHBUTTON, IdSave, ox + 56, oy + 107, 153, 22, m_font);
    m_optionsPage[5] = child(WC_STATICW, L"", SS_ETCHEDFRAME, 0, ox, py + 160, 273, 81, m_font);
    m_installFontsButton = m_optionsPage[6] =
        child(WC_BUTTONW, L"Install Legacy Fonts", BS_PUSHBUTTON, IdInstall, ox + 56, py + 192, 153,
              22, m_font);
    // The list drops down over what is below it. Its label comes after it here, as the pages'
    // controls are stacked in reverse below, which puts the label just before it.
    m_copyFaceBox = m_optionsPage[7] =
        child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, IdCopyFace, ox + 104,
              py + 166, 157, 200, m_font);
    m_optionsPage[8] =
        child(WC_STATICW, L"Face for copies:", SS_LEFT, 0, ox + 12, py + 170, 90, 14, m_font);
    m_closeButton =
        child(WC_BUTTONW, L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, IdOk, 121, 300, 75, 25, m_font);
    for (HWND control : m_optionsPage) {
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    for (HWND control : m_aboutPage) {
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    const PaletteOptions& options = m_main.palette().options();
    Button_SetCheck(m_autoPasteBox, options.autoPaste ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(m_unicodeFontBox, options.useUnicodeFont ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(m_hintsBox, options.showHints ? BST_CHECKED : BST_UNCHECKED);
    m_copyFaces = copyFaceChoices(
        [](std::string_view face) { return faceInstalled(widen(face).c_str()); }, options.copyFace);
    for (std::size_t i = 0; i < m_copyFaces.size(); ++i) {
        const std::wstring item = widen(m_copyFaces[i]) + (i == 0 ? L" (default)" : L"");
        SendMessageW(m_copyFaceBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (i > 0 && m_copyFaces[i] == options.copyFace) {
            SendMessageW(m_copyFaceBox, CB_SETCURSEL, i, 0);
        }
    }
    if (options.copyFace.empty()) {
        SendMessageW(m_copyFaceBox, CB_SETCURSEL, 0, 0);
    }
    // The legacy font's copies name the legacy font.
    EnableWindow(m_copyFaceBox, options.useUnicodeFont ? TRUE : FALSE);
    EnableWindow(m_saveButton, FALSE);
    EnableWindow(m_installFontsButton, isAdministrator() ? TRUE : FALSE);
    showPage(0);
}

void AboutWindow::showPage(int index) {
    for (HWND control : m_aboutPage) {
        ShowWindow(control, index == 0 ? SW_SHOW : SW_HIDE);
    }
    for (HWND control : m_optionsPage) {
        ShowWindow(control, index == 1 ? SW_SHOW : SW_HIDE);
    }
    InvalidateRect(m_hwnd, &m_page, TRUE);
}

void AboutWindow::optionChanged() {
    EnableWindow(m_saveButton, TRUE);
    EnableWindow(m_copyFaceBox, Button_GetCheck(m_unicodeFontBox) == BST_CHECKED ? TRUE : FALSE);
}

void AboutWindow::saveOptions() {
    // What this page does not show stays as it was.
    PaletteOptions options = m_main.palette().options();
    options.autoPaste = Button_GetCheck(m_autoPasteBox) == BST_CHECKED;
    options.useUnicodeFont = Button_GetCheck(m_unicodeFontBox) == BST_CHECKED;
    options.showHints = Button_GetCheck(m_hintsBox) == BST_CHECKED;
    const LRESULT face = SendMessageW(m_copyFaceBox, CB_GETCURSEL, 0, 0);
    // The default is stored as no choice at all.
    options.copyFace = face > 0 && static_cast<std::size_t>(face) < m_copyFaces.size()
                           ? m_copyFaces[static_cast<std::size_t>(face)]
                           : std::string();
    if (const std::optional<std::string> error = m_main.palette().saveOptions(options)) {
        // The general error box, which ends what failed with a full stop.
        MessageBoxW(m_hwnd, widen(*error + ".").c_str(), kAppTitle, MB_OK | MB_ICONERROR);
        return;
    }
    EnableWindow(m_saveButton, FALSE);
}

void AboutWindow::installFonts() {
    const std::wstring installer = widen(m_main.exeFolder()) + L"korvanifi.exe";
    // Its box belongs to this window and stands in front of it.
    const std::wstring arguments = L"/owner:" + std::to_wstring(reinterpret_cast<UINT_PTR>(m_hwnd));
    const auto started = reinterpret_cast<INT_PTR>(ShellExecuteW(
        m_hwnd, L"open", installer.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL));
    if (started <= 32) {
        MessageBoxW(m_hwnd,
                    (L"The font installer " + installer + L" could not be started.").c_str(),
                    kAppTitle, MB_OK | MB_ICONERROR);
    }
}

void AboutWindow::openHomepage() {
    const std::wstring address = widen(m_main.palette().homepage());
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(m_hwnd, L"open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
    if (opened <= 32) {
        // About stays open: the address is there to copy by hand.
        MessageBoxW(m_hwnd, (L"No program could open " + address + L".").c_str(), kAppTitle,
                    MB_OK | MB_ICONWARNING);
        return;
    }
    close();
}

void AboutWindow::close() {
    m_done = true;
    EnableWindow(m_main.hwnd(), TRUE);
    DestroyWindow(m_hwnd);
}

LRESULT AboutWindow::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        m_hwnd = hwnd;
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IdOk:
        case IDCANCEL:
            close();
            break;
        case IdUrl:
            if (HIWORD(wParam) == STN_CLICKED) {
                openHomepage();
            }
            break;
        case IdAutopaste:
        case IdUnicode:
        case IdHints:
            optionChanged();
            break;
        case IdCopyFace:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                optionChanged();
            }
            break;
        case IdSave:
            saveOptions();
            break;
        case IdInstall:
            installFonts();
            break;
        default:
            break;
        }
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_pages && header->code == TCN_SELCHANGE) {
            showPage(static_cast<int>(SendMessageW(m_pages, TCM_GETCURSEL, 0, 0)));
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        if (SendMessageW(m_pages, TCM_GETCURSEL, 0, 0) == 0) {
            // The "About" page: white, with a single-line border.
            FillRect(dc, &m_page, m_white);
            FrameRect(dc, &m_page, GetSysColorBrush(COLOR_WINDOWFRAME));
        }
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool aboutPage = SendMessageW(m_pages, TCM_GETCURSEL, 0, 0) == 0;
        SetBkMode(dc, TRANSPARENT);
        if (reinterpret_cast<HWND>(lParam) == m_homepageLink) {
            SetTextColor(dc, RGB(0, 0, 255));
        }
        return reinterpret_cast<LRESULT>(aboutPage ? m_white : GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
        close();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace korv::win32
