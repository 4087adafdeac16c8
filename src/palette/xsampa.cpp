// SPDX-License-Identifier: GPL-3.0-or-later
#include "xsampa.h"

#include <algorithm>
#include <map>

#include "ipasymbols.h"

namespace korv {
namespace {

struct Spellings {
    std::map<std::u16string, std::u16string_view, std::less<>> ipa;
    std::size_t longest = 0;
};

Spellings buildSpellings() {
    Spellings spellings;
    for (const IpaSymbol& symbol : ipaSymbols()) {
        for (const std::string_view spelling : xsampaSpellings(symbol)) {
            spellings.ipa.emplace(std::u16string(spelling.begin(), spelling.end()), symbol.chars);
            spellings.longest = std::max(spellings.longest, spelling.size());
        }
    }
    return spellings;
}

} // namespace

std::u16string xsampaToIpa(std::u16string_view text) {
    static const Spellings spellings = buildSpellings();
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = std::min(spellings.longest, text.size() - i);
        for (; length > 0; --length) {
            const auto found = spellings.ipa.find(text.substr(i, length));
            if (found != spellings.ipa.end()) {
                out += found->second;
                break;
            }
        }
        if (length == 0) {
            out += text[i];
            length = 1;
        }
        i += length;
    }
    return out;
}

} // namespace korv
