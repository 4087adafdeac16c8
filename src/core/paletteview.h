// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout.h"
#include "transcriber.h"

namespace korv {

/// The composition line as the user left it.
struct LineSnapshot {
    std::u16string text;
    std::size_t selStart = 0; // the caret, in UTF-16 code units
    std::size_t selLength = 0;
    bool isActiveControl = false; // the line (or the search working for it) has the focus
    bool inSearch = false;        // the keyboard focus is in the All tab's search field
};

/// A window's outer top-left corner, in screen pixels.
struct ScreenPosition {
    int left = 0;
    int top = 0;
    friend bool operator==(const ScreenPosition&, const ScreenPosition&) = default;
};

/// A window's outer width and height, in screen pixels.
struct ScreenSize {
    int width = 0;
    int height = 0;
};

/// The IPA chart window's place, size and zoom.
struct ChartPlacement {
    std::optional<ScreenPosition> position; // none: where the desktop puts a new window
    int width = 0;
    int height = 0;
    int zoom = 100; // percent
    friend bool operator==(const ChartPlacement&, const ChartPlacement&) = default;
};

/// What a main window shows of the palette and tells it of itself; each front end implements it.
class PaletteView {
public:
    virtual ~PaletteView() = default;

    /// The line's text, selection and focus as they are now.
    virtual LineSnapshot line() const = 0;
    /// Shows text in the line with the caret at caret and nothing selected; focus moves the
    /// keyboard focus into the line.
    virtual void showLine(std::u16string_view text, std::size_t caret, bool focus) = 0;
    /// Puts the keyboard focus into the line, its text, caret and selection as they are.
    virtual void focusLine() = 0;
    /// Replaces length code units from start as one step the user can undo, leaving the caret
    /// after the new text.
    virtual void replaceText(std::size_t start, std::size_t length, std::u16string_view text) = 0;

    /// Offers the words of a transcription that may be said otherwise (positions in the line),
    /// under the line, taking no focus; an empty list takes the offer away.
    virtual void showAlternatives(const std::vector<TranscribedWord>& words) = 0;

    /// Shows the copy button's caption.
    virtual void showCopyCaption(std::string_view caption) = 0;
    /// Turns the symbols' tooltips on or off.
    virtual void showHints(bool on) = 0;
    /// Selects an entry of the size list; -1 selects none.
    virtual void showSizeIndex(int index) = 0;
    /// Shows a chart tab and its symbols.
    virtual void showTab(ChartTab tab) = 0;
    /// Puts the keyboard focus into the All tab's search field with its query selected.
    virtual void focusSearch() = 0;
    /// Shows the user's own symbols on the Mine tab.
    virtual void showMine(const std::vector<std::u16string>& entries) = 0;
    /// Shows the symbols used last, newest first.
    virtual void showRecent(const std::vector<std::u16string>& entries) = 0;

    /// A warning the user must acknowledge, with the system's sign for one; text is UTF-8 with
    /// "\n" line ends, wrapped by the box.
    virtual void showMessage(std::string_view text) = 0;
    /// The general error box, for a step that could not be carried out.
    virtual void showError(std::string_view text) = 0;
    /// A short note that takes no focus (beside the notification icon, or under the button).
    virtual void showNotice(std::string_view text) = 0;
    /// Says under the line, taking no focus, why a symbol was not added to Mine.
    virtual void showNotAdded(std::string_view why) = 0;

    /// Places the window's frame; nothing where the desktop places windows itself.
    virtual void placeWindow(ScreenPosition position) = 0;
    /// Where the window's frame is now; nullopt where the desktop does not say.
    virtual std::optional<ScreenPosition> windowPosition() const = 0;
    /// The window's outer size, its frame included once the desktop has told it.
    virtual ScreenSize frameSize() const = 0;
    /// Each screen's work area (the screen less its panels), in screen pixels, the primary first.
    virtual std::vector<Rect> workAreas() const = 0;
    /// The window's handle for the platform services that act on it.
    virtual std::uintptr_t nativeHandle() const = 0;
    /// True while the window is shown, not minimised, and active.
    virtual bool isInFront() const = 0;
    /// Hides the window; the notification icon brings it back.
    virtual void hideWindow() = 0;
    /// Minimises the window, so that the task bar and the window list still reach it.
    virtual void minimizeWindow() = 0;
    /// Shows the window again from hidden or minimised, on the desktop in view.
    virtual void restoreWindow() = 0;
    /// Shows the window in front, on the desktop in view, with the keyboard focus in the line.
    virtual void bringToFront() = 0;
    /// Opens the About window.
    virtual void openAbout() = 0;

    /// Opens the IPA chart window at placement, building it the first time; raises it when open.
    /// It never takes the keyboard focus from the line.
    virtual void showChart(const ChartPlacement& placement) = 0;
    /// Shows the open chart at a zoom, in percent.
    virtual void showChartZoom(int zoom) = 0;
    /// Where the chart window is and how large; nullopt while it has never been opened.
    virtual std::optional<ChartPlacement> chartPlacement() const = 0;
};

} // namespace korv
