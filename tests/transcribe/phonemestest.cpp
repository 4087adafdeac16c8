// SPDX-License-Identifier: GPL-3.0-or-later
// From espeak-ng's phoneme names to the dictionaries' conventions: the mapping per accent, the
// r rules, the weak vowels, stress before the syllable by English onsets, and the symbol options.

#include "phonemes.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

struct WordCase {
    const char* mnemonics;
    Accent accent;
    const char* spelling;
    const char* expected;
};

const WordCase kWords[] = {
    // Flaps and glottal stops are a phonemic t or d; syllabic consonants get their schwa.
    {"b|'V|t#|3", Accent::Ga, "butter", "ˈbʌtɚ"},
    {"b|'V|t|a#", Accent::Rp, "butter", "ˈbʌtə"},
    {"r|'E|d#|i", Accent::Ga, "ready", "ˈrɛdi"},
    {"b|'V|?|n-", Accent::Ga, "button", "ˈbʌtən"},
    {"l|'I|t#|@L", Accent::Ga, "little", "ˈlɪtəl"},
    // Vowels before r, and America's r.
    {"k|'A@", Accent::Ga, "car", "kɑr"},
    {"k|'A@", Accent::Rp, "car", "kɑː"},
    {"p|'e@|r|@|n|t", Accent::Ga, "parent", "ˈpɛrənt"},
    {"p|'e@|r|@|n|t", Accent::Rp, "parent", "ˈpeərənt"},
    {"3|r|'aU|n|d", Accent::Ga, "around", "əˈraʊnd"},
    {"h|'V|r|i", Accent::Ga, "hurry", "ˈhɝi"},
    {"h|'V|r|i", Accent::Rp, "hurry", "ˈhʌri"},
    {"z|'i@|r|oU", Accent::Ga, "zero", "ˈzɪroʊ"},
    {"aI|d|'i@", Accent::Ga, "idea", "aɪˈdiə"},
    {"aI|d|'i@", Accent::Rp, "idea", "aɪˈdɪə"},
    {"b|'3:|d", Accent::Ga, "bird", "bɝd"},
    {"p|3:|h|'aa|p|s", Accent::Ga, "perhaps", "pɚˈhæps"},
    {"b|'aa|T", Accent::Rp, "bath", "bɑːθ"},
    {"b|'aa|T", Accent::Ga, "bath", "bæθ"},
    {"l|'O2|N", Accent::Ga, "long", "lɔŋ"},
    {"l|'O2|N", Accent::Rp, "long", "lɒŋ"},
    // One syllable or two, by spelling.
    {"f|'aI@", Accent::Rp, "fire", "faɪə"},
    {"k|w|'aI@|t", Accent::Rp, "quiet", "ˈkwaɪət"},
    {"'aU|3", Accent::Ga, "hour", "aʊɚ"},
    {"f|l|'aU|3", Accent::Ga, "flower", "ˈflaʊɚ"},
    // Stress: promoted, dropped after the primary, none on one syllable.
    {"a#|b|,aU|t", Accent::Rp, "about", "əˈbaʊt"},
    {"b|'3:|T|d|,eI", Accent::Rp, "birthday", "ˈbɜːθdeɪ"},
    {"k|'a|t", Accent::Rp, "cat", "kæt"},
    {"D|@2", Accent::Rp, "the", "ðə"},
    // Stress before the longest legal onset.
    {"E|k|s|p|'E|k|t", Accent::Ga, "expect", "ɪkˈspɛkt"},
    {"a|t|l|'a|n|t|I|k", Accent::Rp, "atlantic", "ætˈlæntɪk"},
    {"a#|s|t|r|'0|n|@|m|i", Accent::Rp, "astronomy", "əˈstrɒnəmi"},
    {"h|@|l|'oU", Accent::Ga, "hello", "həˈloʊ"},
    {"k|@|m|p|j|'u:|t#|3", Accent::Ga, "computer", "kəmˈpjutɚ"},
    // Weak vowels.
    {"w|'E|l|k|V|m", Accent::Rp, "welcome", "ˈwelkəm"},
    {"p|'0|p|j|U|l|3", Accent::Ga, "popular", "ˈpɑpjəlɚ"},
    {"k|@|m|j|'u:|n|I|t|i", Accent::Rp, "community", "kəˈmjuːnəti"},
    {"p|'0|s|I|b|@L", Accent::Rp, "possible", "ˈpɒsəbəl"},
    {"r|'eI|d|I2|;|,oU", Accent::Rp, "radio", "ˈreɪdiəʊ"},
    {"s|,I|tS|u:|'eI|S|@|n", Accent::Rp, "situation", "ˌsɪtʃuˈeɪʃən"},
    {"k|r|i:|;|'eI|t", Accent::Rp, "create", "kriˈeɪt"},
    {"p|j|'U@", Accent::Ga, "pure", "pjʊr"},
    // The prefix's n before a stressed k, not the ŋ of a word's own "ng".
    {"I|N|k|l|'u:|d", Accent::Rp, "include", "ɪnˈkluːd"},
    {"'I|N|g|l|I|S", Accent::Rp, "english", "ˈɪŋɡlɪʃ"},
    // A variant name falls back to its base phoneme; pauses are no phonemes.
    {"'O:|l/2", Accent::Rp, "all", "ɔːl"},
    {"_:|h|@|l|'oU|_!", Accent::Rp, "hello", "həˈləʊ"},
};

TEST(DictionaryWord, MapsAndMarksLikeTheDictionaries) {
    for (const WordCase& c : kWords) {
        std::vector<std::string> unknown;
        const auto word = dictionaryWord(c.mnemonics, c.accent, c.spelling, &unknown);
        EXPECT_EQ(writeWord(word, {}), c.expected) << c.mnemonics;
        EXPECT_TRUE(unknown.empty()) << c.mnemonics;
    }
}

TEST(DictionaryWord, ReportsNamesItDoesNotKnow) {
    std::vector<std::string> unknown;
    const auto word = dictionaryWord("k|'a|Q9|t", Accent::Rp, "cat", &unknown);
    EXPECT_EQ(writeWord(word, {}), "kæt");
    EXPECT_EQ(unknown, std::vector<std::string>{"Q9"});
}

TEST(Onsets, EnglishRules) {
    const struct {
        std::vector<std::string_view> consonants;
        bool legal;
    } cases[] = {
        {{}, true},
        {{"t"}, true},
        {{"ŋ"}, false},
        {{"p", "r"}, true},
        {{"t", "l"}, false},
        {{"d", "l"}, false},
        {{"p", "l"}, true},
        {{"d", "w"}, true},
        {{"s", "w"}, true},
        {{"p", "j"}, true},
        {{"r", "j"}, false},
        {{"s", "t"}, true},
        {{"s", "r"}, false},
        {{"k", "s"}, false},
        {{"n", "t"}, false},
        {{"s", "t", "r"}, true},
        {{"s", "k", "w"}, true},
        {{"s", "p", "l"}, true},
        {{"s", "t", "l"}, false},
        {{"k", "s", "p"}, false},
        {{"s", "t", "r", "j"}, false},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (auto s : c.consonants) {
            joined += std::string(s) + " ";
        }
        EXPECT_EQ(isLegalOnset(c.consonants), c.legal) << joined;
    }
}

TEST(SymbolOptions, TurnedRAndTieBars) {
    const TranscribeOptions plain;
    const TranscribeOptions turned{Accent::Rp, true, false};
    const TranscribeOptions tied{Accent::Rp, false, true};
    EXPECT_EQ(applySymbolOptions("ˈrekɔːd", plain), "ˈrekɔːd");
    EXPECT_EQ(applySymbolOptions("ˈrekɔːd", turned), "ˈɹekɔːd");
    EXPECT_EQ(applySymbolOptions("tʃɜːtʃ dʒʌdʒ", tied), "t͡ʃɜːt͡ʃ d͡ʒʌd͡ʒ");
    // In words the tie joins one affricate, never a t and a ʃ of two syllables.
    EXPECT_EQ(writeWord(dictionaryWord("tS|'3:|tS", Accent::Rp, "church"), tied), "t͡ʃɜːt͡ʃ");
    EXPECT_EQ(writeWord(dictionaryWord("n|'V|t|S|E|l", Accent::Rp, "nutshell"), tied), "ˈnʌtʃel");
    EXPECT_EQ(writeWord(dictionaryWord("r|'E|d", Accent::Ga, "red"), turned), "ɹɛd");
}

} // namespace
} // namespace korv
