// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the legacy font's code table as the program applies it: one "U+XXXX code" line per
// UTF-16 code unit that does not keep its own value. The font generator reads this, so the font
// and the Copy conversion cannot drift apart.
#include <cstdio>

#include "legacycode.h"

int main() {
    for (std::int32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::int32_t code = korv::UnicodeToKorvaniCode(unit);
        if (code != unit) {
            std::printf("U+%04X %d\n", static_cast<unsigned>(unit), static_cast<int>(code));
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
