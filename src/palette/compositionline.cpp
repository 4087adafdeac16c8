// SPDX-License-Identifier: GPL-3.0-or-later
#include "compositionline.h"

#include <algorithm>

namespace korv {
namespace {

std::size_t effectiveCaret(const LineState& line) {
    if (!line.isActiveControl) {
        return line.text.size();
    }
    return std::min(line.selStart, line.text.size());
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
    text.erase(p - 1, 1);
    return {std::move(text), p - 1, true};
}

LineEdit clearAll() {
    return {std::u16string(), 0, false};
}

} // namespace korv
