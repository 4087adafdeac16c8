// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "messages.h"
#include "palette.h"
#include "platform.h"
#include "settings/inifile.h"

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTabBar;
class QTimer;

namespace korv {

class AllSymbolsPanel;
class ChartWindow;
class MinePanel;
class TrayIcon;
class CompositionEdit;
class SymbolGrid;

/// The main window on Linux: the palette's view. It lays out the chart, the composition line and
/// the commands, forwards what the user does to the palette, and shows what the palette says.
class MainWindow final : public QWidget, public PaletteView {
public:
    // The settings folder holds KORVANI.INI and KORVANI.LOG, the executable folder the font
    // installer; both end in "/". A portable copy passes one folder for both.
    struct Folders {
        std::string settings;
        std::string executable;
    };
    // phonemes makes the engine of spelling to IPA when first used; none: the feature is absent.
    MainWindow(platform::Platform& platform, MessageBoxes& boxes, Folders folders,
               PhonemeEngineFactory phonemes = {}, QWidget* parent = nullptr);
    MainWindow(platform::Platform& platform, MessageBoxes& boxes, const std::string& folder,
               PhonemeEngineFactory phonemes = {})
        : MainWindow(platform, boxes, Folders{folder, folder}, std::move(phonemes)) {}
    ~MainWindow() override;

    Palette& palette() { return *m_palette; }

    /// Brings the window back from the notification icon, hidden or minimised.
    void restoreWindow() override;
    /// A later start asked for the window ("/show", "/toggle").
    void summon(platform::SummonRequest request);
    /// Copy, or Paste; what the copy button and Ctrl+Return do.
    void copy(bool plainOnly = false);
    /// Hide: to the notification area, or minimised where there is none.
    void hideByCommand();

    std::string settingsPath() const;
    const std::string& exeFolder() const { return m_exeFolder; }
    const std::string& settingsFolder() const { return m_settingsFolder; }
    // The application's cursor table; the hand for links is under kHandCursor.
    static constexpr int kHandCursor = -25;
    QCursor cursor(int id) const;
    // Shows the window if it is hidden while no notification area could bring it back.
    void ensureReachable();
    // From now on, later starts with "/show" or "/toggle" reach this window.
    void listenForSummons();
    // How long a start in the notification area waits, hidden, for one to appear: at log-in the
    // desktop starts its panel beside the autostarted programs, often some seconds behind.
    static constexpr int kTrayGraceMs = 10000;
    // The longest a shown window's tray icon waits for the window's first paint.
    static constexpr int kLatestStartMs = 1000;
    // Set when the start-up log could not be written: the program ends as its loop starts.
    bool terminateRequested() const { return m_terminate; }
    // Ends the program as closing the window does, when asked from outside (a signal, the
    // session): the position is saved, and no message waits for a user who may be gone.
    void endSession();

    // What the window's first picture does not need (its icon, the tray icon) comes once that
    // picture is on the screen, or as the loop starts for a window not being shown; Copy asks for
    // it too.
    void finishStart();
    // Where the pictures of the cells shown at start are kept between runs.
    static QString keptCellPictures();

    // True while the composition line holds, or last held, the keyboard focus.
    bool lineIsActiveControl() const;
    // The context menu of any symbol: "Add to Mine", "Remove from Mine", moving an entry.
    void showSymbolMenu(std::u16string_view symbol, QPoint globalPos);

    // The controls.
    QWidget* clientArea = nullptr;
    SymbolGrid* standardChart = nullptr;
    SymbolGrid* additionalChart = nullptr;
    SymbolGrid* diacriticsChart = nullptr;
    AllSymbolsPanel* allPanel = nullptr; // built when its tab is first shown
    MinePanel* minePanel = nullptr;      // likewise
    ChartWindow* chartWindow = nullptr;  // built when first opened
    QFrame* tabFrame = nullptr;
    QTabBar* chartTabs = nullptr;
    CompositionEdit* lineEdit = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* hideButton = nullptr;
    QLabel* sizeLabel = nullptr;
    QComboBox* sizeBox = nullptr;
    QFrame* alternativesBar = nullptr; // the other pronunciations of transcribed words
    TrayIcon* trayIcon = nullptr;

    // PaletteView
    LineSnapshot line() const override;
    void showLine(std::u16string_view text, std::size_t caret, bool focus) override;
    void focusLine() override;
    void replaceText(std::size_t start, std::size_t length, std::u16string_view text) override;
    void showAlternatives(const std::vector<TranscribedWord>& words) override;
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
    void bringToFront() override;
    void openAbout() override;
    void showChart(const ChartPlacement& placement) override;
    void showChartZoom(int zoom) override;
    std::optional<ChartPlacement> chartPlacement() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildLayout();
    void connectControls();
    void loadTrayIcon();
    bool notificationAreaShown() const;
    void showAllPanel();
    void showMinePanel();
    void addLineCommands(QMenu& menu);
    template <typename Handler> void guarded(Handler&& handler) {
        runGuarded(m_boxes, std::forward<Handler>(handler));
    }

    platform::Platform& m_platform;
    MessageBoxes& m_boxes;
    std::string m_settingsFolder;
    std::string m_exeFolder;
    IniFile m_settings;
    IniFile m_log;
    std::unique_ptr<Transcriber> m_transcriber;
    std::unique_ptr<Palette> m_palette;
    mutable std::map<int, QCursor> m_cursors;
    bool m_terminate = false;
    bool m_painted = false;
    bool m_started = false;         // finishStart has run
    bool m_searchFromLine = false;  // the search field took the focus from the line
    QTimer* m_activation = nullptr; // asks again until a summoned window has the focus
    int m_activationTries = 0;
};

} // namespace korv
