// SPDX-License-Identifier: GPL-3.0-or-later
#include "symboltip.h"

#include "ipasymbols.h"
#include "symboltable.h"
#include "symboltag.h"
#include "utf16.h"

namespace korv {
namespace {

std::string exampleOf(std::u16string_view chars) {
    for (const SymbolButtonEntry& button : kSymbolButtons) {
        if (!button.hint.empty() && symbolOfTag(button.tag) == chars) {
            return std::string(button.hint);
        }
    }
    for (const IpaAlias& alias : ipaAliases()) {
        if (alias.chars == chars && !alias.examples.empty()) {
            return std::string(alias.examples.substr(0, alias.examples.find('|')));
        }
    }
    return {};
}

} // namespace

std::vector<std::string> SymbolTip::lines() const {
    std::vector<std::string> lines{name};
    if (!example.empty()) {
        lines.push_back("as in \u201C" + example + "\u201D");
    }
    if (!xsampa.empty()) {
        lines.push_back("X-SAMPA: " + xsampa);
    }
    lines.push_back(codePoints);
    return lines;
}

std::string SymbolTip::text() const {
    const std::vector<std::string> all = lines();
    std::string text = toUtf8(glyph) + "  " + all.front();
    for (std::size_t i = 1; i < all.size(); ++i) {
        text += "\n" + all[i];
    }
    return text;
}

SymbolTip symbolTip(std::size_t row) {
    const IpaSymbol& symbol = ipaSymbols()[row];
    SymbolTip tip;
    tip.glyph = displayText(symbol);
    tip.name = std::string(symbol.name);
    tip.example = exampleOf(symbol.chars);
    tip.xsampa = std::string(usualXsampa(symbol));
    tip.codePoints = codePointText(symbol);
    return tip;
}

} // namespace korv
