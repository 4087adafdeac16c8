// SPDX-License-Identifier: GPL-3.0-or-later
// Korvani's behaviour, driven through the palette with a fake window and fake services: what both
// front ends show is decided here once.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "copypayload.h"
#include "fakeengine.h"
#include "fakes.h"
#include "ipachart.h"
#include "legacycode.h"
#include "palette.h"
#include "richtext.h"
#include "settings/settings.h"
#include "settings/symbollists.h"

namespace korv {
namespace {

const std::u16string kShiLong = u"\u0283i\u02D0";

class PaletteTest : public ::testing::Test {
protected:
    Palette& start(bool placesWindows = true) {
        m_palette = std::make_unique<Palette>(
            m_view, PaletteServices{m_settings, m_log, m_clipboard, m_paste, "/home/u/KORVANI.INI",
                                    placesWindows, m_transcriber.get()});
        m_started = m_palette->start();
        m_palette->shown();
        return *m_palette;
    }
    void setLine(std::u16string text, std::size_t caret, std::size_t selected = 0,
                 bool active = true) {
        m_view.m_line = {std::move(text), caret, selected, active};
    }
    std::string ini(const std::string& section, const std::string& key) const {
        const auto it = m_settings.m_values.find({section, key});
        return it == m_settings.m_values.end() ? "<none>" : it->second;
    }

    MemoryIni m_settings;
    MemoryIni m_log;
    RecordingClipboard m_clipboard;
    RecordingPasteTarget m_paste;
    FakeView m_view;
    std::shared_ptr<test::EngineLog> m_engineLog = std::make_shared<test::EngineLog>();
    std::unique_ptr<Transcriber> m_transcriber =
        std::make_unique<Transcriber>(test::fakeEngineFactory(m_engineLog, test::kFakeWords));
    std::unique_ptr<Palette> m_palette;
    bool m_started = false;
};

TEST_F(PaletteTest, StartShowsTheStoredSettingsAndRewritesOnlyTheLog) {
    struct Case {
        const char* name;
        std::map<std::pair<std::string, std::string>, std::string> stored;
        bool placesWindows;
        int sizeIndex;
        std::optional<ScreenPosition> placed;
        std::string caption;
        bool hints;
    };
    const Case cases[] = {
        {"no file: the defaults, auto-paste off",
         {},
         true,
         6,
         ScreenPosition{50, 50},
         "Copy",
         true},
        {"stored values",
         {{{"Korvani", "AutoPaste"}, "1"},
          {{"Korvani", "ShowHints"}, "0"},
          {{"Korvani", "FontSize"}, "15"},
          {{"Position", "Left"}, "-20"},
          {{"Position", "Top"}, "900"}},
         true,
         15,
         ScreenPosition{-20, 900},
         "Paste",
         false},
        {"a size the list lacks selects none",
         {{{"Korvani", "FontSize"}, "16"}},
         true,
         -1,
         ScreenPosition{50, 50},
         "Copy",
         true},
        {"junk",
         {{{"Korvani", "FontSize"}, "x"}, {{"Korvani", "AutoPaste"}, "yes"}},
         true,
         6,
         ScreenPosition{50, 50},
         "Copy",
         true},
        {"where the compositor places windows the position waits",
         {},
         false,
         6,
         std::nullopt,
         "Copy",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings = {};
        m_settings.m_values = c.stored;
        m_log = {};
        m_view = {};
        start(c.placesWindows);
        EXPECT_TRUE(m_started);
        EXPECT_EQ(m_view.m_sizeIndex, c.sizeIndex);
        EXPECT_EQ(m_view.m_placed, c.placed);
        EXPECT_EQ(m_view.m_caption, c.caption);
        EXPECT_EQ(m_view.m_hints, c.hints);
        EXPECT_TRUE(m_settings.m_writes.empty());
        EXPECT_TRUE(m_view.m_focusedLine); // keys typed at once go into the line
        EXPECT_EQ(m_log.m_values.at({"KORVANI.EXE", "Version"}), kVersion);
        EXPECT_TRUE(m_view.m_messages.empty());
    }
}

TEST_F(PaletteTest, APositionOffEveryScreenIsPlacedOnTheNearestAndNotSavedAtStart) {
    m_settings.m_values = {{{"Position", "Left"}, "-30000"}, {{"Position", "Top"}, "-30000"}};
    m_view.m_workAreas = {{0, 30, 1280, 770}};
    start();
    EXPECT_EQ(m_view.m_placed, (ScreenPosition{0, 30}));
    EXPECT_TRUE(m_settings.m_writes.empty());
}

TEST_F(PaletteTest, ALogThatCannotBeWrittenSaysSoOnceEndsAndSavesNothing) {
    m_log.m_readOnly = true;
    start();
    EXPECT_FALSE(m_started);
    ASSERT_EQ(m_view.m_messages.size(), 1U);
    // The folder named; one paragraph break, and no line break the box would not wrap better.
    EXPECT_EQ(m_view.m_messages[0].find('\r'), std::string::npos);
    EXPECT_NE(m_view.m_messages[0].find("unable to save or update its settings in /home/u.\n\n"),
              std::string::npos);
    EXPECT_EQ(std::count(m_view.m_messages[0].begin(), m_view.m_messages[0].end(), '\n'), 2);
    m_palette->close();
    EXPECT_TRUE(m_settings.m_writes.empty());
}

TEST_F(PaletteTest, ClosingSavesThePositionAndSaysOnceWhenItCannot) {
    struct Case {
        const char* name;
        bool readOnly;
        bool unattended;
        bool placesWindows;
        std::vector<std::string> writes;
        std::size_t messages;
    };
    const Case cases[] = {
        {"left then top", false, false, true, {"Position/Left=120", "Position/Top=80"}, 0},
        {"a read-only file: both tried, one message",
         true,
         false,
         true,
         {"Position/Left=120", "Position/Top=80"},
         1},
        {"unattended: no message", true, true, true, {"Position/Left=120", "Position/Top=80"}, 0},
        {"the compositor places windows: nothing written", false, false, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings = {};
        m_view = {};
        start(c.placesWindows);
        m_settings.m_readOnly = c.readOnly;
        m_palette->close(c.unattended);
        m_palette->close(); // a second close (the session ends after the window) does nothing
        EXPECT_EQ(m_settings.m_writes, c.writes);
        EXPECT_EQ(m_view.m_messages.size(), c.messages);
    }
}

TEST_F(PaletteTest, EditsOfTheLine) {
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t caret;
        std::size_t selected;
        bool active;
        std::function<void(Palette&)> act;
        std::u16string expected;
        std::size_t expectedCaret;
    };
    const Case cases[] = {
        {"a symbol at the caret", u"ab", 1, 0, true, [](Palette& p) { p.insert(u"\u0283"); },
         u"a\u0283b", 2},
        {"the chart button of near", u"", 0, 0, true, [](Palette& p) { p.insertChartSymbol(2618); },
         u"\u026A\u0259", 2},
        {"a diacritic after the character before the caret", u"ab", 1, 0, true,
         [](Palette& p) { p.insert(u"\u0303"); }, u"a\u0303b", 2},
        {"at the end while the line is not the active control", u"ab", 0, 0, false,
         [](Palette& p) { p.insert(u"i"); }, u"abi", 3},
        {"a selection is never replaced", u"abc", 1, 1, true, [](Palette& p) { p.insert(u"i"); },
         u"aibc", 2},
        {"back removes one character", u"t\u0283", 2, 0, true, [](Palette& p) { p.back(); }, u"t",
         1},
        {"back removes a symbol beyond the BMP whole", u"a\U0001DF08", 3, 0, true,
         [](Palette& p) { p.back(); }, u"a", 1},
        {"clear all", u"abc", 2, 0, true, [](Palette& p) { p.clear(); }, u"", 0},
        {"X-SAMPA of the whole line", u"D@ \"k{t", 0, 0, true,
         [](Palette& p) { p.convertXsampa(); }, u"\u00F0\u0259 \u02C8k\u00E6t", 7},
        {"X-SAMPA of the selection alone", u"D@ D@", 3, 2, true,
         [](Palette& p) { p.convertXsampa(); }, u"D@ \u00F0\u0259", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view = {};
        start();
        setLine(c.text, c.caret, c.selected, c.active);
        c.act(*m_palette);
        EXPECT_EQ(m_view.m_line.text, c.expected);
        EXPECT_EQ(m_view.m_line.selStart, c.expectedCaret);
    }
}

TEST_F(PaletteTest, KeysGoWhereTheyWereGoingAndClearAllIsOneUndoStep) {
    struct Case {
        const char* name;
        bool inSearch; // the user was typing in the search field
        std::function<void(Palette&)> act;
        bool lineTakesKeys; // the keys typed next go into the line
        int undoSteps;
    };
    const Case cases[] = {
        {"clear all from the line", false, [](Palette& p) { p.clear(); }, true, 1},
        {"clear all from the search field: the user writes anew", true,
         [](Palette& p) { p.clear(); }, true, 1},
        {"a tab while writing", false, [](Palette& p) { p.showTab(ChartTab::Additional); }, true,
         0},
        {"a tab while searching hides the field: the line", true,
         [](Palette& p) { p.showTab(ChartTab::Standard); }, true, 0},
        {"the All tab again while searching", true, [](Palette& p) { p.showTab(ChartTab::All); },
         false, 0},
        {"a symbol while searching", true, [](Palette& p) { p.insert(u"\u0283"); }, false, 0},
        {"a symbol while writing", false, [](Palette& p) { p.insert(u"\u0283"); }, true, 0},
        {"back while searching", true, [](Palette& p) { p.back(); }, false, 0},
        {"the search's result chosen: back to writing", true,
         [](Palette& p) {
             p.search().setQuery(u"schwa");
             p.insertChosen();
         },
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view = {};
        start();
        m_view.m_focusedLine = false;
        m_view.m_line = {u"ab", 1, 0, true, c.inSearch};
        c.act(*m_palette);
        EXPECT_EQ(m_view.m_focusedLine || m_view.m_lineFocused > 0, c.lineTakesKeys);
        EXPECT_EQ(m_view.m_undoSteps, c.undoSteps);
    }
    // Clear all of an empty line is no step at all.
    m_view = {};
    start();
    m_palette->clear();
    EXPECT_EQ(m_view.m_undoSteps, 0);
}

TEST_F(PaletteTest, TheLastTabIsShownAtTheNextStart) {
    start();
    EXPECT_EQ(m_view.m_tab, ChartTab::Standard);
    m_palette->showTab(ChartTab::Mine);
    EXPECT_EQ(ini("Korvani", "LastTab"), "3");
    m_settings.m_writes.clear();
    m_palette->stepTab(0); // the same tab again writes nothing
    EXPECT_TRUE(m_settings.m_writes.empty());
    start();
    EXPECT_EQ(m_view.m_tab, ChartTab::Mine);
    EXPECT_EQ(m_palette->tab(), ChartTab::Mine);
    for (const char* unknown : {"4", "-1", "x"}) {
        SCOPED_TRACE(unknown);
        m_settings.m_values[{"Korvani", "LastTab"}] = unknown;
        start();
        EXPECT_EQ(m_view.m_tab, ChartTab::Standard);
    }
}

TEST_F(PaletteTest, XsampaIsOneStepForUndoAndLeavesIpaAlone) {
    start();
    setLine(u"\u00F0\u0259", 0);
    m_palette->convertXsampa();
    EXPECT_EQ(m_view.m_undoSteps, 0);
    setLine(u"t_h", 0);
    m_palette->convertXsampa();
    EXPECT_EQ(m_view.m_line.text, u"t\u02B0");
    EXPECT_EQ(m_view.m_undoSteps, 1);
}

TEST_F(PaletteTest, CopyPutsPlainRtfAndHtmlInTheFaceAndSizeThenPastesWhenAsked) {
    struct Case {
        const char* name;
        bool useUnicodeFont;
        bool autoPaste;
        int sizeIndex;
        std::u16string line;
        bool pasteWorks;
        std::u16string plain; // empty: nothing copied
        std::string face;
        int points;
        std::size_t pastes;
        std::size_t notices;
        std::string storedFace; // the face chosen for copies
        bool plainOnly;         // Ctrl+Shift+C
    };
    const Case cases[] = {
        {"unicode, 16 pt", true, false, 6, kShiLong, true, kShiLong, "Lucida Sans Unicode", 16, 0,
         0, "", false},
        {"legacy font", false, false, 0, kShiLong, true, u"\u00A7i\u00AD", "Korvani", 8, 0, 0, "",
         false},
        {"auto-paste", true, true, 15, kShiLong, true, kShiLong, "Lucida Sans Unicode", 72, 1, 0,
         "", false},
        {"a paste that could not go out is told", true, true, 6, kShiLong, false, kShiLong,
         "Lucida Sans Unicode", 16, 1, 1, "", false},
        {"nothing copied: nothing pasted", true, true, 6, u"", true, u"", "", 0, 0, 0, "", false},
        {"the face chosen for copies", true, false, 6, kShiLong, true, kShiLong, "Charis SIL", 16,
         0, 0, "Charis SIL", false},
        {"the legacy font names its own face whatever was chosen", false, false, 0, kShiLong, true,
         u"\u00A7i\u00AD", "Korvani", 8, 0, 0, "Charis SIL", false},
        {"plain text alone", true, false, 6, kShiLong, true, kShiLong, "", 0, 0, 0, "Charis SIL",
         true},
        {"plain text alone is Unicode in the legacy mode too, and pasted", false, true, 6, kShiLong,
         true, kShiLong, "", 0, 1, 0, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings = {};
        m_settings.m_values = {{{"Korvani", "AutoPaste"}, c.autoPaste ? "1" : "0"},
                               {{"Korvani", "UseUnicodeFont"}, c.useUnicodeFont ? "1" : "0"},
                               {{"Korvani", "FontSize"}, std::to_string(c.sizeIndex)},
                               {{"Korvani", "CopyFace"}, c.storedFace}};
        m_view = {};
        m_clipboard = {};
        m_paste = {};
        m_paste.m_result =
            c.pasteWorks ? platform::PasteResult::Pasted : platform::PasteResult::NotSwitched;
        start();
        setLine(c.line, 0, 0, false);
        m_palette->copy(c.plainOnly);
        if (c.plain.empty()) {
            EXPECT_TRUE(m_clipboard.m_puts.empty());
        } else {
            ASSERT_EQ(m_clipboard.m_puts.size(), 1U);
            const CopyPayload& put = m_clipboard.m_puts[0];
            EXPECT_EQ(put.plain, c.plain);
            EXPECT_EQ(put.face, c.face);
            EXPECT_EQ(put.points, c.points);
            EXPECT_EQ(put.rtf, c.plainOnly ? "" : buildRtf(c.plain, c.face, c.points));
            EXPECT_EQ(put.html, c.plainOnly ? "" : buildHtml(c.plain, c.face, c.points));
        }
        // The caret goes after the last character, with the focus in the line.
        EXPECT_EQ(m_view.m_line.selStart, c.line.size());
        EXPECT_TRUE(m_view.m_focusedLine);
        EXPECT_EQ(m_paste.m_pastes.size(), c.pastes);
        if (c.pastes > 0) {
            EXPECT_EQ(m_paste.m_pastes[0], 42U);
        }
        EXPECT_EQ(m_view.m_notices.size(), c.notices);
    }
}

TEST_F(PaletteTest, APasteThatCannotGoOutIsToldOncePerRun) {
    m_settings.m_values = {{{"Korvani", "AutoPaste"}, "1"}};
    m_paste.m_result = platform::PasteResult::NotSwitched;
    start();
    for (int i = 0; i < 3; ++i) {
        setLine(u"a", 0);
        m_palette->copy();
    }
    EXPECT_EQ(m_paste.m_pastes.size(), 3U);
    EXPECT_EQ(m_view.m_notices, std::vector<std::string>{"Copied: press Ctrl+V to paste"});
}

TEST_F(PaletteTest, APasteAnsweredLaterIsToldWhyItCouldNotGoOutOncePerReason) {
    using platform::PasteResult;
    const std::string byHand = "Copied: press Ctrl+V to paste";
    const std::string refused = "Copied: press Ctrl+V to paste (pasting for you was not allowed)";
    const std::string unavailable =
        "Copied: press Ctrl+V to paste (this desktop lets no program paste for you)";
    struct Case {
        const char* name;
        std::vector<PasteResult> answers; // one per paste, each after the copy returned
        std::vector<std::string> notices;
    };
    const Case cases[] = {
        {"pasted", {PasteResult::Pasted, PasteResult::Pasted}, {}},
        {"refused, then refused again unasked",
         {PasteResult::Refused, PasteResult::Refused},
         {refused}},
        {"no way to send keys",
         {PasteResult::Unavailable, PasteResult::Unavailable},
         {unavailable}},
        {"the switch did not happen once",
         {PasteResult::Pasted, PasteResult::NotSwitched},
         {byHand}},
        {"each reason once, in the order met",
         {PasteResult::NotSwitched, PasteResult::Refused, PasteResult::NotSwitched,
          PasteResult::Unavailable, PasteResult::Refused},
         {byHand, refused, unavailable}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings = {};
        m_settings.m_values = {{{"Korvani", "AutoPaste"}, "1"}};
        m_view = {};
        m_paste = {};
        m_paste.m_answerLater = true;
        start();
        for (const PasteResult answer : c.answers) {
            setLine(u"a", 0);
            const std::size_t told = m_view.m_notices.size();
            m_palette->copy();
            EXPECT_EQ(m_view.m_notices.size(), told); // nothing is told before the answer
            m_paste.answer(answer);
        }
        EXPECT_EQ(m_view.m_notices, c.notices);
    }
}

TEST_F(PaletteTest, AnAnswerAfterThePaletteIsGoneIsDropped) {
    m_settings.m_values = {{{"Korvani", "AutoPaste"}, "1"}};
    m_paste.m_answerLater = true;
    m_paste.m_permission = "later";
    start();
    setLine(u"a", 0);
    m_palette->copy();
    m_palette.reset();
    m_paste.answer(platform::PasteResult::Refused); // the sanitizers would see a stale palette
    EXPECT_TRUE(m_view.m_notices.empty());
    EXPECT_EQ(ini("Korvani", "PastePermission"), "<none>");
}

TEST_F(PaletteTest, ThePermissionToPasteIsKeptAcrossRunsAndAskedForAgainWhenAutoPasteIsTurnedOn) {
    struct Case {
        const char* name;
        std::string stored;  // in the settings file at start
        std::string granted; // what the desktop lets keep after the paste
        bool readOnly;
        std::string kept; // in the settings file after the paste
        std::size_t writes;
    };
    const Case cases[] = {
        {"none offered", "", "", false, "<none>", 0},
        {"a new one kept", "", "t1", false, "t1", 1},
        {"the same one not written again", "t1", "t1", false, "t1", 0},
        {"a newer one replaces it", "t1", "t2", false, "t2", 1},
        {"a file that cannot be written keeps the old one, silently", "t1", "t2", true, "t1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings = {};
        m_settings.m_values = {{{"Korvani", "AutoPaste"}, "1"}};
        if (!c.stored.empty()) {
            m_settings.m_values[{"Korvani", "PastePermission"}] = c.stored;
        }
        m_view = {};
        m_paste = {};
        start();
        EXPECT_EQ(m_paste.m_restored, std::vector<std::string>{c.stored});
        m_settings.m_readOnly = c.readOnly;
        m_paste.m_permission = c.granted;
        setLine(u"a", 0);
        m_palette->copy();
        EXPECT_EQ(ini("Korvani", "PastePermission"), c.kept);
        EXPECT_EQ(m_settings.m_writes.size(), c.writes);
        EXPECT_TRUE(m_view.m_messages.empty());
    }

    // Only turning auto-paste on from off asks the desktop again.
    m_settings = {};
    m_paste = {};
    start();
    PaletteOptions options = m_palette->options();
    const bool steps[] = {true, true, false, true};
    const int asked[] = {1, 1, 1, 2};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        options.autoPaste = steps[i];
        EXPECT_EQ(m_palette->saveOptions(options), std::nullopt);
        EXPECT_EQ(m_paste.m_askedAgain, asked[i]) << i;
    }
}

TEST_F(PaletteTest, NoSizeChosenCopiesThePlainTextAndSaysWhyNotTheRest) {
    m_settings.m_values = {{{"Korvani", "FontSize"}, "99"}, {{"Korvani", "AutoPaste"}, "1"}};
    start();
    setLine(kShiLong, 1);
    m_palette->copy();
    ASSERT_EQ(m_clipboard.m_puts.size(), 1U);
    EXPECT_EQ(m_clipboard.m_puts[0].plain, kShiLong);
    EXPECT_TRUE(m_clipboard.m_puts[0].rtf.empty());
    EXPECT_EQ(m_view.m_errors, std::vector<std::string>{"'' is not a valid integer value."});
    EXPECT_TRUE(m_paste.m_pastes.empty());
    m_palette->pickSize(0);
    m_palette->copy();
    EXPECT_EQ(m_clipboard.m_puts.back().points, 8);
    EXPECT_EQ(ini("Korvani", "FontSize"), "0");
}

TEST_F(PaletteTest, OptionsAreSavedInOrderAndApplied) {
    struct Case {
        const char* name;
        bool readOnly;
        std::optional<std::string> failure;
        std::string caption;
    };
    const Case cases[] = {
        {"saved", false, std::nullopt, "Paste"},
        {"a read-only file", true, "Unable to write to /home/u/KORVANI.INI", "Copy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings = {};
        m_view = {};
        start();
        m_settings.m_readOnly = c.readOnly;
        EXPECT_EQ(m_palette->saveOptions({true, false, false, {}}), c.failure);
        EXPECT_EQ(m_view.m_caption, c.caption);
        if (!c.readOnly) {
            EXPECT_EQ(m_settings.m_writes,
                      (std::vector<std::string>{"Korvani/AutoPaste=1", "Korvani/UseUnicodeFont=0",
                                                "Korvani/ShowHints=0"}));
            EXPECT_FALSE(m_view.m_hints);
        } else {
            EXPECT_EQ(m_settings.m_writes.size(), 1U); // the first failure ends the save
        }
    }
}

TEST_F(PaletteTest, MineIsPinnedMovedRemovedAndKept) {
    start();
    setLine(u"t\u0283\u02B0a", 0, 3);
    m_palette->pinSelection();
    m_palette->addToMine(u"\u014B");
    m_palette->addToMine(u"\u014B"); // already there
    m_palette->moveInMine(u"\u014B", -1);
    EXPECT_EQ(m_view.m_mine, (std::vector<std::u16string>{u"\u014B", u"t\u0283\u02B0"}));
    EXPECT_EQ(ini("Symbols", "Mine"), "U+014B, U+0074 U+0283 U+02B0");
    const SymbolMenu first = m_palette->menuFor(u"\u014B");
    EXPECT_TRUE(first.inMine && !first.canMoveLeft && first.canMoveRight);
    EXPECT_TRUE(m_palette->menuFor(u"a").canAdd);
    EXPECT_FALSE(m_palette->menuFor(u"a b").canAdd);
    m_palette->removeFromMine(u"\u014B");
    EXPECT_EQ(ini("Symbols", "Mine"), "U+0074 U+0283 U+02B0");

    // A new run reads what the last one kept.
    m_view = {};
    start();
    EXPECT_EQ(m_palette->mine(), std::vector<std::u16string>{u"t\u0283\u02B0"});
}

TEST_F(PaletteTest, MineSaysWhyASymbolIsNotAddedAndAFailedWriteOncePerRun) {
    start();
    m_palette->addToMine(u"abcde");
    EXPECT_EQ(m_view.m_notAdded,
              std::vector<std::string>{"Mine takes one to 4 characters without blanks."});
    for (std::size_t i = 0; i < kMineLimit; ++i) {
        m_palette->addToMine(std::u16string(1, static_cast<char16_t>(0x100 + i)));
    }
    m_palette->addToMine(u"z");
    EXPECT_EQ(m_view.m_notAdded.back(), "Mine is full: it holds 48 symbols.");
    m_settings.m_readOnly = true;
    m_palette->removeFromMine(u"\u0100");
    m_palette->removeFromMine(u"\u0101");
    setLine(u"", 0);
    m_palette->insert(u"i");
    EXPECT_EQ(m_view.m_messages.size(), 1U);
}

TEST_F(PaletteTest, InsertingRecordsRecentNewestFirstAndTheSearchShowsIt) {
    start();
    for (const char16_t* symbol : {u"\u0259", u"\u026A", u"\u0259"}) {
        setLine(u"", 0);
        m_palette->insert(symbol);
    }
    EXPECT_EQ(m_view.m_recent, (std::vector<std::u16string>{u"\u0259", u"\u026A"}));
    EXPECT_EQ(ini("Symbols", "Recent"), "U+0259, U+026A");
    ASSERT_FALSE(m_palette->search().groups().empty());
    EXPECT_TRUE(m_palette->search().groups()[0].recent);
    EXPECT_EQ(m_palette->search().charsOf(1), u"\u026A");
}

TEST_F(PaletteTest, SearchAndReturnInsertTheChosenResultAtTheLinesCaret) {
    start();
    setLine(u"ab", 1);
    m_palette->findSymbol();
    EXPECT_EQ(m_view.m_tab, ChartTab::All);
    EXPECT_EQ(m_view.m_searchFocused, 1);
    m_palette->search().setQuery(u"voiced velar fric");
    m_palette->insertChosen();
    EXPECT_EQ(m_view.m_line.text, u"a\u0263b");
    m_palette->search().setQuery(u"nothing like this");
    m_palette->insertChosen();
    EXPECT_EQ(m_view.m_line.text, u"a\u0263b");
    m_palette->search().setQuery(u"voiceless postalveolar fricative");
    m_palette->pinChosen();
    EXPECT_EQ(m_view.m_mine, std::vector<std::u16string>{u"\u0283"});
}

TEST_F(PaletteTest, TabsStepRoundAndSummonsToggle) {
    start();
    m_palette->stepTab(-1);
    EXPECT_EQ(m_view.m_tab, ChartTab::Mine);
    m_palette->stepTab(1);
    EXPECT_EQ(m_view.m_tab, ChartTab::Standard);

    struct Case {
        const char* name;
        platform::SummonRequest request;
        bool inFront;
        bool notificationArea;
        std::string done;
    };
    using platform::SummonRequest;
    const Case cases[] = {
        {"show", SummonRequest::Show, true, true, "front"},
        {"toggle from behind", SummonRequest::Toggle, false, true, "front"},
        {"toggle in front hides", SummonRequest::Toggle, true, true, "hide"},
        {"without a notification area it minimises", SummonRequest::Toggle, true, false,
         "minimize"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view.m_window.clear();
        m_view.m_inFront = c.inFront;
        m_palette->summoned(c.request, c.notificationArea);
        EXPECT_EQ(m_view.m_window, std::vector<std::string>{c.done});
    }
}

TEST_F(PaletteTest, TheChartOpensWhereItWasLeftAtItsZoom) {
    struct Case {
        const char* name;
        std::map<std::pair<std::string, std::string>, std::string> stored;
        bool placesWindows;
        ChartPlacement opened;
    };
    const ChartPlacement first{std::nullopt, defaultChartWindowWidth(), kChartWindowHeight, 100};
    const Case cases[] = {
        {"never opened: the first size, placed by the desktop", {}, true, first},
        {"as left",
         {{{"Chart", "Left"}, "30"},
          {{"Chart", "Top"}, "-40"},
          {{"Chart", "Width"}, "500"},
          {{"Chart", "Height"}, "400"},
          {{"Chart", "Zoom"}, "150"}},
         true,
         {ScreenPosition{30, -40}, 500, 400, 150}},
        {"a zoom out of range and a lost size",
         {{{"Chart", "Width"}, "3"}, {{"Chart", "Zoom"}, "5000"}},
         true,
         {std::nullopt, first.width, first.height, 300}},
        {"only a half of the position", {{{"Chart", "Left"}, "30"}}, true, first},
        {"where the compositor places windows",
         {{{"Chart", "Left"}, "30"}, {{"Chart", "Top"}, "40"}},
         false,
         first},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings.m_values = c.stored;
        m_view.m_chartShown.clear();
        start(c.placesWindows);
        m_palette->openChart();
        ASSERT_EQ(m_view.m_chartShown.size(), 1U);
        EXPECT_EQ(m_view.m_chartShown[0], c.opened);
        EXPECT_EQ(m_palette->chartZoom(), c.opened.zoom);
    }
}

TEST_F(PaletteTest, TheChartKeepsItsZoomPlaceAndSize) {
    start();
    m_palette->zoomChart(1); // nothing open: nothing zoomed, nothing written
    EXPECT_TRUE(m_settings.m_writes.empty());
    m_palette->openChart();
    m_palette->zoomChart(1);
    m_palette->zoomChart(1);
    EXPECT_EQ(m_view.m_chart->zoom, 125);
    EXPECT_EQ(ini("Chart", "Zoom"), "125");

    m_view.m_chart = ChartPlacement{ScreenPosition{5, 6}, 700, 500, 125};
    m_palette->chartClosed();
    EXPECT_EQ(ini("Chart", "Left"), "5");
    EXPECT_EQ(ini("Chart", "Top"), "6");
    EXPECT_EQ(ini("Chart", "Width"), "700");
    EXPECT_EQ(ini("Chart", "Height"), "500");
    // Closed, it is not saved again as the program ends.
    m_view.m_chart->width = 999;
    m_palette->close();
    EXPECT_EQ(ini("Chart", "Width"), "700");

    // Open as the program ends, it is saved then.
    start();
    m_palette->openChart();
    m_view.m_chart = ChartPlacement{ScreenPosition{1, 2}, 640, 480, 100};
    m_palette->close();
    EXPECT_EQ(ini("Chart", "Width"), "640");

    // A refused write is said once, as any settings failure.
    start();
    m_palette->openChart();
    m_settings.m_readOnly = true;
    m_view.m_messages.clear();
    m_palette->zoomChart(-1);
    EXPECT_EQ(m_view.m_messages.size(), 1U);
}

TEST_F(PaletteTest, TheFaceForCopiesIsWrittenOnceChosen) {
    start();
    PaletteOptions options = m_palette->options();
    EXPECT_EQ(options.copyFace, "");
    ASSERT_FALSE(m_palette->saveOptions(options));
    EXPECT_EQ(ini("Korvani", "CopyFace"), "<none>"); // never chosen: the file stays as it was
    options.copyFace = "Doulos SIL";
    ASSERT_FALSE(m_palette->saveOptions(options));
    EXPECT_EQ(ini("Korvani", "CopyFace"), "Doulos SIL");
    start();
    EXPECT_EQ(m_palette->options().copyFace, "Doulos SIL");
    options.copyFace = "";
    ASSERT_FALSE(m_palette->saveOptions(options));
    EXPECT_EQ(ini("Korvani", "CopyFace"), "");
    m_settings.m_readOnly = true;
    options.copyFace = "Gentium";
    EXPECT_EQ(m_palette->saveOptions(options), "Unable to write to /home/u/KORVANI.INI");
}

TEST(CopyFaceChoices, TheDefaultThenTheInstalledThenTheChosen) {
    struct Case {
        const char* name;
        std::vector<std::string> installed;
        std::string chosen;
        std::vector<std::string> offered;
    };
    const Case cases[] = {
        {"none installed", {}, "", {"Lucida Sans Unicode"}},
        {"in the candidates' order",
         {"DejaVu Sans", "Charis SIL", "Comic Sans"},
         "",
         {"Lucida Sans Unicode", "Charis SIL", "DejaVu Sans"}},
        {"a chosen face no longer installed stays offered",
         {"DejaVu Sans"},
         "Brill",
         {"Lucida Sans Unicode", "DejaVu Sans", "Brill"}},
        {"the default chosen by name", {}, "Lucida Sans Unicode", {"Lucida Sans Unicode"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto installed = [&](std::string_view face) {
            return std::find(c.installed.begin(), c.installed.end(), face) != c.installed.end();
        };
        EXPECT_EQ(copyFaceChoices(installed, c.chosen), c.offered);
    }
}

// Ctrl+T: what it replaces, one step for Undo, the words that may be said otherwise offered and
// swapped in place, and the options kept.
TEST_F(PaletteTest, SpellingBecomesIpaInPlaceWithItsAlternatives) {
    start();
    setLine(u"\u02C8x hello red", 13);
    m_palette->transcribe();
    EXPECT_EQ(m_view.m_line.text, u"\u02C8x h\u0259\u02C8l\u0259\u028A red");
    EXPECT_EQ(m_view.m_undoSteps, 1);
    EXPECT_TRUE(m_view.m_offered.empty());
    EXPECT_EQ(m_engineLog->made, 1);

    setLine(u"I read it", 6);
    m_palette->transcribe(); // "I read", back to the line's start
    ASSERT_EQ(m_view.m_offered.size(), 1U);
    const TranscribedWord read = m_view.m_offered[0];
    ASSERT_EQ(read.alternatives.size(), 2U);
    const std::u16string before = m_view.m_line.text;
    EXPECT_EQ(before.substr(read.start, read.length), read.alternatives[0].ipa);
    m_palette->chooseAlternative(0, 1);
    EXPECT_EQ(m_view.m_line.text.substr(read.start, read.alternatives[1].ipa.size()),
              read.alternatives[1].ipa);
    EXPECT_EQ(m_view.m_line.text.substr(read.start + read.alternatives[1].ipa.size()), u" it");
    // Any other edit of the line withdraws the offer.
    m_palette->insert(u"a");
    EXPECT_TRUE(m_view.m_offered.empty());
    m_palette->chooseAlternative(0, 1);

    m_palette->setTranscribeOptions({Accent::Ga, true, false});
    EXPECT_EQ(ini("Korvani", "Accent"), "ga");
    m_view = {};
    start();
    EXPECT_EQ(m_palette->options().transcribe.accent, Accent::Ga);
}

TEST_F(PaletteTest, WithoutTheEngineSpellingStaysAndTheUserIsTold) {
    m_transcriber = std::make_unique<Transcriber>(test::fakeEngineFactory(m_engineLog, {}, true));
    start();
    setLine(u"hello", 5);
    m_palette->transcribe();
    EXPECT_EQ(m_view.m_line.text, u"hello");
    ASSERT_EQ(m_view.m_notAdded.size(), 1U);
    EXPECT_NE(m_view.m_notAdded[0].find("espeak-ng"), std::string::npos);
}

} // namespace
} // namespace korv
