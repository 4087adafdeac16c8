// SPDX-License-Identifier: GPL-3.0-or-later
#include "symboltable.h"

namespace korv {

using P = ChartPanel;

// clang-format off
const std::array<SymbolButtonEntry, kSymbolButtonCount> kSymbolButtons = {{
    {"See1", P::IPAPanel, 0, 0, 25, 24, 105, "see"},
    {"Sit1", P::IPAPanel, 25, 0, 25, 24, 618, "sit"},
    {"Put1", P::IPAPanel, 50, 0, 25, 24, 650, "put"},
    {"Too1", P::IPAPanel, 75, 0, 25, 24, 117, "too"},
    {"Near1", P::IPAPanel, 101, 0, 33, 24, 2618, "near", GlyphAlign::Top, 3},
    {"Say1", P::IPAPanel, 134, 0, 33, 24, 3101, "say"},
    {"Slash1", P::IPAPanel, 167, 0, 33, 24, 47, ""},
    {"Ten1", P::IPAPanel, 0, 24, 25, 24, 101, "ten"},
    {"Mother1", P::IPAPanel, 25, 24, 25, 24, 601, "the"},
    {"Bird1", P::IPAPanel, 50, 24, 25, 24, 604, "bird"},
    {"Saw1", P::IPAPanel, 75, 24, 25, 24, 596, "saw"},
    {"Pure1", P::IPAPanel, 101, 24, 33, 24, 2650, "pure"},
    {"Boy1", P::IPAPanel, 134, 24, 33, 24, 3596, "boy"},
    {"Go1", P::IPAPanel, 167, 24, 33, 24, 4601, "go"},
    {"Fat1", P::IPAPanel, 0, 48, 25, 24, 230, "cat"},
    {"Cup1", P::IPAPanel, 25, 48, 25, 24, 652, "cup"},
    {"Arm1", P::IPAPanel, 50, 48, 25, 24, 593, "arm"},
    {"Got1", P::IPAPanel, 75, 48, 25, 24, 594, "got"},
    {"Hair1", P::IPAPanel, 101, 48, 33, 24, 2101, "hair"},
    {"Eye1", P::IPAPanel, 134, 48, 33, 24, 3097, "eye"},
    {"Now1", P::IPAPanel, 167, 48, 33, 24, 4097, "now"},
    {"Pen1", P::IPAPanel, 0, 73, 25, 24, 112, "pen"},
    {"Bad1", P::IPAPanel, 25, 73, 25, 24, 98, "bad"},
    {"Tea1", P::IPAPanel, 50, 73, 25, 24, 116, "tea"},
    {"Did1", P::IPAPanel, 75, 73, 25, 24, 100, "did"},
    {"Chain1", P::IPAPanel, 100, 73, 25, 24, 5116, "chain"},
    {"June1", P::IPAPanel, 125, 73, 25, 24, 6100, "june"},
    {"Kat1", P::IPAPanel, 150, 73, 25, 24, 107, "cat"},
    {"Get1", P::IPAPanel, 175, 73, 25, 24, 103, "get"},
    {"Fall1", P::IPAPanel, 0, 97, 25, 24, 102, "fall"},
    {"Van1", P::IPAPanel, 25, 97, 25, 24, 118, "van"},
    {"Thin1", P::IPAPanel, 50, 97, 25, 24, 952, "thin"},
    {"Then1", P::IPAPanel, 75, 97, 25, 24, 240, "then"},
    {"So1", P::IPAPanel, 100, 97, 25, 24, 115, "so"},
    {"Zoo1", P::IPAPanel, 125, 97, 25, 24, 122, "zoo"},
    {"She1", P::IPAPanel, 150, 97, 25, 24, 643, "she"},
    {"Vision1", P::IPAPanel, 175, 97, 25, 24, 658, "vision"},
    {"Man1", P::IPAPanel, 0, 121, 25, 24, 109, "man"},
    {"No1", P::IPAPanel, 25, 121, 25, 24, 110, "no"},
    {"Sing1", P::IPAPanel, 50, 121, 25, 24, 331, "sing"},
    {"Hat1", P::IPAPanel, 75, 121, 25, 24, 104, "hat"},
    {"Leg1", P::IPAPanel, 100, 121, 25, 24, 108, "leg"},
    {"Red1", P::IPAPanel, 125, 121, 25, 24, 114, "red"},
    {"Wet1", P::IPAPanel, 150, 121, 25, 24, 119, "wet"},
    {"Yes1", P::IPAPanel, 175, 121, 25, 24, 106, "yes"},
    {"PrimaryStress1", P::DiacriticsPanel1, 0, 0, 12, 24, 712, "primary stress"},
    {"SecondaryStress1", P::DiacriticsPanel1, 13, 0, 12, 24, 716, "secondary stress", GlyphAlign::Bottom, 2},
    {"Long1", P::DiacriticsPanel1, 0, 24, 12, 24, 720, "long"},
    {"HalfLong1", P::DiacriticsPanel1, 13, 24, 12, 24, 721, "half long"},
    {"Aspired1", P::DiacriticsPanel1, 0, 48, 25, 23, 688, "aspirated"},
    {"Bleu1", P::AdditionalPanel, 25, 48, 25, 24, 248, "'eu' in bleu (French)"},
    {"Boeuf1", P::AdditionalPanel, 50, 48, 25, 24, 339, "'oe' in boeuf (French)"},
    {"Du1", P::AdditionalPanel, 75, 48, 25, 24, 121, "'u' in du (French)"},
    {"Nuit1", P::AdditionalPanel, 100, 48, 25, 24, 613, "'u' in nuit (French)"},
    {"Bed1", P::AdditionalPanel, 125, 48, 25, 24, 603, "'e' in bed (alternative symbol)"},
    {"RPr1", P::AdditionalPanel, 150, 48, 25, 24, 692, "RP 'r' sound"},
    {"Gli1", P::AdditionalPanel, 25, 72, 25, 24, 654, "'gl' in gli (Italian)"},
    {"Mignon1", P::AdditionalPanel, 50, 72, 25, 24, 626, "'gn' in mignon (French)"},
    {"Loch1", P::AdditionalPanel, 75, 72, 25, 24, 120, "'ch' in loch (Scottish)"},
    {"Nicht1", P::AdditionalPanel, 100, 72, 25, 24, 231, "'ch' in nicht (German)"},
    {"Glottal1", P::AdditionalPanel, 125, 72, 25, 24, 660, "glottal stop"},
    {"RollR1", P::AdditionalPanel, 150, 72, 25, 24, 691, "Rolled 'r' sound"},
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
