// SPDX-License-Identifier: GPL-3.0-or-later
#include "compositionline.h"

#include <algorithm>

#include "utf16.h"

namespace korv {
namespace {

std::size_t effectiveCaret(const LineState& line) {
    if (!line.isActiveControl) {
        return line.text.size();
    }
    const std::size_t caret = std::min(line.selStart, line.text.size());
    // Never between the two halves of a character: the caret belongs after it.
    if (caret > 0 && caret < line.text.size() && isHighSurrogate(line.text[caret - 1]) &&
        isLowSurrogate(line.text[caret])) {
        return caret + 1;
    }
    return caret;
}

} // namespace

LineEdit insertSymbol(const LineState& line, std::u16string_view symbol) {
    const std::size_t p = effectiveCaret(line);
    std::u16string text(line.text);
    text.insert(p, symbol);
    return {std::move(text), p + symbol.size(), true};
}

LineEdit deleteBack(const LineState& line) {
    const std::size_t p = effectiveCaret(line);
    std::u16string text(line.text);
    if (p == 0) {
        return {std::move(text), 0, true};
    }
    const bool pair = p >= 2 && isLowSurrogate(text[p - 1]) && isHighSurrogate(text[p - 2]);
    const std::size_t units = pair ? 2 : 1;
    text.erase(p - units, units);
    return {std::move(text), p - units, true};
}

LineEdit clearAll() {
    return {std::u16string(), 0, false};
}

} // namespace korv
