// SPDX-License-Identifier: GPL-3.0-or-later
#include "ipasymbols.h"

#include <array>
#include <cstdio>

#include "utf16.h"

namespace korv {
namespace {

using S = IpaSection;

// One row per symbol: section, characters, X-SAMPA, name, Unicode names. Marks are written as
// escapes so that they do not combine with the quote before them.
// clang-format off
constexpr IpaSymbol kSymbols[] = {
    {S::Pulmonic, u"p", "p", "voiceless bilabial plosive", "LATIN SMALL LETTER P"},
    {S::Pulmonic, u"b", "b", "voiced bilabial plosive", "LATIN SMALL LETTER B"},
    {S::Pulmonic, u"t", "t", "voiceless alveolar plosive", "LATIN SMALL LETTER T"},
    {S::Pulmonic, u"d", "d", "voiced alveolar plosive", "LATIN SMALL LETTER D"},
    {S::Pulmonic, u"ʈ", "t`", "voiceless retroflex plosive", "LATIN SMALL LETTER T WITH RETROFLEX HOOK"},
    {S::Pulmonic, u"ɖ", "d`", "voiced retroflex plosive", "LATIN SMALL LETTER D WITH TAIL"},
    {S::Pulmonic, u"c", "c", "voiceless palatal plosive", "LATIN SMALL LETTER C"},
    {S::Pulmonic, u"ɟ", "J\\", "voiced palatal plosive", "LATIN SMALL LETTER DOTLESS J WITH STROKE"},
    {S::Pulmonic, u"k", "k", "voiceless velar plosive", "LATIN SMALL LETTER K"},
    {S::Pulmonic, u"ɡ", "g", "voiced velar plosive", "LATIN SMALL LETTER SCRIPT G"},
    {S::Pulmonic, u"q", "q", "voiceless uvular plosive", "LATIN SMALL LETTER Q"},
    {S::Pulmonic, u"ɢ", "G\\", "voiced uvular plosive", "LATIN LETTER SMALL CAPITAL G"},
    {S::Pulmonic, u"ʔ", "?", "glottal plosive (glottal stop)", "LATIN LETTER GLOTTAL STOP"},
    {S::Pulmonic, u"m", "m", "voiced bilabial nasal", "LATIN SMALL LETTER M"},
    {S::Pulmonic, u"ɱ", "F", "voiced labiodental nasal", "LATIN SMALL LETTER M WITH HOOK"},
    {S::Pulmonic, u"n", "n", "voiced alveolar nasal", "LATIN SMALL LETTER N"},
    {S::Pulmonic, u"ɳ", "n`", "voiced retroflex nasal", "LATIN SMALL LETTER N WITH RETROFLEX HOOK"},
    {S::Pulmonic, u"ɲ", "J", "voiced palatal nasal", "LATIN SMALL LETTER N WITH LEFT HOOK"},
    {S::Pulmonic, u"ŋ", "N", "voiced velar nasal", "LATIN SMALL LETTER ENG"},
    {S::Pulmonic, u"ɴ", "N\\", "voiced uvular nasal", "LATIN LETTER SMALL CAPITAL N"},
    {S::Pulmonic, u"ʙ", "B\\", "voiced bilabial trill", "LATIN LETTER SMALL CAPITAL B"},
    {S::Pulmonic, u"r", "r", "voiced alveolar trill", "LATIN SMALL LETTER R"},
    {S::Pulmonic, u"ʀ", "R\\", "voiced uvular trill", "LATIN LETTER SMALL CAPITAL R"},
    {S::Pulmonic, u"ⱱ", "", "voiced labiodental flap", "LATIN SMALL LETTER V WITH RIGHT HOOK"},
    {S::Pulmonic, u"ɾ", "4", "voiced alveolar tap", "LATIN SMALL LETTER R WITH FISHHOOK"},
    {S::Pulmonic, u"ɽ", "r`", "voiced retroflex flap", "LATIN SMALL LETTER R WITH TAIL"},
    {S::Pulmonic, u"ɸ", "p\\", "voiceless bilabial fricative", "LATIN SMALL LETTER PHI"},
    {S::Pulmonic, u"β", "B", "voiced bilabial fricative", "GREEK SMALL LETTER BETA"},
    {S::Pulmonic, u"f", "f", "voiceless labiodental fricative", "LATIN SMALL LETTER F"},
    {S::Pulmonic, u"v", "v", "voiced labiodental fricative", "LATIN SMALL LETTER V"},
    {S::Pulmonic, u"θ", "T", "voiceless dental fricative", "GREEK SMALL LETTER THETA"},
    {S::Pulmonic, u"ð", "D", "voiced dental fricative", "LATIN SMALL LETTER ETH"},
    {S::Pulmonic, u"s", "s", "voiceless alveolar fricative", "LATIN SMALL LETTER S"},
    {S::Pulmonic, u"z", "z", "voiced alveolar fricative", "LATIN SMALL LETTER Z"},
    {S::Pulmonic, u"ʃ", "S", "voiceless postalveolar fricative", "LATIN SMALL LETTER ESH"},
    {S::Pulmonic, u"ʒ", "Z", "voiced postalveolar fricative", "LATIN SMALL LETTER EZH"},
    {S::Pulmonic, u"ʂ", "s`", "voiceless retroflex fricative", "LATIN SMALL LETTER S WITH HOOK"},
    {S::Pulmonic, u"ʐ", "z`", "voiced retroflex fricative", "LATIN SMALL LETTER Z WITH RETROFLEX HOOK"},
    {S::Pulmonic, u"ç", "C", "voiceless palatal fricative", "LATIN SMALL LETTER C WITH CEDILLA"},
    {S::Pulmonic, u"ʝ", "j\\", "voiced palatal fricative", "LATIN SMALL LETTER J WITH CROSSED-TAIL"},
    {S::Pulmonic, u"x", "x", "voiceless velar fricative", "LATIN SMALL LETTER X"},
    {S::Pulmonic, u"ɣ", "G", "voiced velar fricative", "LATIN SMALL LETTER GAMMA"},
    {S::Pulmonic, u"χ", "X", "voiceless uvular fricative", "GREEK SMALL LETTER CHI"},
    {S::Pulmonic, u"ʁ", "R", "voiced uvular fricative", "LATIN LETTER SMALL CAPITAL INVERTED R"},
    {S::Pulmonic, u"ħ", "X\\", "voiceless pharyngeal fricative", "LATIN SMALL LETTER H WITH STROKE"},
    {S::Pulmonic, u"ʕ", "?\\", "voiced pharyngeal fricative", "LATIN LETTER PHARYNGEAL VOICED FRICATIVE"},
    {S::Pulmonic, u"h", "h", "voiceless glottal fricative", "LATIN SMALL LETTER H"},
    {S::Pulmonic, u"ɦ", "h\\", "voiced glottal fricative", "LATIN SMALL LETTER H WITH HOOK"},
    {S::Pulmonic, u"ɬ", "K", "voiceless alveolar lateral fricative", "LATIN SMALL LETTER L WITH BELT"},
    {S::Pulmonic, u"ɮ", "K\\", "voiced alveolar lateral fricative", "LATIN SMALL LETTER LEZH"},
    {S::Pulmonic, u"ʋ", "P v\\", "voiced labiodental approximant", "LATIN SMALL LETTER V WITH HOOK"},
    {S::Pulmonic, u"ɹ", "r\\", "voiced alveolar approximant", "LATIN SMALL LETTER TURNED R"},
    {S::Pulmonic, u"ɻ", "r\\`", "voiced retroflex approximant", "LATIN SMALL LETTER TURNED R WITH HOOK"},
    {S::Pulmonic, u"j", "j", "voiced palatal approximant", "LATIN SMALL LETTER J"},
    {S::Pulmonic, u"ɰ", "M\\", "voiced velar approximant", "LATIN SMALL LETTER TURNED M WITH LONG LEG"},
    {S::Pulmonic, u"l", "l", "voiced alveolar lateral approximant", "LATIN SMALL LETTER L"},
    {S::Pulmonic, u"ɭ", "l`", "voiced retroflex lateral approximant", "LATIN SMALL LETTER L WITH RETROFLEX HOOK"},
    {S::Pulmonic, u"ʎ", "L", "voiced palatal lateral approximant", "LATIN SMALL LETTER TURNED Y"},
    {S::Pulmonic, u"ʟ", "L\\", "voiced velar lateral approximant", "LATIN LETTER SMALL CAPITAL L"},
    {S::NonPulmonic, u"ʘ", "O\\", "bilabial click", "LATIN LETTER BILABIAL CLICK"},
    {S::NonPulmonic, u"ǀ", "|\\", "dental click", "LATIN LETTER DENTAL CLICK"},
    {S::NonPulmonic, u"ǃ", "!\\", "(post)alveolar click", "LATIN LETTER RETROFLEX CLICK"},
    {S::NonPulmonic, u"ǂ", "=\\", "palatoalveolar click", "LATIN LETTER ALVEOLAR CLICK"},
    {S::NonPulmonic, u"ǁ", "|\\|\\", "alveolar lateral click", "LATIN LETTER LATERAL CLICK"},
    {S::NonPulmonic, u"ɓ", "b_<", "voiced bilabial implosive", "LATIN SMALL LETTER B WITH HOOK"},
    {S::NonPulmonic, u"ɗ", "d_<", "voiced dental/alveolar implosive", "LATIN SMALL LETTER D WITH HOOK"},
    {S::NonPulmonic, u"ʄ", "J\\_<", "voiced palatal implosive", "LATIN SMALL LETTER DOTLESS J WITH STROKE AND HOOK"},
    {S::NonPulmonic, u"ɠ", "g_<", "voiced velar implosive", "LATIN SMALL LETTER G WITH HOOK"},
    {S::NonPulmonic, u"ʛ", "G\\_<", "voiced uvular implosive", "LATIN LETTER SMALL CAPITAL G WITH HOOK"},
    {S::NonPulmonic, u"ʼ", "_>", "ejective", "MODIFIER LETTER APOSTROPHE"},
    {S::NonPulmonic, u"pʼ", "p_>", "bilabial ejective", "LATIN SMALL LETTER P + MODIFIER LETTER APOSTROPHE"},
    {S::NonPulmonic, u"tʼ", "t_>", "dental/alveolar ejective", "LATIN SMALL LETTER T + MODIFIER LETTER APOSTROPHE"},
    {S::NonPulmonic, u"kʼ", "k_>", "velar ejective", "LATIN SMALL LETTER K + MODIFIER LETTER APOSTROPHE"},
    {S::NonPulmonic, u"sʼ", "s_>", "alveolar fricative ejective", "LATIN SMALL LETTER S + MODIFIER LETTER APOSTROPHE"},
    {S::Other, u"ʍ", "W", "voiceless labial-velar fricative", "LATIN SMALL LETTER TURNED W"},
    {S::Other, u"w", "w", "voiced labial-velar approximant", "LATIN SMALL LETTER W"},
    {S::Other, u"ɥ", "H", "voiced labial-palatal approximant", "LATIN SMALL LETTER TURNED H"},
    {S::Other, u"ʜ", "H\\", "voiceless epiglottal fricative", "LATIN LETTER SMALL CAPITAL H"},
    {S::Other, u"ʢ", "<\\", "voiced epiglottal fricative", "LATIN LETTER REVERSED GLOTTAL STOP WITH STROKE"},
    {S::Other, u"ʡ", ">\\", "epiglottal plosive", "LATIN LETTER GLOTTAL STOP WITH STROKE"},
    {S::Other, u"ɕ", "s\\", "voiceless alveolo-palatal fricative", "LATIN SMALL LETTER C WITH CURL"},
    {S::Other, u"ʑ", "z\\", "voiced alveolo-palatal fricative", "LATIN SMALL LETTER Z WITH CURL"},
    {S::Other, u"ɺ", "l\\", "voiced alveolar lateral flap", "LATIN SMALL LETTER TURNED R WITH LONG LEG"},
    {S::Other, u"ɧ", "x\\", "simultaneous ʃ and x (voiceless postalveolar-velar fricative)", "LATIN SMALL LETTER HENG WITH HOOK"},
    {S::Other, u"\u0361", "_", "tie bar (above)", "COMBINING DOUBLE INVERTED BREVE"},
    {S::Other, u"\u035C", "", "tie bar (below)", "COMBINING DOUBLE BREVE BELOW"},
    {S::Other, u"t\u0361s", "t_s", "voiceless alveolar affricate", "LATIN SMALL LETTER T + COMBINING DOUBLE INVERTED BREVE + LATIN SMALL LETTER S"},
    {S::Other, u"d\u0361z", "d_z", "voiced alveolar affricate", "LATIN SMALL LETTER D + COMBINING DOUBLE INVERTED BREVE + LATIN SMALL LETTER Z"},
    {S::Other, u"t\u0361ʃ", "t_S", "voiceless postalveolar affricate", "LATIN SMALL LETTER T + COMBINING DOUBLE INVERTED BREVE + LATIN SMALL LETTER ESH"},
    {S::Other, u"d\u0361ʒ", "d_Z", "voiced postalveolar affricate", "LATIN SMALL LETTER D + COMBINING DOUBLE INVERTED BREVE + LATIN SMALL LETTER EZH"},
    {S::Other, u"t\u0361ɕ", "t_s\\", "voiceless alveolo-palatal affricate", "LATIN SMALL LETTER T + COMBINING DOUBLE INVERTED BREVE + LATIN SMALL LETTER C WITH CURL"},
    {S::Other, u"d\u0361ʑ", "d_z\\", "voiced alveolo-palatal affricate", "LATIN SMALL LETTER D + COMBINING DOUBLE INVERTED BREVE + LATIN SMALL LETTER Z WITH CURL"},
    {S::Vowels, u"i", "i", "close front unrounded vowel", "LATIN SMALL LETTER I"},
    {S::Vowels, u"y", "y", "close front rounded vowel", "LATIN SMALL LETTER Y"},
    {S::Vowels, u"ɨ", "1", "close central unrounded vowel", "LATIN SMALL LETTER I WITH STROKE"},
    {S::Vowels, u"ʉ", "}", "close central rounded vowel", "LATIN SMALL LETTER U BAR"},
    {S::Vowels, u"ɯ", "M", "close back unrounded vowel", "LATIN SMALL LETTER TURNED M"},
    {S::Vowels, u"u", "u", "close back rounded vowel", "LATIN SMALL LETTER U"},
    {S::Vowels, u"ɪ", "I", "near-close near-front unrounded vowel", "LATIN LETTER SMALL CAPITAL I"},
    {S::Vowels, u"ʏ", "Y", "near-close near-front rounded vowel", "LATIN LETTER SMALL CAPITAL Y"},
    {S::Vowels, u"ʊ", "U", "near-close near-back rounded vowel", "LATIN SMALL LETTER UPSILON"},
    {S::Vowels, u"e", "e", "close-mid front unrounded vowel", "LATIN SMALL LETTER E"},
    {S::Vowels, u"ø", "2", "close-mid front rounded vowel", "LATIN SMALL LETTER O WITH STROKE"},
    {S::Vowels, u"ɘ", "@\\", "close-mid central unrounded vowel", "LATIN SMALL LETTER REVERSED E"},
    {S::Vowels, u"ɵ", "8", "close-mid central rounded vowel", "LATIN SMALL LETTER BARRED O"},
    {S::Vowels, u"ɤ", "7", "close-mid back unrounded vowel", "LATIN SMALL LETTER RAMS HORN"},
    {S::Vowels, u"o", "o", "close-mid back rounded vowel", "LATIN SMALL LETTER O"},
    {S::Vowels, u"ə", "@", "mid central vowel (schwa)", "LATIN SMALL LETTER SCHWA"},
    {S::Vowels, u"ɛ", "E", "open-mid front unrounded vowel", "LATIN SMALL LETTER OPEN E"},
    {S::Vowels, u"œ", "9", "open-mid front rounded vowel", "LATIN SMALL LIGATURE OE"},
    {S::Vowels, u"ɜ", "3", "open-mid central unrounded vowel", "LATIN SMALL LETTER REVERSED OPEN E"},
    {S::Vowels, u"ɞ", "3\\", "open-mid central rounded vowel", "LATIN SMALL LETTER CLOSED REVERSED OPEN E"},
    {S::Vowels, u"ʌ", "V", "open-mid back unrounded vowel", "LATIN SMALL LETTER TURNED V"},
    {S::Vowels, u"ɔ", "O", "open-mid back rounded vowel", "LATIN SMALL LETTER OPEN O"},
    {S::Vowels, u"æ", "{", "near-open front unrounded vowel", "LATIN SMALL LETTER AE"},
    {S::Vowels, u"ɐ", "6", "near-open central vowel", "LATIN SMALL LETTER TURNED A"},
    {S::Vowels, u"a", "a", "open front unrounded vowel", "LATIN SMALL LETTER A"},
    {S::Vowels, u"ɶ", "&", "open front rounded vowel", "LATIN LETTER SMALL CAPITAL OE"},
    {S::Vowels, u"ɑ", "A", "open back unrounded vowel", "LATIN SMALL LETTER ALPHA"},
    {S::Vowels, u"ɒ", "Q", "open back rounded vowel", "LATIN SMALL LETTER TURNED ALPHA"},
    {S::Diacritics, u"\u0325", "_0", "voiceless", "COMBINING RING BELOW"},
    {S::Diacritics, u"\u030A", "", "voiceless (above a descender)", "COMBINING RING ABOVE"},
    {S::Diacritics, u"\u032C", "_v", "voiced", "COMBINING CARON BELOW"},
    {S::Diacritics, u"ʰ", "_h", "aspirated", "MODIFIER LETTER SMALL H"},
    {S::Diacritics, u"\u0339", "_O", "more rounded", "COMBINING RIGHT HALF RING BELOW"},
    {S::Diacritics, u"\u031C", "_c", "less rounded", "COMBINING LEFT HALF RING BELOW"},
    {S::Diacritics, u"\u031F", "_+", "advanced", "COMBINING PLUS SIGN BELOW"},
    {S::Diacritics, u"\u0320", "_-", "retracted", "COMBINING MINUS SIGN BELOW"},
    {S::Diacritics, u"\u0308", "_\"", "centralized", "COMBINING DIAERESIS"},
    {S::Diacritics, u"\u033D", "_x", "mid-centralized", "COMBINING X ABOVE"},
    {S::Diacritics, u"\u0329", "= _=", "syllabic", "COMBINING VERTICAL LINE BELOW"},
    {S::Diacritics, u"\u030D", "", "syllabic (above a descender)", "COMBINING VERTICAL LINE ABOVE"},
    {S::Diacritics, u"\u032F", "_^", "non-syllabic", "COMBINING INVERTED BREVE BELOW"},
    {S::Diacritics, u"\u0311", "", "non-syllabic (above a descender)", "COMBINING INVERTED BREVE"},
    {S::Diacritics, u"˞", "`", "rhoticity", "MODIFIER LETTER RHOTIC HOOK"},
    {S::Diacritics, u"\u0324", "_t", "breathy voiced", "COMBINING DIAERESIS BELOW"},
    {S::Diacritics, u"\u0330", "_k", "creaky voiced", "COMBINING TILDE BELOW"},
    {S::Diacritics, u"\u033C", "_N", "linguolabial", "COMBINING SEAGULL BELOW"},
    {S::Diacritics, u"ʷ", "_w", "labialized", "MODIFIER LETTER SMALL W"},
    {S::Diacritics, u"ʲ", "' _j", "palatalized", "MODIFIER LETTER SMALL J"},
    {S::Diacritics, u"ˠ", "_G", "velarized", "MODIFIER LETTER SMALL GAMMA"},
    {S::Diacritics, u"ˤ", "_?\\", "pharyngealized", "MODIFIER LETTER SMALL REVERSED GLOTTAL STOP"},
    {S::Diacritics, u"\u0334", "_e", "velarized or pharyngealized", "COMBINING TILDE OVERLAY"},
    {S::Diacritics, u"\u031D", "_r", "raised", "COMBINING UP TACK BELOW"},
    {S::Diacritics, u"\u031E", "_o", "lowered", "COMBINING DOWN TACK BELOW"},
    {S::Diacritics, u"\u0318", "_A", "advanced tongue root", "COMBINING LEFT TACK BELOW"},
    {S::Diacritics, u"\u0319", "_q", "retracted tongue root", "COMBINING RIGHT TACK BELOW"},
    {S::Diacritics, u"\u032A", "_d", "dental", "COMBINING BRIDGE BELOW"},
    {S::Diacritics, u"\u033A", "_a", "apical", "COMBINING INVERTED BRIDGE BELOW"},
    {S::Diacritics, u"\u033B", "_m", "laminal", "COMBINING SQUARE BELOW"},
    {S::Diacritics, u"\u0303", "~ _~", "nasalized", "COMBINING TILDE"},
    {S::Diacritics, u"ⁿ", "_n", "nasal release", "SUPERSCRIPT LATIN SMALL LETTER N"},
    {S::Diacritics, u"ˡ", "_l", "lateral release", "MODIFIER LETTER SMALL L"},
    {S::Diacritics, u"\u031A", "_}", "no audible release", "COMBINING LEFT ANGLE ABOVE"},
    {S::Diacritics, u"˔", "", "raised (spacing)", "MODIFIER LETTER UP TACK"},
    {S::Diacritics, u"˕", "", "lowered (spacing)", "MODIFIER LETTER DOWN TACK"},
    {S::Suprasegmentals, u"ˈ", "\"", "primary stress", "MODIFIER LETTER VERTICAL LINE"},
    {S::Suprasegmentals, u"ˌ", "%", "secondary stress", "MODIFIER LETTER LOW VERTICAL LINE"},
    {S::Suprasegmentals, u"ː", ":", "long", "MODIFIER LETTER TRIANGULAR COLON"},
    {S::Suprasegmentals, u"ˑ", ":\\", "half-long", "MODIFIER LETTER HALF TRIANGULAR COLON"},
    {S::Suprasegmentals, u"\u0306", "_X", "extra-short", "COMBINING BREVE"},
    {S::Suprasegmentals, u"|", "|", "minor (foot) group", "VERTICAL LINE"},
    {S::Suprasegmentals, u"‖", "||", "major (intonation) group", "DOUBLE VERTICAL LINE"},
    {S::Suprasegmentals, u".", ".", "syllable break", "FULL STOP"},
    {S::Suprasegmentals, u"‿", "-\\", "linking (absence of a break)", "UNDERTIE"},
    {S::Tones, u"\u030B", "_T", "extra high", "COMBINING DOUBLE ACUTE ACCENT"},
    {S::Tones, u"˥", "", "extra high (tone letter)", "MODIFIER LETTER EXTRA-HIGH TONE BAR"},
    {S::Tones, u"\u0301", "_H", "high", "COMBINING ACUTE ACCENT"},
    {S::Tones, u"˦", "", "high (tone letter)", "MODIFIER LETTER HIGH TONE BAR"},
    {S::Tones, u"\u0304", "_M", "mid", "COMBINING MACRON"},
    {S::Tones, u"˧", "", "mid (tone letter)", "MODIFIER LETTER MID TONE BAR"},
    {S::Tones, u"\u0300", "_L", "low", "COMBINING GRAVE ACCENT"},
    {S::Tones, u"˨", "", "low (tone letter)", "MODIFIER LETTER LOW TONE BAR"},
    {S::Tones, u"\u030F", "_B", "extra low", "COMBINING DOUBLE GRAVE ACCENT"},
    {S::Tones, u"˩", "", "extra low (tone letter)", "MODIFIER LETTER EXTRA-LOW TONE BAR"},
    {S::Tones, u"ꜜ", "!", "downstep", "MODIFIER LETTER RAISED DOWN ARROW"},
    {S::Tones, u"ꜛ", "^", "upstep", "MODIFIER LETTER RAISED UP ARROW"},
    {S::Tones, u"\u030C", "_R _/", "rising", "COMBINING CARON"},
    {S::Tones, u"˩˥", "", "rising (tone letters)", "MODIFIER LETTER EXTRA-LOW TONE BAR + MODIFIER LETTER EXTRA-HIGH TONE BAR"},
    {S::Tones, u"\u0302", "_F _\\", "falling", "COMBINING CIRCUMFLEX ACCENT"},
    {S::Tones, u"˥˩", "", "falling (tone letters)", "MODIFIER LETTER EXTRA-HIGH TONE BAR + MODIFIER LETTER EXTRA-LOW TONE BAR"},
    {S::Tones, u"\u1DC4", "_H_T", "high rising", "COMBINING MACRON-ACUTE"},
    {S::Tones, u"˦˥", "", "high rising (tone letters)", "MODIFIER LETTER HIGH TONE BAR + MODIFIER LETTER EXTRA-HIGH TONE BAR"},
    {S::Tones, u"\u1DC5", "_B_L", "low rising", "COMBINING GRAVE-MACRON"},
    {S::Tones, u"˩˨", "", "low rising (tone letters)", "MODIFIER LETTER EXTRA-LOW TONE BAR + MODIFIER LETTER LOW TONE BAR"},
    {S::Tones, u"\u1DC8", "_R_F", "rising-falling", "COMBINING GRAVE-ACUTE-GRAVE"},
    {S::Tones, u"˧˦˧", "", "rising-falling (tone letters)", "MODIFIER LETTER MID TONE BAR + MODIFIER LETTER HIGH TONE BAR + MODIFIER LETTER MID TONE BAR"},
    {S::Tones, u"\u1DC9", "_F_R", "falling-rising", "COMBINING ACUTE-GRAVE-ACUTE"},
    {S::Tones, u"˨˩˦", "", "falling-rising (tone letters)", "MODIFIER LETTER LOW TONE BAR + MODIFIER LETTER EXTRA-LOW TONE BAR + MODIFIER LETTER HIGH TONE BAR"},
    {S::Tones, u"↗", "<R>", "global rise", "NORTH EAST ARROW"},
    {S::Tones, u"↘", "<F>", "global fall", "SOUTH EAST ARROW"},
    {S::Superscripts, u"ʱ", "", "breathy-voiced aspiration", "MODIFIER LETTER SMALL H WITH HOOK"},
    {S::Superscripts, u"ᵊ", "", "mid central vowel release", "MODIFIER LETTER SMALL SCHWA"},
    {S::Superscripts, u"ˀ", "", "glottalized", "MODIFIER LETTER GLOTTAL STOP"},
    {S::Superscripts, u"ᶣ", "", "labial-palatalized", "MODIFIER LETTER SMALL TURNED H"},
    {S::Superscripts, u"ᵐ", "", "prenasalized (bilabial)", "MODIFIER LETTER SMALL M"},
    {S::Superscripts, u"ᵑ", "", "prenasalized (velar)", "MODIFIER LETTER SMALL ENG"},
    {S::Superscripts, u"ᶮ", "", "palatal nasal release", "MODIFIER LETTER SMALL N WITH LEFT HOOK"},
    {S::Superscripts, u"ʳ", "", "rhotic release", "MODIFIER LETTER SMALL R"},
    {S::Superscripts, u"ʴ", "", "superscript turned r", "MODIFIER LETTER SMALL TURNED R"},
    {S::Superscripts, u"ʵ", "", "superscript turned r with hook", "MODIFIER LETTER SMALL TURNED R WITH HOOK"},
    {S::Superscripts, u"ʶ", "", "superscript inverted small capital r", "MODIFIER LETTER SMALL CAPITAL INVERTED R"},
    {S::Superscripts, u"ˢ", "", "superscript s (sibilant release)", "MODIFIER LETTER SMALL S"},
    {S::Superscripts, u"ᶴ", "", "superscript esh", "MODIFIER LETTER SMALL ESH"},
    {S::Superscripts, u"ˣ", "", "superscript x (velar fricative release)", "MODIFIER LETTER SMALL X"},
    {S::Superscripts, u"ᶿ", "", "superscript theta (dental fricative release)", "MODIFIER LETTER SMALL THETA"},
    {S::Superscripts, u"ᵝ", "", "superscript beta", "MODIFIER LETTER SMALL BETA"},
    {S::Superscripts, u"ᵡ", "", "superscript chi (uvular fricative release)", "MODIFIER LETTER SMALL CHI"},
    {S::Superscripts, u"ʸ", "", "superscript y", "MODIFIER LETTER SMALL Y"},
    {S::Superscripts, u"ᵚ", "", "superscript turned m", "MODIFIER LETTER SMALL TURNED M"},
    {S::Superscripts, u"ᵇ", "", "superscript b", "MODIFIER LETTER SMALL B"},
    {S::Superscripts, u"ᵈ", "", "superscript d", "MODIFIER LETTER SMALL D"},
    {S::Superscripts, u"ᵗ", "", "superscript t", "MODIFIER LETTER SMALL T"},
    {S::Superscripts, u"ᵏ", "", "superscript k", "MODIFIER LETTER SMALL K"},
    {S::Superscripts, u"ᶢ", "", "superscript g (voiced click)", "MODIFIER LETTER SMALL SCRIPT G"},
    {S::Superscripts, u"ᶠ", "", "superscript f", "MODIFIER LETTER SMALL F"},
    {S::Superscripts, u"ᵛ", "", "superscript v", "MODIFIER LETTER SMALL V"},
    {S::Superscripts, u"ᶻ", "", "superscript z", "MODIFIER LETTER SMALL Z"},
    {S::Superscripts, u"ᶾ", "", "superscript ezh", "MODIFIER LETTER SMALL EZH"},
    {S::Superscripts, u"ᶝ", "", "superscript c with curl", "MODIFIER LETTER SMALL C WITH CURL"},
    {S::Superscripts, u"ᶽ", "", "superscript z with curl", "MODIFIER LETTER SMALL Z WITH CURL"},
    {S::Superscripts, u"ᶲ", "", "superscript phi", "MODIFIER LETTER SMALL PHI"},
    {S::Superscripts, u"ᶫ", "", "superscript small capital l", "MODIFIER LETTER SMALL CAPITAL L"},
    {S::Superscripts, u"ᶬ", "", "superscript m with hook", "MODIFIER LETTER SMALL M WITH HOOK"},
    {S::Superscripts, u"ᶯ", "", "superscript n with retroflex hook", "MODIFIER LETTER SMALL N WITH RETROFLEX HOOK"},
    {S::Superscripts, u"ᶰ", "", "superscript small capital n", "MODIFIER LETTER SMALL CAPITAL N"},
    {S::Superscripts, u"ᵃ", "", "superscript a", "MODIFIER LETTER SMALL A"},
    {S::Superscripts, u"ᵉ", "", "superscript e", "MODIFIER LETTER SMALL E"},
    {S::Superscripts, u"ⁱ", "", "superscript i", "SUPERSCRIPT LATIN SMALL LETTER I"},
    {S::Superscripts, u"ᵒ", "", "superscript o", "MODIFIER LETTER SMALL O"},
    {S::Superscripts, u"ᵘ", "", "superscript u", "MODIFIER LETTER SMALL U"},
    {S::Ligatures, u"ʦ", "", "voiceless alveolar affricate (ts ligature)", "LATIN SMALL LETTER TS DIGRAPH"},
    {S::Ligatures, u"ʣ", "", "voiced alveolar affricate (dz ligature)", "LATIN SMALL LETTER DZ DIGRAPH"},
    {S::Ligatures, u"ʧ", "", "voiceless postalveolar affricate (tesh ligature)", "LATIN SMALL LETTER TESH DIGRAPH"},
    {S::Ligatures, u"ʤ", "", "voiced postalveolar affricate (dezh ligature)", "LATIN SMALL LETTER DEZH DIGRAPH"},
    {S::Ligatures, u"ʨ", "", "voiceless alveolo-palatal affricate (tc ligature)", "LATIN SMALL LETTER TC DIGRAPH WITH CURL"},
    {S::Ligatures, u"ʥ", "", "voiced alveolo-palatal affricate (dz ligature with curl)", "LATIN SMALL LETTER DZ DIGRAPH WITH CURL"},
    {S::Ligatures, u"ɚ", "@`", "r-coloured mid central vowel", "LATIN SMALL LETTER SCHWA WITH HOOK"},
    {S::Ligatures, u"ɝ", "3`", "r-coloured open-mid central unrounded vowel", "LATIN SMALL LETTER REVERSED OPEN E WITH HOOK"},
    {S::Ligatures, u"ᵻ", "I\\", "near-close central unrounded vowel", "LATIN SMALL CAPITAL LETTER I WITH STROKE"},
    {S::Ligatures, u"ᵿ", "U\\", "near-close central rounded vowel", "LATIN SMALL LETTER UPSILON WITH STROKE"},
    {S::Ligatures, u"ɫ", "5", "velarized alveolar lateral approximant (dark l)", "LATIN SMALL LETTER L WITH MIDDLE TILDE"},
    {S::Ligatures, u"\U0001DF0A", "", "subapical retroflex click", "LATIN LETTER RETROFLEX CLICK WITH RETROFLEX HOOK"},
    {S::Ligatures, u"ᶑ", "d`_<", "voiced retroflex implosive", "LATIN SMALL LETTER D WITH HOOK AND TAIL"},
    {S::Ligatures, u"ɿ", "", "apical dental unrounded vowel (Sinological)", "LATIN SMALL LETTER REVERSED R WITH FISHHOOK"},
    {S::Ligatures, u"ʅ", "", "apical retroflex unrounded vowel (Sinological)", "LATIN SMALL LETTER SQUAT REVERSED ESH"},
    {S::Ligatures, u"ʮ", "", "apical dental rounded vowel (Sinological)", "LATIN SMALL LETTER TURNED H WITH FISHHOOK"},
    {S::Ligatures, u"ʯ", "", "apical retroflex rounded vowel (Sinological)", "LATIN SMALL LETTER TURNED H WITH FISHHOOK AND TAIL"},
    {S::Ligatures, u"ȵ", "", "alveolo-palatal nasal (Sinological)", "LATIN SMALL LETTER N WITH CURL"},
    {S::Ligatures, u"ȶ", "", "voiceless alveolo-palatal plosive (Sinological)", "LATIN SMALL LETTER T WITH CURL"},
    {S::Ligatures, u"ȡ", "", "voiced alveolo-palatal plosive (Sinological)", "LATIN SMALL LETTER D WITH CURL"},
    {S::Ligatures, u"ȴ", "", "alveolo-palatal lateral approximant (Sinological)", "LATIN SMALL LETTER L WITH CURL"},
    {S::ExtIpa, u"ʪ", "", "voiceless grooved lateral alveolar fricative", "LATIN SMALL LETTER LS DIGRAPH"},
    {S::ExtIpa, u"ʫ", "", "voiced grooved lateral alveolar fricative", "LATIN SMALL LETTER LZ DIGRAPH"},
    {S::ExtIpa, u"ꞎ", "", "voiceless retroflex lateral fricative", "LATIN SMALL LETTER L WITH RETROFLEX HOOK AND BELT"},
    {S::ExtIpa, u"\U0001DF05", "", "voiced retroflex lateral fricative", "LATIN SMALL LETTER LEZH WITH RETROFLEX HOOK"},
    {S::ExtIpa, u"\U0001DF06", "", "voiceless palatal lateral fricative", "LATIN SMALL LETTER TURNED Y WITH BELT"},
    {S::ExtIpa, u"\U0001DF04", "", "voiceless velar lateral fricative", "LATIN LETTER SMALL CAPITAL L WITH BELT"},
    {S::ExtIpa, u"\U0001DF03", "", "voiceless velodorsal plosive", "LATIN SMALL LETTER REVERSED K"},
    {S::ExtIpa, u"\U0001DF01", "", "voiced velodorsal plosive", "LATIN SMALL LETTER REVERSED SCRIPT G"},
    {S::ExtIpa, u"\U0001DF07", "", "velodorsal nasal", "LATIN SMALL LETTER REVERSED ENG"},
    {S::ExtIpa, u"ꞯ", "", "voiceless upper-pharyngeal plosive", "LATIN LETTER SMALL CAPITAL Q"},
    {S::ExtIpa, u"\U0001DF02", "", "voiced upper-pharyngeal plosive", "LATIN LETTER SMALL CAPITAL TURNED G"},
    {S::ExtIpa, u"\U0001DF08", "", "voiced retroflex lateral flap (para-IPA)", "LATIN SMALL LETTER TURNED R WITH LONG LEG AND RETROFLEX HOOK"},
    {S::ExtIpa, u"ʩ", "", "velopharyngeal fricative", "LATIN SMALL LETTER FENG DIGRAPH"},
    {S::ExtIpa, u"\U0001DF00", "", "velopharyngeal trill", "LATIN SMALL LETTER FENG DIGRAPH WITH TRILL"},
    {S::ExtIpa, u"ʬ", "", "bilabial percussive", "LATIN LETTER BILABIAL PERCUSSIVE"},
    {S::ExtIpa, u"ʭ", "", "bidental percussive", "LATIN LETTER BIDENTAL PERCUSSIVE"},
    {S::ExtIpa, u"¡", "", "sublaminal lower alveolar percussive", "INVERTED EXCLAMATION MARK"},
    {S::ExtIpa, u"ǃ¡", "", "sublaminal percussive click", "LATIN LETTER RETROFLEX CLICK + INVERTED EXCLAMATION MARK"},
    {S::ExtIpa, u"↓", "", "ingressive airflow", "DOWNWARDS ARROW"},
    {S::ExtIpa, u"↑", "", "egressive airflow", "UPWARDS ARROW"},
    {S::ExtIpa, u"\u0346", "", "dentolabial", "COMBINING BRIDGE ABOVE"},
    {S::ExtIpa, u"\u0347", "", "alveolar", "COMBINING EQUALS SIGN BELOW"},
    {S::ExtIpa, u"\u034D", "", "labial spreading", "COMBINING LEFT RIGHT ARROW BELOW"},
    {S::ExtIpa, u"\u0348", "", "strong articulation", "COMBINING DOUBLE VERTICAL LINE BELOW"},
    {S::ExtIpa, u"\u0349", "", "weak articulation", "COMBINING LEFT ANGLE BELOW"},
    {S::ExtIpa, u"\u034A", "", "denasal", "COMBINING NOT TILDE ABOVE"},
    {S::ExtIpa, u"\u034B", "", "nasal escape", "COMBINING HOMOTHETIC ABOVE"},
    {S::ExtIpa, u"\u034C", "", "velopharyngeal friction", "COMBINING ALMOST EQUAL TO ABOVE"},
    {S::ExtIpa, u"\u034E", "", "whistled articulation", "COMBINING UPWARDS ARROW BELOW"},
    {S::ExtIpa, u"\u0362", "", "sliding articulation", "COMBINING DOUBLE RIGHTWARDS ARROW BELOW"},
    {S::ExtIpa, u"˭", "", "unaspirated", "MODIFIER LETTER UNASPIRATED"},
    {S::ExtIpa, u"\u1AC1", "", "initial partial voicing or devoicing (above)", "COMBINING LEFT PARENTHESIS ABOVE LEFT"},
    {S::ExtIpa, u"\u1AC2", "", "final partial voicing or devoicing (above)", "COMBINING RIGHT PARENTHESIS ABOVE RIGHT"},
    {S::ExtIpa, u"\u1AC3", "", "initial partial voicing or devoicing (below)", "COMBINING LEFT PARENTHESIS BELOW LEFT"},
    {S::ExtIpa, u"\u1AC4", "", "final partial voicing or devoicing (below)", "COMBINING RIGHT PARENTHESIS BELOW RIGHT"},
    {S::ExtIpa, u"\u1AC7", "", "labialized (above a descender)", "COMBINING INVERTED DOUBLE ARCH ABOVE"},
    {S::ExtIpa, u"\u1AC8", "", "advanced (above a descender)", "COMBINING PLUS SIGN ABOVE"},
    {S::ExtIpa, u"\u1AC9", "", "strongly advanced (above a descender)", "COMBINING DOUBLE PLUS SIGN ABOVE"},
    {S::ExtIpa, u"\u1ACA", "", "strongly advanced", "COMBINING DOUBLE PLUS SIGN BELOW"},
};
// clang-format on

// Traditional letter names, the terms of textbooks and field notes, and example words. A typed
// phrase that is one of these names ranks as the symbol's own name ("ash" gives æ, "release" the
// unreleased mark, "click" the commonest click).
constexpr IpaAlias kAliases[] = {
    {u"p", "", "pen|spin"},
    {u"t", "", "tea"},
    {u"k", "", "cat|skin"},
    {u"ʔ", "glottal catch", "uh-oh"},
    {u"ɲ", "left-tail n", "canyon"},
    {u"ŋ", "eng|engma|agma|ng", "sing|thing"},
    {u"ɳ", "right-tail n", ""},
    {u"ʈ", "right-tail t", ""},
    {u"ɖ", "right-tail d", ""},
    {u"ʂ", "right-tail s", ""},
    {u"ʐ", "right-tail z", ""},
    {u"ɭ", "right-tail l", ""},
    {u"ɻ", "right-tail turned r", ""},
    {u"ɽ", "right-tail r", ""},
    {u"ɟ", "barred dotless j", ""},
    {u"ɾ", "flap|alveolar flap|fish-hook r", "better|butter|pero"},
    {u"r", "rolled r|trilled r", "perro"},
    {u"ɸ", "phi", ""},
    {u"β", "beta", ""},
    {u"θ", "theta", "thin|think"},
    {u"ð", "eth|edh|crossed d", "this|mother"},
    {u"ʃ", "esh", "ship|shoe"},
    {u"ʒ", "ezh|yogh|tailed z", "vision|measure"},
    {u"ç", "c cedilla", "huge"},
    {u"ɣ", "gamma", ""},
    {u"χ", "chi", ""},
    {u"ʁ", "inverted small capital r", "rouge"},
    {u"ħ", "barred h", ""},
    {u"ʕ", "voiced pharyngeal approximant|ayin|reversed glottal stop", ""},
    {u"ɦ", "hooktop h", "ahead"},
    {u"ɬ", "belted l", "llan"},
    {u"ɮ", "lezh", ""},
    {u"ʋ", "cursive v|script v", ""},
    {u"ɹ", "turned r", "red|rain"},
    {u"j", "yod|semivowel|glide", "yes"},
    {u"ɰ", "semivowel|glide", ""},
    {u"ʎ", "turned y", ""},
    {u"ʘ", "bullseye", ""},
    {u"ǀ", "pipe", ""},
    {u"ǃ", "click|alveolar click|exclamation mark", ""},
    {u"ǂ", "palatal click|double-barred pipe", ""},
    {u"ǁ", "double pipe|lateral click", ""},
    {u"ʼ", "apostrophe|glottalic", ""},
    {u"ʍ", "turned w", "which"},
    {u"w", "semivowel|glide", "wet|win"},
    {u"ɥ", "turned h|semivowel|glide", ""},
    {u"ʡ", "barred glottal stop", ""},
    {u"ɕ", "curly-tail c", ""},
    {u"ʑ", "curly-tail z", ""},
    {u"ɧ", "heng", ""},
    {u"\u0361", "tie", ""},
    {u"t\u0361ʃ", "", "chain|church|chin"},
    {u"d\u0361ʒ", "", "june|judge|jam"},
    {u"t\u0361s", "", "tsetse|zeit"},
    {u"i", "", "fleece"},
    {u"ɨ", "barred i", ""},
    {u"ʉ", "barred u", "goose"},
    {u"ɯ", "turned m", ""},
    {u"u", "", "food"},
    {u"ɪ", "small capital i", "kit"},
    {u"ʏ", "small capital y", ""},
    {u"ʊ", "upsilon|horseshoe", "foot"},
    {u"ø", "slashed o", ""},
    {u"ɘ", "reversed e", ""},
    {u"ɵ", "barred o", ""},
    {u"ɤ", "rams horn|baby gamma", ""},
    {u"ə", "schwa", "about|sofa"},
    {u"ɛ", "epsilon|open e", "dress"},
    {u"œ", "o-e ligature", ""},
    {u"ɜ", "reversed epsilon", "nurse"},
    {u"ʌ", "turned v|wedge", "strut"},
    {u"ɔ", "open o", "thought"},
    {u"æ", "ash", "trap"},
    {u"ɐ", "turned a", ""},
    {u"ɶ", "small capital o-e", ""},
    {u"ɑ", "alpha|script a", "father|palm"},
    {u"ɒ", "turned alpha|turned script a", "lot"},
    {u"\u0325", "ring below|devoiced", ""},
    {u"\u030A", "ring above", ""},
    {u"ʰ", "aspiration|superscript h", ""},
    {u"\u0308", "diaeresis|umlaut", ""},
    {u"˞", "rhotic hook|r-coloured vowel", ""},
    {u"\u0324", "breathy voice|murmur", ""},
    {u"\u0330", "creaky voice|laryngealised", ""},
    {u"ʷ", "superscript w|labialisation", ""},
    {u"ʲ", "superscript j|palatalisation", ""},
    {u"ˠ", "superscript gamma|velarisation", ""},
    {u"ˤ", "pharyngealisation", ""},
    {u"\u032A", "bridge", ""},
    {u"\u0303", "tilde|nasalisation|nasal vowel", ""},
    {u"\u031A", "release|unreleased", ""},
    {u"ˈ", "stress|stress mark", ""},
    {u"ː", "length|length mark|long vowel", ""},
    {u"ˑ", "half length", ""},
    {u"\u030B", "double acute", ""},
    {u"˥", "chao tone letter", ""},
    {u"\u0301", "acute|acute accent", ""},
    {u"˦", "chao tone letter", ""},
    {u"\u0304", "macron", ""},
    {u"˧", "chao tone letter", ""},
    {u"\u0300", "grave|grave accent", ""},
    {u"˨", "chao tone letter", ""},
    {u"\u030F", "double grave", ""},
    {u"˩", "chao tone letter", ""},
    {u"\u030C", "caron|hacek", ""},
    {u"˩˥", "chao tone letters", ""},
    {u"\u0302", "circumflex", ""},
    {u"˥˩", "chao tone letters", ""},
    {u"˦˥", "chao tone letters", ""},
    {u"˩˨", "chao tone letters", ""},
    {u"˧˦˧", "chao tone letters", ""},
    {u"\u1DC9", "dipping", ""},
    {u"˨˩˦", "dipping|chao tone letters", ""},
    {u"\u0306", "breve", ""},
    {u"ɚ", "rhotacised schwa|schwar", ""},
    {u"ɝ", "rhotacised reversed epsilon", ""},
    {u"ɫ", "velarised l", "full"},
    {u"ɿ", "apical vowel|syllabic z", ""},
    {u"ʅ", "apical vowel|syllabic r", ""},
    {u"ʮ", "apical vowel", ""},
    {u"ʯ", "apical vowel", ""},
};

// Each word maps to the chart's words it stands for; both spellings of -ise/-ize and -our/-or
// need no entry, the search makes them one.
constexpr IpaWordSynonym kWordSynonyms[] = {
    {"stop", "plosive"},
    {"high", "close"},
    {"low", "open"},
    {"high-mid", "close-mid"},
    {"upper-mid", "close-mid"},
    {"low-mid", "open-mid"},
    {"lower-mid", "open-mid"},
    {"near-high", "near-close"},
    {"near-low", "near-open"},
    {"glide", "approximant"},
    {"semivowel", "approximant"},
    {"rhotacised", "r-coloured rhoticity"},
    {"rhotic", "rhoticity r-coloured"},
    {"flap", "tap"},
    {"tap", "flap"},
    {"aspiration", "aspirated"},
    {"length", "long"},
    {"lengthened", "long"},
    {"devoiced", "voiceless"},
    {"unvoiced", "voiceless"},
    {"murmured", "breathy"},
    {"laryngealised", "creaky"},
    {"rolled", "trill"},
    {"trilled", "trill"},
    {"labialisation", "labialised"},
    {"palatalisation", "palatalised"},
    {"velarisation", "velarised"},
    {"pharyngealisation", "pharyngealised"},
    {"nasalisation", "nasalised"},
    {"glottalisation", "glottalised"},
    {"prenasalisation", "prenasalised"},
    {"unreleased", "release"},
    {"diphthong", "non-syllabic"},
};

constexpr std::array<std::string_view, kIpaSectionCount> kSectionWords = {
    "consonant pulmonic",
    "consonant non-pulmonic",
    "",
    "vowel",
    "diacritic mark",
    "suprasegmental",
    "tone accent",
    "superscript",
    "ligature",
    "extIPA",
};

constexpr std::array<std::string_view, kIpaSectionCount> kSectionTitles = {
    "Consonants (pulmonic)",
    "Consonants (non-pulmonic)",
    "Other symbols",
    "Vowels",
    "Diacritics",
    "Suprasegmentals",
    "Tones and word accents",
    "Superscript letters",
    "Ligatures and other letters",
    "extIPA",
};

char32_t firstCodePoint(std::u16string_view text) {
    char32_t first = 0;
    bool seen = false;
    forEachCodePoint(text, [&](char32_t cp) {
        if (!seen) {
            first = cp;
            seen = true;
        }
    });
    return first;
}

// Marks that reach over two characters.
bool isDoubleMark(char32_t cp) {
    return cp >= 0x035C && cp <= 0x0362;
}

} // namespace

std::string_view sectionTitle(IpaSection section) {
    return kSectionTitles[static_cast<std::size_t>(section)];
}

std::span<const IpaSymbol> ipaSymbols() {
    return kSymbols;
}

std::span<const IpaAlias> ipaAliases() {
    return kAliases;
}

std::span<const IpaWordSynonym> ipaWordSynonyms() {
    return kWordSynonyms;
}

std::string_view sectionWords(IpaSection section) {
    return kSectionWords[static_cast<std::size_t>(section)];
}

bool isCombiningMark(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
           (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
           (cp >= 0xFE20 && cp <= 0xFE2F);
}

bool attachesToPrevious(const IpaSymbol& symbol) {
    return isCombiningMark(firstCodePoint(symbol.chars));
}

std::u16string displayText(std::u16string_view chars) {
    constexpr char16_t kDottedCircle = u'\u25CC';
    const char32_t first = firstCodePoint(chars);
    if (!isCombiningMark(first)) {
        return std::u16string(chars);
    }
    std::u16string text(1, kDottedCircle);
    text += chars;
    if (isDoubleMark(first) && chars.size() == 1) {
        text += kDottedCircle;
    }
    return text;
}

std::u16string displayText(const IpaSymbol& symbol) {
    return displayText(symbol.chars);
}

std::vector<std::string_view> xsampaSpellings(const IpaSymbol& symbol) {
    std::vector<std::string_view> spellings;
    std::string_view rest = symbol.xsampa;
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        spellings.push_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? "" : rest.substr(space + 1);
    }
    return spellings;
}

std::string_view usualXsampa(const IpaSymbol& symbol) {
    return symbol.xsampa.substr(0, symbol.xsampa.find(' '));
}

std::string codePointText(const IpaSymbol& symbol) {
    return codePointText(symbol.chars);
}

std::string codePointText(std::u16string_view chars) {
    std::string text;
    forEachCodePoint(chars, [&text](char32_t cp) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
        if (!text.empty()) {
            text += ' ';
        }
        text += buffer;
    });
    return text;
}

} // namespace korv
