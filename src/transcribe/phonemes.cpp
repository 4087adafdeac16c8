// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonemes.h"

#include <algorithm>
#include <array>

namespace korv {
namespace {

// espeak-ng's English phoneme names and what the dictionaries write for them. Several phonemes
// are separated by a blank; vowels are told apart by their first letter.
struct Mnemonic {
    std::string_view name;
    std::string_view rp;
    std::string_view ga;
};

constexpr std::array kMnemonics = {
    // Consonants. American flaps and glottal stops are heard for a phonemic t or d.
    Mnemonic{"p", "p", "p"},
    Mnemonic{"b", "b", "b"},
    Mnemonic{"t", "t", "t"},
    Mnemonic{"t#", "t", "t"},
    Mnemonic{"t2", "t", "t"},
    Mnemonic{"?", "t", "t"},
    Mnemonic{"d", "d", "d"},
    Mnemonic{"d#", "d", "d"},
    Mnemonic{"d2", "d", "d"},
    Mnemonic{"k", "k", "k"},
    Mnemonic{"g", "ɡ", "ɡ"},
    Mnemonic{"f", "f", "f"},
    Mnemonic{"v", "v", "v"},
    Mnemonic{"T", "θ", "θ"},
    Mnemonic{"D", "ð", "ð"},
    Mnemonic{"s", "s", "s"},
    Mnemonic{"z", "z", "z"},
    Mnemonic{"S", "ʃ", "ʃ"},
    Mnemonic{"Z", "ʒ", "ʒ"},
    Mnemonic{"h", "h", "h"},
    Mnemonic{"x", "x", "x"},
    Mnemonic{"tS", "tʃ", "tʃ"},
    Mnemonic{"dZ", "dʒ", "dʒ"},
    Mnemonic{"m", "m", "m"},
    Mnemonic{"n", "n", "n"},
    Mnemonic{"N", "ŋ", "ŋ"},
    Mnemonic{"l", "l", "l"},
    Mnemonic{"r", "r", "r"},
    Mnemonic{"j", "j", "j"},
    Mnemonic{"w", "w", "w"},
    // Syllabic consonants, written with the schwa the dictionaries show.
    Mnemonic{"@L", "ə l", "ə l"},
    Mnemonic{"n-", "ə n", "ə n"},
    Mnemonic{"m-", "ə m", "ə m"},
    Mnemonic{"l-", "ə l", "ə l"},
    Mnemonic{"r-", "ə", "ɚ"},
    // Weak vowels.
    Mnemonic{"@", "ə", "ə"},
    Mnemonic{"@2", "ə", "ə"},
    Mnemonic{"@5", "ə", "ə"},
    Mnemonic{"@-", "ə", "ə"},
    Mnemonic{"a#", "ə", "ə"},
    Mnemonic{"3", "ə", "ɚ"},
    Mnemonic{"I2", "ɪ", "ɪ"},
    Mnemonic{"I#", "ɪ", "ɪ"},
    Mnemonic{"i", "i", "i"},
    Mnemonic{"u", "u", "u"},
    // Short vowels.
    Mnemonic{"I", "ɪ", "ɪ"},
    Mnemonic{"E", "e", "ɛ"},
    Mnemonic{"a", "æ", "æ"},
    Mnemonic{"V", "ʌ", "ʌ"},
    Mnemonic{"0", "ɒ", "ɑ"},
    Mnemonic{"O2", "ɒ", "ɔ"},
    Mnemonic{"U", "ʊ", "ʊ"},
    // Long vowels; America has æ in BATH and ɔ in CLOTH.
    Mnemonic{"i:", "iː", "i"},
    Mnemonic{"u:", "uː", "u"},
    Mnemonic{"aa", "ɑː", "æ"},
    Mnemonic{"A:", "ɑː", "ɑ"},
    Mnemonic{"O:", "ɔː", "ɔ"},
    Mnemonic{"3:", "ɜː", "ɝ"},
    Mnemonic{"VR", "ʌ r", "ɝ"},
    // Diphthongs.
    Mnemonic{"eI", "eɪ", "eɪ"},
    Mnemonic{"aI", "aɪ", "aɪ"},
    Mnemonic{"OI", "ɔɪ", "ɔɪ"},
    Mnemonic{"oU", "əʊ", "oʊ"},
    Mnemonic{"aU", "aʊ", "aʊ"},
    // Vowels before r: centring diphthongs in Britain, a vowel and r in America.
    Mnemonic{"A@", "ɑː", "ɑ r"},
    Mnemonic{"O@", "ɔː", "ɔ r"},
    Mnemonic{"o@", "ɔː", "ɔ r"},
    // In America a vowel before a weak one ("idea", "museum") where Britain has ɪə.
    Mnemonic{"i@", "ɪə", "i ə"},
    Mnemonic{"i@3", "ɪə", "ɪ r"},
    Mnemonic{"IR", "ɪ r", "ɪ r"},
    Mnemonic{"e@", "eə", "ɛ r"},
    Mnemonic{"U@", "ʊə", "ʊ r"},
    // Two syllables ("quiet") or, spelt "ire" or "our", one (mergeTriphthongs).
    Mnemonic{"aI@", "aɪ ə", "aɪ ə"},
    Mnemonic{"aI3", "aɪ ə", "aɪ ɚ"},
    Mnemonic{"aU@", "aʊ ə", "aʊ ɚ"},
};

const Mnemonic* findMnemonic(std::string_view name) {
    const auto found = std::find_if(kMnemonics.begin(), kMnemonics.end(),
                                    [name](const Mnemonic& m) { return m.name == name; });
    return found == kMnemonics.end() ? nullptr : &*found;
}

// Assigned through a new string: GCC 12 at -O3 takes a literal's assignment over a shorter
// string for an overlapping copy (-Wrestrict).
void setIpa(Segment& segment, std::string_view ipa) {
    segment.ipa = std::string(ipa);
}

bool startsWithVowel(std::string_view ipa) {
    static constexpr std::array<std::string_view, 17> kVowelStarts = {
        "i", "ɪ", "e", "ɛ", "æ", "ʌ", "ɑ", "ɒ", "ɔ", "ʊ", "u", "ɜ", "ɝ", "ɚ", "ə", "a", "o"};
    return std::any_of(kVowelStarts.begin(), kVowelStarts.end(),
                       [ipa](std::string_view v) { return ipa.starts_with(v); });
}

// Adds one named phoneme (or the phonemes it stands for) to the word.
void addPhoneme(std::vector<Segment>& word, std::string_view name, Stress stress, Accent accent,
                std::vector<std::string>* unknown) {
    const Mnemonic* mnemonic = findMnemonic(name);
    // Variants carry a suffix ("l/2", "z#"): the base phoneme stands for them.
    for (std::string_view base = name; mnemonic == nullptr && base.size() > 1;) {
        base.remove_suffix(1);
        mnemonic = findMnemonic(base);
    }
    if (mnemonic == nullptr) {
        if (unknown != nullptr) {
            unknown->emplace_back(name);
        }
        return;
    }
    std::string_view symbols = accent == Accent::Ga ? mnemonic->ga : mnemonic->rp;
    while (!symbols.empty()) {
        const std::size_t blank = symbols.find(' ');
        const std::string_view ipa = symbols.substr(0, blank);
        symbols = blank == std::string_view::npos ? std::string_view() : symbols.substr(blank + 1);
        Segment segment{std::string(ipa), startsWithVowel(ipa), Stress::None};
        if (segment.vowel) {
            segment.stress = stress;
            stress = Stress::None;
        }
        word.push_back(std::move(segment));
    }
}

} // namespace

std::vector<Segment> segmentsFromMnemonics(std::string_view mnemonics, Accent accent,
                                           std::vector<std::string>* unknown) {
    std::vector<Segment> word;
    std::size_t i = 0;
    while (i < mnemonics.size()) {
        const std::size_t end = mnemonics.find_first_of("| \n", i);
        std::string_view name = mnemonics.substr(i, end == std::string_view::npos ? end : end - i);
        i = end == std::string_view::npos ? mnemonics.size() : end + 1;
        Stress stress = Stress::None;
        // ' and , mark stress; % and = mark unstressed or diminished syllables.
        while (!name.empty() &&
               std::string_view("',%=").find(name.front()) != std::string_view::npos) {
            if (name.front() == '\'') {
                stress = Stress::Primary;
            } else if (name.front() == ',' && stress != Stress::Primary) {
                stress = Stress::Secondary;
            }
            name.remove_prefix(1);
        }
        // Pauses, links and syllable boundaries are no phonemes.
        if (name.empty() || name.front() == '_' || name == ";" || name == ":") {
            continue;
        }
        addPhoneme(word, name, stress, accent, unknown);
    }
    return word;
}

void normaliseStress(std::vector<Segment>& word) {
    const auto vowels =
        std::count_if(word.begin(), word.end(), [](const Segment& s) { return s.vowel; });
    if (vowels <= 1) {
        for (Segment& s : word) {
            s.stress = Stress::None;
        }
        return;
    }
    auto primary = std::find_if(word.begin(), word.end(),
                                [](const Segment& s) { return s.stress == Stress::Primary; });
    if (primary == word.end()) {
        primary = std::find_if(word.begin(), word.end(),
                               [](const Segment& s) { return s.stress == Stress::Secondary; });
        if (primary == word.end()) {
            return;
        }
        primary->stress = Stress::Primary;
    }
    for (auto it = primary + 1; it != word.end(); ++it) {
        if (it->stress == Stress::Secondary) {
            it->stress = Stress::None;
        } else if (it->stress == Stress::Primary) {
            // A second primary from a compound is the dictionaries' unmarked later stress.
            it->stress = Stress::None;
        }
    }
}

bool isLegalOnset(const std::vector<std::string_view>& c) {
    using namespace std::string_view_literals;
    if (c.empty()) {
        return true;
    }
    if (c.size() == 1) {
        return c[0] != "ŋ";
    }
    if (c.size() == 2) {
        const std::string_view first = c[0];
        const std::string_view second = c[1];
        if (second == "r") {
            static constexpr std::array kBeforeR = {"p"sv, "b"sv, "t"sv, "d"sv, "k"sv,
                                                    "ɡ"sv, "f"sv, "θ"sv, "ʃ"sv};
            return std::find(kBeforeR.begin(), kBeforeR.end(), first) != kBeforeR.end();
        }
        if (second == "l") {
            static constexpr std::array kBeforeL = {"p"sv, "b"sv, "k"sv, "ɡ"sv, "f"sv, "s"sv};
            return std::find(kBeforeL.begin(), kBeforeL.end(), first) != kBeforeL.end();
        }
        if (second == "w") {
            static constexpr std::array kBeforeW = {"t"sv, "d"sv, "k"sv, "ɡ"sv, "s"sv, "θ"sv};
            return std::find(kBeforeW.begin(), kBeforeW.end(), first) != kBeforeW.end();
        }
        if (second == "j") {
            static constexpr std::array kBeforeJ = {"p"sv, "b"sv, "t"sv, "d"sv, "k"sv,
                                                    "ɡ"sv, "m"sv, "n"sv, "f"sv, "v"sv,
                                                    "θ"sv, "s"sv, "z"sv, "h"sv, "l"sv};
            return std::find(kBeforeJ.begin(), kBeforeJ.end(), first) != kBeforeJ.end();
        }
        if (first == "s") {
            static constexpr std::array kAfterS = {"p"sv, "t"sv, "k"sv, "m"sv, "n"sv, "f"sv};
            return std::find(kAfterS.begin(), kAfterS.end(), second) != kAfterS.end();
        }
        return false;
    }
    if (c.size() == 3 && c[0] == "s") {
        const std::string_view stop = c[1];
        const std::string_view last = c[2];
        if (last == "r") {
            return stop == "p" || stop == "t" || stop == "k";
        }
        if (last == "l") {
            return stop == "p" || stop == "k";
        }
        if (last == "w") {
            return stop == "k";
        }
        if (last == "j") {
            return stop == "p" || stop == "t" || stop == "k" || stop == "m";
        }
    }
    return false;
}

std::size_t syllableStart(const std::vector<Segment>& word, std::size_t vowel) {
    std::size_t previous = vowel;
    while (previous > 0 && !word[previous - 1].vowel) {
        --previous;
    }
    if (previous == 0) {
        return 0;
    }
    std::vector<std::string_view> onset;
    std::size_t start = vowel;
    // Widen the onset leftwards while it stays one English words may begin with.
    for (std::size_t k = vowel; k > previous; --k) {
        onset.insert(onset.begin(), word[k - 1].ipa);
        if (!isLegalOnset(onset)) {
            break;
        }
        start = k - 1;
    }
    return start;
}

void joinRs(std::vector<Segment>& word, Accent accent) {
    for (std::size_t k = 1; k < word.size(); ++k) {
        if (word[k].ipa != "r") {
            continue;
        }
        if (accent == Accent::Ga && k >= 2 && word[k - 1].ipa == "ə" &&
            word[k - 1].stress == Stress::None && word[k - 2].ipa == "i") {
            // espeak-ng's i@ before r is America's NEAR vowel ("zero", "experience").
            setIpa(word[k - 2], "ɪ");
            word.erase(word.begin() + static_cast<std::ptrdiff_t>(k - 1));
            --k;
        }
        Segment& before = word[k - 1];
        const bool vowelAfter = k + 1 < word.size() && word[k + 1].vowel;
        bool drop = before.ipa == "r";
        if (accent == Accent::Ga && before.stress == Stress::None && before.ipa == "ɚ" &&
            vowelAfter) {
            // "around", "history": the r begins the next syllable after a plain schwa.
            setIpa(before, "ə");
        } else if (accent == Accent::Ga && (before.ipa == "ɝ" || before.ipa == "ɚ")) {
            drop = true;
        } else if (accent == Accent::Ga && before.ipa == "ʌ" && vowelAfter) {
            // "hurry", "worry": America's NURSE vowel.
            setIpa(before, "ɝ");
            drop = true;
        }
        if (drop) {
            word.erase(word.begin() + static_cast<std::ptrdiff_t>(k));
            --k;
        }
    }
}

void mergeTriphthongs(std::vector<Segment>& word, std::string_view spelling) {
    const bool ire = spelling.find("ir") != std::string_view::npos ||
                     spelling.find("yr") != std::string_view::npos;
    const bool our = spelling.find("our") != std::string_view::npos;
    for (std::size_t k = 1; k < word.size(); ++k) {
        const bool weak = word[k].ipa == "ə" || word[k].ipa == "ɚ";
        const std::string& before = word[k - 1].ipa;
        if (weak && ((ire && before == "aɪ") || (our && before == "aʊ"))) {
            word[k - 1].ipa += word[k].ipa;
            word.erase(word.begin() + static_cast<std::ptrdiff_t>(k));
        }
    }
}

void weakenVowels(std::vector<Segment>& word) {
    const auto primary = static_cast<std::size_t>(
        std::find_if(word.begin(), word.end(),
                     [](const Segment& s) { return s.stress == Stress::Primary; }) -
        word.begin());
    auto endsWith = [&word](std::size_t from, std::initializer_list<std::string_view> tail) {
        if (from + tail.size() != word.size()) {
            return false;
        }
        return std::equal(tail.begin(), tail.end(),
                          word.begin() + static_cast<std::ptrdiff_t>(from),
                          [](std::string_view t, const Segment& s) { return s.ipa == t; });
    };
    for (std::size_t k = 0; k < word.size(); ++k) {
        Segment& s = word[k];
        if (!s.vowel || s.stress != Stress::None) {
            continue;
        }
        // A word of one syllable keeps its full vowel ("bird", "pure").
        if (primary == word.size()) {
            break;
        }
        const bool beforeVowel = k + 1 < word.size() && word[k + 1].vowel;
        if (beforeVowel && (s.ipa == "iː" || s.ipa == "ɪ")) {
            setIpa(s, "i"); // "create", "radio", "pronunciation"
        } else if (beforeVowel && s.ipa == "uː") {
            setIpa(s, "u"); // "situation"
        } else if (s.ipa == "ɝ") {
            setIpa(s, "ɚ");
        } else if (k == 0 && (s.ipa == "e" || s.ipa == "ɛ")) {
            setIpa(s, "ɪ"); // "example", "enjoy"
        } else if (s.ipa == "ʌ" && primary < k) {
            setIpa(s, "ə"); // "welcome", "autumn"
        } else if (s.ipa == "ʊ" && k > 0 && word[k - 1].ipa == "j") {
            setIpa(s, "ə"); // "popular", "particular"
        } else if (s.ipa == "ɪ" &&
                   (endsWith(k + 1, {"t", "i"}) || endsWith(k + 1, {"b", "ə", "l"}))) {
            setIpa(s, "ə"); // "-ity", "-ible"
        }
    }
}

void keepPrefixNasal(std::vector<Segment>& word) {
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (!word[k].vowel || word[k].stress == Stress::None) {
            continue;
        }
        // "include", "increase": the engine's ŋ before a stressed k or ɡ is the prefix's n.
        const std::size_t start = syllableStart(word, k);
        if (start > 0 && word[start - 1].ipa == "ŋ" &&
            (word[start].ipa == "k" || word[start].ipa == "ɡ")) {
            setIpa(word[start - 1], "n");
        }
    }
}

std::vector<Segment> dictionaryWord(std::string_view mnemonics, Accent accent,
                                    std::string_view spelling, std::vector<std::string>* unknown) {
    std::vector<Segment> word = segmentsFromMnemonics(mnemonics, accent, unknown);
    joinRs(word, accent);
    mergeTriphthongs(word, spelling);
    normaliseStress(word);
    weakenVowels(word);
    keepPrefixNasal(word);
    return word;
}

std::string applySymbolOptions(std::string_view ipa, const TranscribeOptions& options) {
    std::string out;
    out.reserve(ipa.size() + 8);
    for (std::size_t i = 0; i < ipa.size(); ++i) {
        const std::string_view rest = ipa.substr(i);
        if (options.turnedR && rest.front() == 'r') {
            out += "ɹ";
        } else if (options.tieBars && (rest.starts_with("tʃ") || rest.starts_with("dʒ"))) {
            out += rest.front();
            out += "\u0361";
        } else {
            out += rest.front();
        }
    }
    return out;
}

std::string writeWord(const std::vector<Segment>& word, const TranscribeOptions& options) {
    std::vector<Stress> marks(word.size() + 1, Stress::None);
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (word[k].vowel && word[k].stress != Stress::None) {
            marks[syllableStart(word, k)] = word[k].stress;
        }
    }
    std::string out;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (marks[k] == Stress::Primary) {
            out += "ˈ";
        } else if (marks[k] == Stress::Secondary) {
            out += "ˌ";
        }
        out += applySymbolOptions(word[k].ipa, options);
    }
    return out;
}

} // namespace korv
