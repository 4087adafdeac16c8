// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transcribeoptions.h"

#include <string>
#include <string_view>
#include <vector>

namespace korv {

enum class Stress { None, Secondary, Primary };

// One phoneme of a word, in the dictionaries' symbols before the user's options are applied.
struct Segment {
    std::string ipa;
    bool vowel = false;
    Stress stress = Stress::None;
    bool operator==(const Segment&) const = default;
};

// One word of espeak-ng's phoneme mnemonics ("k|'a|t", stress marks before vowels, names
// separated by '|' or blanks) as the accent's phonemes. Names it does not know are added to
// unknown, when given, and left out.
std::vector<Segment> segmentsFromMnemonics(std::string_view mnemonics, Accent accent,
                                           std::vector<std::string>* unknown = nullptr);

// America's r after an r-coloured vowel: left out, or the next syllable's ("around", "hurry");
// a doubled r is written once.
void joinRs(std::vector<Segment>& word, Accent accent);

// aɪ or aʊ and a weak vowel are one syllable when spelt "ire"/"yre" or "our" ("fire", "hour"),
// two otherwise ("quiet", "flower").
void mergeTriphthongs(std::vector<Segment>& word, std::string_view spelling);

// Stress as the dictionaries mark it: none on a word of one syllable, a primary on every word of
// more (the first secondary is promoted when the engine gave none), no secondary after the
// primary.
void normaliseStress(std::vector<Segment>& word);

// Unstressed vowels as the dictionaries write them: i and u before a vowel, ɚ for America's weak
// NURSE, ɪ for a first e before the stress, ə for ʌ after it, in "-ular", "-ity" and "-ible".
// Needs the stress normalised.
void weakenVowels(std::vector<Segment>& word);

// The engine's ŋ before a stressed syllable's k or ɡ is n ("include").
void keepPrefixNasal(std::vector<Segment>& word);

// All of the above, in order: one word from the engine in the dictionaries' conventions.
std::vector<Segment> dictionaryWord(std::string_view mnemonics, Accent accent,
                                    std::string_view spelling,
                                    std::vector<std::string>* unknown = nullptr);

// Whether the consonants may begin an English syllable ("str", "pj", not "tl" or "ŋ").
bool isLegalOnset(const std::vector<std::string_view>& consonants);

// The index of the segment a stressed vowel's syllable begins with: the longest legal onset
// among the consonants after the previous vowel, or the word's start when there is none.
std::size_t syllableStart(const std::vector<Segment>& word, std::size_t vowel);

// The word written out: stress marks before their syllables, r and the affricates as the options
// say.
std::string writeWord(const std::vector<Segment>& word, const TranscribeOptions& options);

// The options applied to text already in the dictionaries' symbols (r, tʃ, dʒ).
std::string applySymbolOptions(std::string_view ipa, const TranscribeOptions& options);

} // namespace korv
