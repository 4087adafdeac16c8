// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "clipboard.h"
#include "paletteview.h"
#include "pastetarget.h"
#include "settings/iniaccess.h"
#include "settings/symbollists.h"
#include "summon.h"
#include "symbolsearch.h"
#include "transcriber.h"

namespace korv {

/// What the palette needs of the world beyond its window.
struct PaletteServices {
    IniAccess& settings; // KORVANI.INI
    IniAccess& log;      // KORVANI.LOG, rewritten at every start
    platform::Clipboard& clipboard;
    platform::PasteTarget& pasteTarget;
    std::string settingsPath;  // named in messages
    bool placesWindows = true; // false where the compositor alone places windows
    // Spelling to IPA; none where the program is built without it.
    Transcriber* transcriber = nullptr;
};

/// The options the About window's Options page shows and saves.
struct PaletteOptions {
    bool autoPaste = false;
    bool showHints = true;
    bool useUnicodeFont = true;
    TranscribeOptions transcribe;
    std::string copyFace = {}; // the face rich copies name; empty: the one they always named
    friend bool operator==(const PaletteOptions&, const PaletteOptions&) = default;
};

/// What a symbol's context menu offers.
struct SymbolMenu {
    bool inMine = false; // offers "Remove from Mine", "Move Left", "Move Right"
    bool canAdd = false; // "Add to Mine" is enabled
    bool canMoveLeft = false;
    bool canMoveRight = false;
};

/// Korvani's behaviour, whatever toolkit draws it: the composition line, the settings, the
/// user's symbols, Copy and Paste, the search and the window's life. Each main window is a view
/// of one palette: it forwards what the user does here and shows what the palette tells it.
class Palette final {
public:
    Palette(PaletteView& view, PaletteServices services);
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;

    // Start and close (palettestart.cpp).

    /// Reads the settings and shows them, places the window and rewrites the log; false when the
    /// log could not be written, and the program must end.
    bool start();
    /// Shows what the options say, as the window is shown by the program; the first time, with
    /// the keyboard focus in the line.
    void shown();
    /// Saves the window's position as the program ends; unattended, failures are not shown.
    void close(bool unattended = false);
    /// True once close has run.
    bool closed() const { return m_closed; }
    /// The user picked an entry of the size list.
    void pickSize(int index);
    int sizeIndex() const { return m_sizeIndex; }
    /// Saves the options in their order; on failure what failed, for the general error box (which
    /// ends it with a full stop), and the window left as it was.
    std::optional<std::string> saveOptions(const PaletteOptions& options);
    const PaletteOptions& options() const { return m_options; }
    const std::string& homepage() const { return m_homepage; }
    /// Hide: to the notification area where there is one, else minimised.
    void hide(bool notificationAreaShown);
    /// A later start asked for the window.
    void summoned(platform::SummonRequest request, bool notificationAreaShown);

    // The line (paletteedit.cpp).

    /// Inserts a symbol at the caret (a diacritic after the character before it) and records it
    /// as used; the keys go on into the line, or into the search field while the user searches.
    void insert(std::u16string_view symbol);
    /// Inserts the symbol of a chart button.
    void insertChartSymbol(int tag);
    /// Back: removes the character before the caret.
    void back();
    /// Clear all: one step for Undo, and the keys go into the line.
    void clear();
    /// Converts the selection, or the whole line, from X-SAMPA to IPA as one undoable step.
    void convertXsampa();
    /// Ctrl+T: the selection, or the words before the caret, from English spelling to IPA as one
    /// undoable step; the words that may be said otherwise are offered to choose from.
    void transcribe();
    /// Puts another pronunciation of a word of the last transcription in its place.
    void chooseAlternative(std::size_t word, std::size_t alternative);
    /// The accent and symbols of spelling to IPA, kept at once.
    void setTranscribeOptions(const TranscribeOptions& options);

    // Tabs and search.

    void showTab(ChartTab tab);
    /// Ctrl+Page Down (+1) and Ctrl+Page Up (-1), from the last chart back to the first.
    void stepTab(int step);
    ChartTab tab() const { return m_tab; }
    /// Ctrl+F: the All tab with the focus in its search field.
    void findSymbol();
    /// The All tab's search, which a view shows and steers.
    SymbolSearch& search() { return m_search; }
    /// Return in the search field, or a click on a result: inserts the chosen result, if any, and
    /// the keys go back to the line.
    void insertChosen();

    // Copy and Paste (palettecopy.cpp).

    /// Copy, or Paste with auto-paste on; plainOnly (Ctrl+Shift+C, Ctrl+Shift+Return) leaves the
    /// rich copy out, for a document whose own face should stay.
    void copy(bool plainOnly = false);
    /// The caption of the copy button.
    std::string_view copyCaption() const;

    // The IPA chart window (palettechart.cpp).

    /// Ctrl+K or the All tab's button: the chart window where it was left, or raised if open.
    void openChart();
    /// Ctrl+plus (+1), Ctrl+minus (-1) or Ctrl+wheel: the open chart's next zoom step, kept.
    void zoomChart(int step);
    int chartZoom() const { return m_chartZoom; }
    bool chartOpen() const { return m_chartOpen; }
    /// The chart window was closed: its place, size and zoom are kept for the next time.
    void chartClosed();

    // The user's own symbols (palettesymbols.cpp).

    const std::vector<std::u16string>& mine();
    const std::vector<std::u16string>& recent();
    SymbolMenu menuFor(std::u16string_view symbol);
    void addToMine(std::u16string_view symbol);
    void removeFromMine(std::u16string_view symbol);
    void moveInMine(std::u16string_view symbol, int step);
    /// Ctrl+D in the line: the selection becomes one entry of Mine.
    void pinSelection();
    /// Ctrl+D in the search field: the chosen result becomes one entry of Mine.
    void pinChosen();

private:
    void showSettingsFailure();
    void applyOptions();
    void applyEdit(std::u16string text, std::size_t caret, bool focus);
    void insertAt(std::u16string_view symbol, bool searchDone);
    void dropChoices();
    void noteUsed(std::u16string_view symbol);
    SymbolList& mineList();
    SymbolList& recentList();
    void writeList(bool mine);
    void saveChartPlacement();
    void pasteDone(platform::PasteResult result);

    PaletteView& m_view;
    PaletteServices m_services;
    PaletteOptions m_options;
    std::string m_homepage;
    int m_sizeIndex = kDefaultSizeIndex;
    ChartTab m_tab = ChartTab::Standard;
    SymbolSearch m_search;
    std::optional<SymbolList> m_mine;
    std::optional<SymbolList> m_recent;
    int m_chartZoom = 100;
    bool m_chartOpen = false;
    std::vector<TranscribedWord> m_choices; // of the last transcription, in line positions
    bool m_shownOnce = false;
    bool m_closed = false;
    bool m_quiet = false;
    std::vector<std::string_view> m_pasteNoticesGiven; // each told once a run
    std::string m_keptPermission;                      // as the settings file holds it
    // Lets an answer that comes after the palette is gone find that out.
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
    bool m_listWriteFailed = false;
};

} // namespace korv
