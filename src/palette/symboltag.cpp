// SPDX-License-Identifier: GPL-3.0-or-later
#include "symboltag.h"

namespace korv {

std::u16string pairedSymbol(char16_t base, char16_t second) {
    return std::u16string{base, second};
}

std::u16string symbolOfTag(int tag) {
    struct Band {
        int above;
        char16_t second;
    };
    // Highest band first: a tag belongs to the first band it lies above.
    static constexpr Band kBands[] = {
        {6000, u'\u0292'}, {5000, u'\u0283'}, {4000, u'\u028A'},
        {3000, u'\u026A'}, {2000, u'\u0259'},
    };
    for (const Band& band : kBands) {
        if (tag > band.above) {
            return pairedSymbol(static_cast<char16_t>(tag - band.above), band.second);
        }
    }
    return std::u16string(1, static_cast<char16_t>(tag));
}

} // namespace korv
