// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "clipboard.h"
#include "paletteview.h"
#include "pastetarget.h"
#include "settings/iniaccess.h"

namespace korv {

/// An INI file in memory that can be made to refuse every write.
class MemoryIni final : public IniAccess {
public:
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const override {
        const auto it = m_values.find({std::string(section), std::string(key)});
        return it == m_values.end() ? std::string(def) : it->second;
    }
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        m_writes.push_back(std::string(section) + "/" + std::string(key) + "=" +
                           std::string(value));
        if (m_readOnly) {
            return false;
        }
        m_values[{std::string(section), std::string(key)}] = std::string(value);
        return true;
    }
    bool eraseSection(std::string_view section) override {
        if (m_readOnly) {
            return false;
        }
        std::erase_if(m_values, [&](const auto& entry) { return entry.first.first == section; });
        return true;
    }

    std::map<std::pair<std::string, std::string>, std::string> m_values;
    std::vector<std::string> m_writes;
    bool m_readOnly = false;
};

/// Records what was put on the clipboard.
class RecordingClipboard final : public platform::Clipboard {
public:
    bool put(const CopyPayload& payload) override {
        m_puts.push_back(payload);
        return m_works;
    }
    std::vector<CopyPayload> m_puts;
    bool m_works = true;
};

/// Records the pastes asked for; answers as a test sets it, at once or when the test says.
class RecordingPasteTarget final : public platform::PasteTarget {
public:
    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override {
        m_pastes.push_back(own);
        if (m_answerLater) {
            m_waiting.push_back(std::move(done));
        } else {
            done(m_result);
        }
    }
    void askAgain() override { ++m_askedAgain; }
    void restorePermission(const std::string& kept) override { m_restored.push_back(kept); }
    std::string permissionToKeep() const override { return m_permission; }
    /// Answers the pastes held back, oldest first.
    void answer(platform::PasteResult result) {
        auto waiting = std::move(m_waiting);
        m_waiting.clear();
        for (const Done& done : waiting) {
            done(result);
        }
    }

    std::vector<std::uintptr_t> m_pastes;
    platform::PasteResult m_result = platform::PasteResult::Pasted;
    bool m_answerLater = false;
    std::vector<Done> m_waiting;
    int m_askedAgain = 0;
    std::vector<std::string> m_restored;
    std::string m_permission;
};

/// A window that keeps what the palette shows and lets a test set what the user did.
class FakeView final : public PaletteView {
public:
    LineSnapshot line() const override { return m_line; }
    void showLine(std::u16string_view text, std::size_t caret, bool focus) override {
        m_line.text = text;
        m_line.selStart = caret;
        m_line.selLength = 0;
        m_line.isActiveControl = m_line.isActiveControl || focus;
        m_focusedLine = m_focusedLine || focus;
    }
    void focusLine() override {
        m_line.isActiveControl = true;
        m_line.inSearch = false;
        ++m_lineFocused;
    }
    void replaceText(std::size_t start, std::size_t length, std::u16string_view text) override {
        m_line.text.replace(start, length, text);
        m_line.selStart = start + text.size();
        m_line.selLength = 0;
        ++m_undoSteps;
    }
    void showAlternatives(const std::vector<TranscribedWord>& words) override { m_offered = words; }
    void showCopyCaption(std::string_view caption) override { m_caption = caption; }
    void showHints(bool on) override { m_hints = on; }
    void showSizeIndex(int index) override { m_sizeIndex = index; }
    void showTab(ChartTab tab) override { m_tab = tab; }
    void focusSearch() override { ++m_searchFocused; }
    void showMine(const std::vector<std::u16string>& entries) override { m_mine = entries; }
    void showRecent(const std::vector<std::u16string>& entries) override { m_recent = entries; }
    void showMessage(std::string_view text) override { m_messages.emplace_back(text); }
    void showError(std::string_view text) override { m_errors.emplace_back(text); }
    void showNotice(std::string_view text) override { m_notices.emplace_back(text); }
    void showNotAdded(std::string_view why) override { m_notAdded.emplace_back(why); }
    void placeWindow(ScreenPosition position) override { m_placed = position; }
    std::optional<ScreenPosition> windowPosition() const override { return m_position; }
    ScreenSize frameSize() const override { return {331, 250}; }
    std::vector<Rect> workAreas() const override { return m_workAreas; }
    std::uintptr_t nativeHandle() const override { return 42; }
    bool isInFront() const override { return m_inFront; }
    void hideWindow() override { m_window.push_back("hide"); }
    void minimizeWindow() override { m_window.push_back("minimize"); }
    void restoreWindow() override { m_window.push_back("restore"); }
    void bringToFront() override { m_window.push_back("front"); }
    void openAbout() override { m_window.push_back("about"); }
    void showChart(const ChartPlacement& placement) override {
        m_chartShown.push_back(placement);
        m_chart = placement;
    }
    void showChartZoom(int zoom) override {
        if (m_chart) {
            m_chart->zoom = zoom;
        }
    }
    std::optional<ChartPlacement> chartPlacement() const override { return m_chart; }

    LineSnapshot m_line;
    bool m_focusedLine = false;
    int m_lineFocused = 0;
    int m_undoSteps = 0;
    std::vector<TranscribedWord> m_offered;
    std::string m_caption;
    bool m_hints = false;
    int m_sizeIndex = -2;
    ChartTab m_tab = ChartTab::Standard;
    int m_searchFocused = 0;
    std::vector<std::u16string> m_mine;
    std::vector<std::u16string> m_recent;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_notices;
    std::vector<std::string> m_notAdded;
    std::optional<ScreenPosition> m_placed;
    std::optional<ScreenPosition> m_position = ScreenPosition{120, 80};
    std::vector<Rect> m_workAreas; // none: every position is kept
    bool m_inFront = false;
    std::vector<std::string> m_window;
    std::vector<ChartPlacement> m_chartShown;
    std::optional<ChartPlacement> m_chart; // the chart window as the user left it
};

} // namespace korv
