// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolparts.h"

#include <cstdio>

#include "ipasymbols.h"

namespace korv {

std::string symbolPartNames(std::u16string_view symbol) {
    std::string names;
    for (std::size_t at = 0; at < symbol.size();) {
        const IpaSymbol* best = nullptr;
        for (const IpaSymbol& candidate : ipaSymbols()) {
            const std::u16string_view chars = candidate.chars;
            if (!chars.empty() && symbol.substr(at).starts_with(chars) &&
                (best == nullptr || chars.size() > best->chars.size())) {
                best = &candidate;
            }
        }
        if (!names.empty()) {
            names += " + ";
        }
        if (best != nullptr) {
            names += best->name;
            at += best->chars.size();
            continue;
        }
        char32_t cp = symbol[at];
        std::size_t length = 1;
        if (cp >= 0xD800 && cp <= 0xDBFF && at + 1 < symbol.size() && symbol[at + 1] >= 0xDC00 &&
            symbol[at + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (symbol[at + 1] - 0xDC00);
            length = 2;
        }
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
        names += buffer;
        at += length;
    }
    return names;
}

} // namespace korv
