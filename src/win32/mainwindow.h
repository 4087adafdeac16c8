// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foregroundpaste.h"
#include "minepanel.h"
#include "palette.h"
#include "profileini.h"
#include "searchpanel.h"
#include "systemclipboard.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

namespace korv::win32 {

class ChartWindow;

inline constexpr wchar_t kAppTitle[] = L"Korvani v6";
inline constexpr wchar_t kMainWindowClass[] = L"KorvaniMainWindow";
inline constexpr UINT kAboutCommand = 0xF45A;

/// Where the settings live, worked out once before anything reads them.
struct SettingsPlace {
    SettingsPlace();
    std::string exeFolder;
    std::string folder;
};

/// The main window: a view of the palette. The chart, the line and the commands sit at 96-DPI
/// positions scaled by the window's DPI; what the user does goes to the palette.
class MainWindow final : public PaletteView {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    /// Makes the window and starts the palette; false when the program must end.
    bool create(bool hidden);
    HWND hwnd() const { return m_hwnd; }
    /// Keys the window handles before dialog navigation (see mainwindowkeys.cpp).
    bool preTranslate(const MSG& msg);
    /// A later start asked for the window.
    void summoned(platform::SummonRequest request);

    Palette& palette() { return m_palette; }
    const std::string& exeFolder() const { return m_place.exeFolder; }
    int scale(int pixels) const { return MulDiv(pixels, static_cast<int>(m_dpi), 96); }
    HFONT glyphFont() const { return m_glyphFont; }

    // PaletteView (mainwindowview.cpp).
    LineSnapshot line() const override;
    void showLine(std::u16string_view text, std::size_t caret, bool focus) override;
    void replaceText(std::size_t start, std::size_t length, std::u16string_view text) override;
    void focusLine() override;
    void showChart(const ChartPlacement& placement) override;
    void showChartZoom(int zoom) override;
    std::optional<ChartPlacement> chartPlacement() const override;
    // Spelling to IPA is not part of this build: there is never a choice to offer.
    void showAlternatives(const std::vector<TranscribedWord>& /*words*/) override {}
    void showCopyCaption(std::string_view caption) override;
    void showHints(bool on) override;
    void showSizeIndex(int index) override;
    void showTab(ChartTab tab) override;
    void focusSearch() override;
    void showMine(const std::vector<std::u16string>& entries) override;
    void showRecent(const std::vector<std::u16string>& entries) override;
    void showMessage(std::string_view text) override;
    void showError(std::string_view text) override;
    void showNotice(std::string_view text) override;
    void showNotAdded(std::string_view why) override;
    void placeWindow(ScreenPosition position) override;
    std::optional<ScreenPosition> windowPosition() const override;
    ScreenSize frameSize() const override;
    std::vector<Rect> workAreas() const override;
    std::uintptr_t nativeHandle() const override;
    bool isInFront() const override;
    void hideWindow() override;
    void minimizeWindow() override;
    void restoreWindow() override;
    void bringToFront() override;
    void openAbout() override;

private:
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleTray(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void handleCommand(int id, int code, HWND control);
    void createControls();
    void layout();
    RECT scaled(const Rect& r) const;
    void makeFonts();
    void paintFrames(HDC dc);
    void addTrayIcon();
    void close(bool unattended);
    void showSymbolMenu(const std::u16string& symbol, POINT screen);

    HINSTANCE m_instance;
    SettingsPlace m_place;
    ProfileIni m_settings;
    StartupLogIni m_log;
    SystemClipboard m_clipboard;
    ForegroundPasteTarget m_pasteTarget;
    Palette m_palette;

    HWND m_hwnd = nullptr;
    HWND m_line = nullptr;
    HWND m_copyButton = nullptr;
    HWND m_backButton = nullptr;
    HWND m_clearButton = nullptr;
    HWND m_sizeLabel = nullptr;
    HWND m_sizeBox = nullptr;
    HWND m_aboutButton = nullptr;
    HWND m_hideButton = nullptr;
    HWND m_tabs = nullptr;
    HWND m_tooltip = nullptr;
    HWND m_trayWindow = nullptr;
    std::array<HWND, 62> m_symbols{};
    std::unique_ptr<SearchPanel> m_search;
    std::unique_ptr<MinePanel> m_mine;
    std::unique_ptr<ChartWindow> m_chart; // made at its first opening
    HFONT m_guiFont = nullptr;
    HFONT m_boldFont = nullptr;
    HFONT m_lineFont = nullptr;
    HFONT m_glyphFont = nullptr;
    HICON m_icon = nullptr;
    HICON m_smallIcon = nullptr;
    UINT m_dpi = 96;
    UINT m_taskbarCreated = 0;
    bool m_trayShown = false;
    // Ctrl+Return pressed, its copy waiting for the keys to be let go.
    bool m_copyArmed = false;
    HWND m_lastFocus = nullptr;
    bool m_copyReturnDown = false;
    bool m_copyCtrlDown = false;
    bool m_copyPlain = false; // armed by Ctrl+Shift+Return
    ChartTab m_tab = ChartTab::Standard;
    std::wstring m_ipaFace;
};

} // namespace korv::win32
