// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

/// What a symbol's tooltip says, on every tab and in the chart window alike.
struct SymbolTip {
    std::u16string glyph; // the symbol as a cell draws it: a mark on its dotted circle
    std::string name;     // the table's name, or the names of its parts joined by " + "
    std::string example;  // a word with the sound, from the chart's hints first; may be empty
    std::string xsampa;   // the usual spelling, of each part in turn; empty when a part has none
    std::string codePoints;
    bool known = false; // every part is a symbol of the table

    /// The lines under the symbol: its name, the example, X-SAMPA and the code points.
    std::vector<std::string> lines() const;
    /// The whole tooltip in UTF-8, one line per line, the symbol and its name first.
    std::string text() const;
};

/// The tip of any symbol: one of the table, a chart button's, or one the user keeps.
SymbolTip symbolTip(std::u16string_view chars);
/// The tip of a row of ipaSymbols().
SymbolTip symbolTip(std::size_t row);

} // namespace korv
