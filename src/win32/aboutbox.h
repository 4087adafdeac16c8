// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace korv::win32 {

class TKorvForm;

// The About window: a fresh modal window at each opening, with the "About" and "Options" pages.
class TAboutBox final {
public:
    TAboutBox(TKorvForm& form, HINSTANCE instance);
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    // Runs until the window closes; the main window takes no input meanwhile.
    void showModal();

    void FormCreate();
    void FormShow();
    void chOptionClick();
    void sbSaveOptionsClick();
    void sbInstallFontsClick();
    void KorvaniHomepageClick();
    void OKButtonClick();
    void PageChange(int index);
    static bool IsAdmin();

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int left, int top,
               int width, int height, HFONT font);

    TKorvForm& m_form;
    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HWND PageControl1 = nullptr;
    HWND OKButton = nullptr;
    HWND Label8 = nullptr;
    HWND Label1 = nullptr;
    HWND lbURL2 = nullptr;
    HWND chAutopaste = nullptr;
    HWND chUseUnicodeFont = nullptr;
    HWND chShowHints = nullptr;
    HWND sbSaveOptions = nullptr;
    HWND sbInstallFonts = nullptr;
    HWND m_aboutPage[6] = {};
    HWND m_optionsPage[10] = {};
    HFONT m_font = nullptr;
    HFONT m_titleFont = nullptr;
    HFONT m_linkFont = nullptr;
    HBRUSH m_white = nullptr;
    RECT m_page{};
    bool m_done = false;
};

} // namespace korv::win32
