// SPDX-License-Identifier: GPL-3.0-or-later
#include "symboltip.h"

#include <cstdio>

#include "ipasymbols.h"
#include "symbolparts.h"
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

// The table's symbols the characters are made of, the longest at each place first; empty when a
// character is none of the table's.
std::vector<const IpaSymbol*> partsOf(std::u16string_view chars) {
    std::vector<const IpaSymbol*> parts;
    for (std::size_t at = 0; at < chars.size();) {
        const IpaSymbol* best = nullptr;
        for (const IpaSymbol& candidate : ipaSymbols()) {
            if (!candidate.chars.empty() && chars.substr(at).starts_with(candidate.chars) &&
                (best == nullptr || candidate.chars.size() > best->chars.size())) {
                best = &candidate;
            }
        }
        if (best == nullptr) {
            return {};
        }
        parts.push_back(best);
        at += best->chars.size();
    }
    return parts;
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

SymbolTip symbolTip(std::u16string_view chars) {
    SymbolTip tip;
    tip.glyph = displayText(chars);
    tip.name = symbolPartNames(chars);
    tip.example = exampleOf(chars);
    const std::vector<const IpaSymbol*> parts = partsOf(chars);
    tip.known = !parts.empty();
    for (const IpaSymbol* part : parts) {
        const std::string_view spelling = usualXsampa(*part);
        if (spelling.empty()) {
            tip.xsampa.clear();
            break;
        }
        tip.xsampa += spelling;
    }
    tip.codePoints = codePointText(chars);
    return tip;
}

SymbolTip symbolTip(std::size_t row) {
    return symbolTip(ipaSymbols()[row].chars);
}

} // namespace korv
