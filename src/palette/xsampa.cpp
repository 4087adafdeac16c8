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

// What `_<` makes of the letter it follows: the implosive letter, and for a voiceless plosive
// the voiced one with the voiceless mark, as the chart writes voiceless implosives.
struct Implosive {
    char16_t plosive;
    std::u16string_view implosive;
};
constexpr Implosive kImplosives[] = {
    {u'b', u"ɓ"},       {u'd', u"ɗ"},       {u'ɟ', u"ʄ"},       {u'ɡ', u"ɠ"},
    {u'g', u"ɠ"},       {u'ɢ', u"ʛ"},       {u'ɖ', u"ᶑ"},       {u'p', u"ɓ\u0325"},
    {u't', u"ɗ\u0325"}, {u'c', u"ʄ\u030A"}, {u'k', u"ɠ\u030A"}, {u'q', u"ʛ\u0325"},
    {u'ʈ', u"ᶑ\u030A"},
};

// Makes the last letter of `out`, before the marks on it, implosive; false when it has no
// implosive form.
bool makeImplosive(std::u16string& out) {
    std::size_t at = out.size();
    while (at > 0 && isCombiningMark(out[at - 1])) {
        --at;
    }
    if (at == 0) {
        return false;
    }
    for (const Implosive& entry : kImplosives) {
        if (out[at - 1] == entry.plosive) {
            out.replace(at - 1, 1, entry.implosive);
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string xsampaToIpa(std::u16string_view text) {
    static const Spellings spellings = buildSpellings();
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // `_<` has no mark of its own: it changes the letter it follows, and after one with no
        // implosive form it stays as typed rather than become a tie bar.
        if (text.substr(i).starts_with(u"_<")) {
            if (!makeImplosive(out)) {
                out += u"_<";
            }
            i += 2;
            continue;
        }
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
