// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace korv::win32 {

class MainWindow;

/// The About window: a fresh modal window at each opening, with the "About" and "Options" pages.
class AboutWindow final {
public:
    AboutWindow(MainWindow& main, HINSTANCE instance);
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    /// Runs until the window closes; the main window takes no input meanwhile.
    void showModal();

private:
    void createControls();
    void optionChanged();
    void saveOptions();
    void installFonts();
    void openHomepage();
    void close();
    void showPage(int index);
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int left, int top,
               int width, int height, HFONT font);

    MainWindow& m_main;
    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HWND m_pages = nullptr;
    HWND m_closeButton = nullptr;
    HWND m_versionLabel = nullptr;
    HWND m_buildLabel = nullptr;
    HWND m_homepageLink = nullptr;
    HWND m_autoPasteBox = nullptr;
    HWND m_unicodeFontBox = nullptr;
    HWND m_hintsBox = nullptr;
    HWND m_saveButton = nullptr;
    HWND m_installFontsButton = nullptr;
    HWND m_aboutPage[6] = {};
    HWND m_copyFaceBox = nullptr;
    HWND m_optionsPage[9] = {};
    HFONT m_font = nullptr;
    HFONT m_titleFont = nullptr;
    HFONT m_linkFont = nullptr;
    HBRUSH m_white = nullptr;
    RECT m_page{};
    // The faces offered for copies, the default (stored as none) first.
    std::vector<std::string> m_copyFaces;
    bool m_done = false;
};

} // namespace korv::win32
