// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "profileini.h"
#include "settings/settings.h"

#include <windows.h>

#include <array>
#include <string>

namespace korv::win32 {

inline constexpr wchar_t kAppTitle[] = L"Korvani v6";
inline constexpr UINT kAboutCommand = 0xF45A;

// The main window: the chart, the composition line and the commands, at 96-DPI positions scaled
// by the window's DPI.
class TKorvForm final {
public:
    explicit TKorvForm(HINSTANCE instance);
    ~TKorvForm();
    TKorvForm(const TKorvForm&) = delete;
    TKorvForm& operator=(const TKorvForm&) = delete;

    // False when the start-up log could not be written: the settings message was shown.
    bool create(bool hidden);
    HWND hwnd() const { return m_hwnd; }
    // Keys the window handles before dialog navigation: Ctrl+Return copies.
    bool preTranslate(const MSG& msg);

    Settings& settings() { return m_settings; }
    const std::string& settingsPath() const { return m_iniPath; }
    const std::string& exeFolder() const { return m_exeFolder; }
    // Applies ShowHints to the chart's tooltips and AutoPaste to the copy button.
    void applyHints();
    void setCopyCaption(bool paste);
    void showSettingsMessage();
    int scale(int pixels) const { return MulDiv(pixels, static_cast<int>(m_dpi), 96); }

    void SpeedButtonClick(std::size_t index);
    void BtnCopyClick();
    void BtnDeleteClick();
    void BtnClearClick();
    void BtnCloseClick();
    void AboutClick();
    void Restore1Click();
    void TabSet1Change(int index);
    void comboSizeChange();
    void FormShow();
    void FormClose();

    // The face the glyphs and the line are drawn in: the first installed of a list with IPA.
    const std::wstring& ipaFace() const { return m_ipaFace; }
    HFONT glyphFont() const { return m_glyphFont; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK trayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void layout();
    void makeFonts();
    void paintFrames(HDC dc);
    void addTrayIcon();
    void trackForeground();
    void sendAutoPaste();

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HWND TntEdit1 = nullptr;
    HWND BtnCopy = nullptr;
    HWND BtnDelete = nullptr;
    HWND BtnClear = nullptr;
    HWND Label1 = nullptr;
    HWND comboSize = nullptr;
    HWND BtnAbout = nullptr;
    HWND BtnClose = nullptr;
    HWND TabSet1 = nullptr;
    HWND m_tooltip = nullptr;
    HWND m_trayWindow = nullptr;
    HWND m_previous = nullptr;
    std::array<HWND, 62> m_symbols{};
    HFONT m_guiFont = nullptr;
    HFONT m_boldFont = nullptr;
    HFONT m_lineFont = nullptr;
    HFONT m_glyphFont = nullptr;
    HICON m_icon = nullptr;
    HICON m_smallIcon = nullptr;
    UINT m_dpi = 96;
    UINT m_taskbarCreated = 0;
    bool m_shownOnce = false;
    bool m_closing = false;
    int m_tab = 0;
    std::wstring m_ipaFace;
    std::string m_exeFolder;
    std::string m_iniPath;
    Settings m_settings;
};

} // namespace korv::win32
