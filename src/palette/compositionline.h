// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korv {

// What the editing operations see of the composition line.
struct LineState {
    std::u16string_view text;
    std::size_t selStart = 0;  // the caret, in UTF-16 code units
    std::size_t selLength = 0; // a selection is never replaced, only cancelled
    bool isActiveControl = false;
};

// What the line must look like after an operation: its text, a caret with
// nothing selected, and whether the line takes the keyboard focus.
struct LineEdit {
    std::u16string text;
    std::size_t caret = 0;
    bool focusLine = false;

    bool operator==(const LineEdit&) const = default;
};

// Inserts a symbol at the caret, or at the end while the line is not the
// window's active control (the user was last busy elsewhere, e.g. the size box).
// A combining mark so lands after the character before the caret and combines
// with it; a caret inside a surrogate pair counts as after it.
LineEdit insertSymbol(const LineState& line, std::u16string_view symbol);

// Removes the one code unit before the caret (never a whole two-unit symbol), or
// both halves of a surrogate pair, so that no half of a character stays behind.
LineEdit deleteBack(const LineState& line);

// Empties the line; the focus stays where it is.
LineEdit clearAll();

} // namespace korv
