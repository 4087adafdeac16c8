// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QWidget>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "compositionline.h"
#include "messages.h"
#include "platform.h"
#include "settings/symbollists.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTextEdit;
class QTimer;

namespace korv {

class AllSymbolsPanel;
class MinePanel;
class TrayIcon;
class CompositionEdit;
class MessageBoxes;
class SymbolGrid;

/// The main window: the symbol chart, the composition line and its commands.
class TKorvForm final : public QWidget {
public:
    // The settings folder holds KORVANI.INI and KORVANI.LOG, the executable folder the font
    // installer; both end in "/". A portable copy passes one folder for both.
    struct Folders {
        std::string settings;
        std::string executable;
    };
    TKorvForm(platform::Platform& platform, MessageBoxes& boxes, Folders folders,
              QWidget* parent = nullptr);
    TKorvForm(platform::Platform& platform, MessageBoxes& boxes, const std::string& folder,
              QWidget* parent = nullptr)
        : TKorvForm(platform, boxes, Folders{folder, folder}, parent) {}
    ~TKorvForm() override;

    // Program-wide settings, filled at creation and changed by the Options page.
    bool AutoPaste = false;
    bool ShowHints = true;
    bool UseUnicodeFont = true;
    std::string Homepage;

    // Symbol chart
    void SpeedButtonClick(int tag);
    // A symbol of the "All" tab, by click or by Return in its search field.
    void AllGrid1Click(std::u16string_view chars);
    void MineGrid1Click(int entry);
    // The context menu of any symbol: "Add to Mine", "Remove from Mine", moving an entry.
    void SymbolMenuPopup(std::u16string_view symbol, QPoint globalPos);
    // Ctrl+D: a symbol, or the line's selection, becomes an entry of "Mine".
    void AddToMine(std::u16string_view symbol);
    void RemoveFromMine(std::u16string_view symbol);
    void MoveInMine(std::u16string_view symbol, int step);
    void TntEdit1PinKey();
    // The lists, read from the settings file when first needed.
    SymbolList& mineList();
    SymbolList& recentList();
    // Composition line
    void BtnDeleteClick();
    void BtnClearClick();
    // Window
    void FormCreate();
    void FormShow();
    void FormClose();
    void TabSet1Change(int newTab);
    void comboSizeChange(int index);
    void BtnCloseClick();
    void Restore1Click();
    void AboutClick();
    // A later start asked for the window ("/show", "/toggle").
    void SummonReceived(platform::SummonRequest request);
    // Export
    void BtnCopyClick();
    std::u16string ConvertUnicodeToKorvaniString(std::u16string_view text) const;
    static std::int32_t UnicodeToKorvaniCode(std::int32_t codeUnit);

    // One value into the settings file or the log; a failure shows the settings message.
    bool WriteIni(std::string_view section, std::string_view key, std::string_view value);
    bool WriteLog(std::string_view section, std::string_view key, std::string_view value);
    std::string settingsPath() const;
    std::string logPath() const;
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

    // Copy's staging controls, made when first needed: the rich text control alone adds some
    // 400 KiB to a start.
    void ensureStagingControls();

    // What the window's first picture does not need (its icon, the tray icon) comes once that
    // picture is on the screen, or as the loop starts for a window not being shown; Copy asks for
    // it too.
    void finishStart();

    // True while the composition line holds, or last held, the keyboard focus.
    bool lineIsActiveControl() const;

    // The controls, named as on the window.
    QWidget* MainPanel = nullptr;
    SymbolGrid* IPAPanel = nullptr;
    SymbolGrid* AdditionalPanel = nullptr;
    SymbolGrid* DiacriticsPanel1 = nullptr;
    AllSymbolsPanel* AllPanel = nullptr; // built when its tab is first shown
    MinePanel* MinePanel1 = nullptr;     // likewise
    QFrame* PanelKorvaniPro = nullptr;   // with TntEdit2 and TntRichEdit1: ensureStagingControls
    QFrame* TabPanel = nullptr;
    QTabBar* TabSet1 = nullptr;
    CompositionEdit* TntEdit1 = nullptr;
    QLineEdit* TntEdit2 = nullptr;
    QTextEdit* TntRichEdit1 = nullptr;
    QPushButton* BtnCopy = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnClear = nullptr;
    QPushButton* BtnAbout = nullptr;
    QPushButton* BtnClose = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* comboSize = nullptr;
    TrayIcon* TrayIcon1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildLayout();
    void loadTrayIcon();
    void showSettingsMessage();
    void placeFrameAt(int left, int top);
    void bringToFront();
    void showMinePanel();
    void noteInserted(std::u16string_view chars);
    // Writes a list; a failure is shown once per run, not at every click.
    void writeList(bool mine);
    // Says why a symbol could not be added, under the line, taking no focus.
    void tellNotAdded(const QString& why);
    LineState lineState() const;
    void applyEdit(const LineEdit& edit);
    void insertCharacters(std::u16string_view chars);
    void showAllSymbols();
    // Says once per run that a copy could not be pasted and waits for Ctrl+V.
    void tellToPasteByHand();
    template <typename Handler> void guarded(Handler&& handler) {
        runGuarded(m_boxes, std::forward<Handler>(handler));
    }

    platform::Platform& m_platform;
    MessageBoxes& m_boxes;
    std::string m_settingsFolder;
    std::string m_exeFolder;
    mutable std::map<int, QCursor> m_cursors;
    bool m_terminate = false;
    bool m_pasteNoticeGiven = false;
    bool m_closed = false; // the position has been saved for the end of the program
    bool m_quiet = false;  // ending unattended: failures are not shown
    bool m_painted = false;
    bool m_started = false;         // finishStart has run
    bool m_searchFromLine = false;  // the search field took the focus from the line
    std::u16string m_lineText;      // backing store for the view handed to the core
    QTimer* m_activation = nullptr; // asks again until a summoned window has the focus
    int m_activationTries = 0;
    std::optional<SymbolList> m_mine;
    std::optional<SymbolList> m_recent;
    bool m_listWriteFailed = false;
};

} // namespace korv
