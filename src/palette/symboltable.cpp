// SPDX-License-Identifier: GPL-3.0-or-later
#include "symboltable.h"

namespace korv {

using P = ChartPanel;

// clang-format off
const std::array<SymbolButtonEntry, kSymbolButtonCount> kSymbolButtons = {{
    {"See", P::Standard, 0, 0, 25, 24, 105, "see"},
    {"Sit", P::Standard, 25, 0, 25, 24, 618, "sit"},
    {"Put", P::Standard, 50, 0, 25, 24, 650, "put"},
    {"Too", P::Standard, 75, 0, 25, 24, 117, "too"},
    {"Near", P::Standard, 101, 0, 33, 24, 2618, "near", GlyphAlign::Top, 3},
    {"Say", P::Standard, 134, 0, 33, 24, 3101, "say"},
    {"Slash", P::Standard, 167, 0, 33, 24, 47, ""},
    {"Ten", P::Standard, 0, 24, 25, 24, 101, "ten"},
    {"Mother", P::Standard, 25, 24, 25, 24, 601, "the"},
    {"Bird", P::Standard, 50, 24, 25, 24, 604, "bird"},
    {"Saw", P::Standard, 75, 24, 25, 24, 596, "saw"},
    {"Pure", P::Standard, 101, 24, 33, 24, 2650, "pure"},
    {"Boy", P::Standard, 134, 24, 33, 24, 3596, "boy"},
    {"Go", P::Standard, 167, 24, 33, 24, 4601, "go"},
    {"Fat", P::Standard, 0, 48, 25, 24, 230, "cat"},
    {"Cup", P::Standard, 25, 48, 25, 24, 652, "cup"},
    {"Arm", P::Standard, 50, 48, 25, 24, 593, "arm"},
    {"Got", P::Standard, 75, 48, 25, 24, 594, "got"},
    {"Hair", P::Standard, 101, 48, 33, 24, 2101, "hair"},
    {"Eye", P::Standard, 134, 48, 33, 24, 3097, "eye"},
    {"Now", P::Standard, 167, 48, 33, 24, 4097, "now"},
    {"Pen", P::Standard, 0, 73, 25, 24, 112, "pen"},
    {"Bad", P::Standard, 25, 73, 25, 24, 98, "bad"},
    {"Tea", P::Standard, 50, 73, 25, 24, 116, "tea"},
    {"Did", P::Standard, 75, 73, 25, 24, 100, "did"},
    {"Chain", P::Standard, 100, 73, 25, 24, 5116, "chain"},
    {"June", P::Standard, 125, 73, 25, 24, 6100, "june"},
    {"Kat", P::Standard, 150, 73, 25, 24, 107, "cat"},
    {"Get", P::Standard, 175, 73, 25, 24, 103, "get"},
    {"Fall", P::Standard, 0, 97, 25, 24, 102, "fall"},
    {"Van", P::Standard, 25, 97, 25, 24, 118, "van"},
    {"Thin", P::Standard, 50, 97, 25, 24, 952, "thin"},
    {"Then", P::Standard, 75, 97, 25, 24, 240, "then"},
    {"So", P::Standard, 100, 97, 25, 24, 115, "so"},
    {"Zoo", P::Standard, 125, 97, 25, 24, 122, "zoo"},
    {"She", P::Standard, 150, 97, 25, 24, 643, "she"},
    {"Vision", P::Standard, 175, 97, 25, 24, 658, "vision"},
    {"Man", P::Standard, 0, 121, 25, 24, 109, "man"},
    {"No", P::Standard, 25, 121, 25, 24, 110, "no"},
    {"Sing", P::Standard, 50, 121, 25, 24, 331, "sing"},
    {"Hat", P::Standard, 75, 121, 25, 24, 104, "hat"},
    {"Leg", P::Standard, 100, 121, 25, 24, 108, "leg"},
    {"Red", P::Standard, 125, 121, 25, 24, 114, "red"},
    {"Wet", P::Standard, 150, 121, 25, 24, 119, "wet"},
    {"Yes", P::Standard, 175, 121, 25, 24, 106, "yes"},
    {"PrimaryStress", P::Diacritics, 0, 0, 12, 24, 712, "primary stress"},
    {"SecondaryStress", P::Diacritics, 13, 0, 12, 24, 716, "secondary stress", GlyphAlign::Bottom, 2},
    {"Long", P::Diacritics, 0, 24, 12, 24, 720, "long"},
    {"HalfLong", P::Diacritics, 13, 24, 12, 24, 721, "half long"},
    {"Aspired", P::Diacritics, 0, 48, 25, 23, 688, "aspirated"},
    {"Bleu", P::Additional, 25, 48, 25, 24, 248, "'eu' in bleu (French)"},
    {"Boeuf", P::Additional, 50, 48, 25, 24, 339, "'oe' in boeuf (French)"},
    {"Du", P::Additional, 75, 48, 25, 24, 121, "'u' in du (French)"},
    {"Nuit", P::Additional, 100, 48, 25, 24, 613, "'u' in nuit (French)"},
    {"Bed", P::Additional, 125, 48, 25, 24, 603, "'e' in bed (alternative symbol)"},
    {"RPr", P::Additional, 150, 48, 25, 24, 692, "RP 'r' sound"},
    {"Gli", P::Additional, 25, 72, 25, 24, 654, "'gl' in gli (Italian)"},
    {"Mignon", P::Additional, 50, 72, 25, 24, 626, "'gn' in mignon (French)"},
    {"Loch", P::Additional, 75, 72, 25, 24, 120, "'ch' in loch (Scottish)"},
    {"Nicht", P::Additional, 100, 72, 25, 24, 231, "'ch' in nicht (German)"},
    {"Glottal", P::Additional, 125, 72, 25, 24, 660, "glottal stop"},
    {"RollR", P::Additional, 150, 72, 25, 24, 691, "Rolled 'r' sound"},
}};
// clang-format on

GlyphSize glyphSizeForButton(int buttonWidth) {
    if (buttonWidth >= 33) {
        return {26, 18};
    }
    if (buttonWidth <= 12) {
        return {9, 18};
    }
    return {18, 18};
}

} // namespace korv
