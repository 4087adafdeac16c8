// SPDX-License-Identifier: GPL-3.0-or-later
#include "ipasearch.h"

#include <algorithm>
#include <array>
#include <string>

#include "ipasymbols.h"
#include "utf16.h"

namespace korv {
namespace {

// Lower case, with American and British spellings made one: "centralized" and "centralised",
// "r-colored" and "r-coloured". The rewrites look only backwards, so that the prefix of a word
// normalizes to the prefix of the normalized word.
std::string normalizeWord(std::string_view word) {
    std::string out;
    out.reserve(word.size());
    for (const char c : word) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower == 'z' && !out.empty() && (out.back() == 'i' || out.back() == 'y')) {
            out += 's';
        } else if (lower == 'u' && out.size() >= 4 && out.ends_with("colo")) {
            continue;
        } else {
            out += lower;
        }
    }
    return out;
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '+' || c == ',';
}
bool isJoiner(char c) {
    return c == '-' || c == '/' || c == '(' || c == ')' || c == '[' || c == ']';
}

// Each word of a text with its joiners dropped ("post-alveolar" gives "postalveolar"); with
// `pieces`, also the parts between joiners ("post", "alveolar").
std::vector<std::string> wordsOf(std::string_view text, bool pieces) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end])) {
            ++end;
        }
        const std::string_view token = text.substr(i, end - i);
        std::string joined;
        std::string piece;
        bool split = false;
        for (const char c : token) {
            if (isJoiner(c)) {
                split = true;
                if (pieces && !piece.empty()) {
                    words.push_back(normalizeWord(piece));
                }
                piece.clear();
            } else {
                joined += c;
                piece += c;
            }
        }
        if (pieces && split && !piece.empty()) {
            words.push_back(normalizeWord(piece));
        }
        if (!joined.empty()) {
            words.push_back(normalizeWord(joined));
        }
        i = end;
    }
    return words;
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) {
            text += ' ';
        }
        text += word;
    }
    return text;
}

struct Entry {
    // The words of the phonetic name [0] and of the Unicode names [1], and the parts of their
    // hyphenated or bracketed words.
    std::array<std::vector<std::string>, 2> words;
    std::array<std::vector<std::string>, 2> pieces;
    std::vector<std::string> wholeNames; // the names a query may spell out whole
    std::vector<std::u16string> xsampa;
    std::vector<char32_t> codePoints;
};

// A name, and when it ends in a second name in brackets, each of the two alone.
void addWholeNames(std::string_view name, std::vector<std::string>& out) {
    out.push_back(joinWords(wordsOf(name, false)));
    const std::size_t open = name.rfind(" (");
    if (open != std::string_view::npos && name.ends_with(')')) {
        out.push_back(joinWords(wordsOf(name.substr(0, open), false)));
        out.push_back(joinWords(wordsOf(name.substr(open + 2, name.size() - open - 3), false)));
    }
}

std::vector<Entry> buildIndex() {
    std::vector<Entry> index;
    for (const IpaSymbol& symbol : ipaSymbols()) {
        Entry entry;
        const std::array<std::string_view, 2> names = {symbol.name, symbol.unicodeNames};
        for (std::size_t n = 0; n < names.size(); ++n) {
            entry.words[n] = wordsOf(names[n], false);
            for (const std::string& word : wordsOf(names[n], true)) {
                if (std::find(entry.words[n].begin(), entry.words[n].end(), word) ==
                    entry.words[n].end()) {
                    entry.pieces[n].push_back(word);
                }
            }
        }
        addWholeNames(symbol.name, entry.wholeNames);
        std::string_view unicodeNames = symbol.unicodeNames;
        while (!unicodeNames.empty()) {
            const std::size_t plus = unicodeNames.find(" + ");
            addWholeNames(unicodeNames.substr(0, plus), entry.wholeNames);
            unicodeNames = plus == std::string_view::npos ? "" : unicodeNames.substr(plus + 3);
        }
        for (const std::string_view spelling : xsampaSpellings(symbol)) {
            entry.xsampa.emplace_back(spelling.begin(), spelling.end());
        }
        forEachCodePoint(symbol.chars, [&entry](char32_t cp) { entry.codePoints.push_back(cp); });
        index.push_back(std::move(entry));
    }
    return index;
}

const std::vector<Entry>& searchIndex() {
    static const std::vector<Entry> index = buildIndex();
    return index;
}

// "U+0263", "u+263f", "0263": four to six hex digits, with or without "U+".
bool parseCodePoint(std::u16string_view text, char32_t& cp) {
    if (text.size() > 2 && (text[0] == u'U' || text[0] == u'u') && text[1] == u'+') {
        text.remove_prefix(2);
    }
    if (text.size() < 4 || text.size() > 6) {
        return false;
    }
    cp = 0;
    for (const char16_t c : text) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        }
        if (digit < 0) {
            return false;
        }
        cp = cp * 16 + static_cast<char32_t>(digit);
    }
    return true;
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

enum Rank { Exact, WholeName, WholeWords, WholePieces, Prefixes, NoMatch };

// How well a query word matches a list of words: `whole` when it is one of them, Prefixes when
// it begins one.
Rank matchIn(const std::vector<std::string>& candidates, const std::string& word, Rank whole) {
    Rank best = NoMatch;
    for (const std::string& candidate : candidates) {
        if (candidate.starts_with(word)) {
            if (candidate.size() == word.size()) {
                return whole;
            }
            best = Prefixes;
        }
    }
    return best;
}

// The rank of the query's weakest word, each word matched at its best in the first `names`.
Rank wordsRank(const Entry& entry, const std::vector<std::string>& words, std::size_t names) {
    Rank weakest = WholeWords;
    for (const std::string& word : words) {
        Rank best = NoMatch;
        for (std::size_t n = 0; n < names; ++n) {
            best = std::min({best, matchIn(entry.words[n], word, WholeWords),
                             matchIn(entry.pieces[n], word, WholePieces)});
        }
        weakest = std::max(weakest, best);
        if (weakest == NoMatch) {
            break;
        }
    }
    return weakest;
}

} // namespace

std::vector<std::size_t> searchSymbols(std::u16string_view rawQuery) {
    const std::u16string_view query = trimmed(rawQuery);
    if (query.empty()) {
        return {};
    }
    char32_t cp = 0;
    const bool isCodePoint = parseCodePoint(query, cp);
    const std::vector<std::string> words = wordsOf(toUtf8(query), false);
    const std::string wholeQuery = joinWords(words);

    const std::vector<Entry>& index = searchIndex();
    const auto symbols = ipaSymbols();
    std::array<std::vector<std::size_t>, 2 * NoMatch> ranked;
    for (std::size_t i = 0; i < index.size(); ++i) {
        const Entry& entry = index[i];
        int rank = 2 * NoMatch;
        if (symbols[i].chars == query ||
            std::find(entry.xsampa.begin(), entry.xsampa.end(), query) != entry.xsampa.end() ||
            (isCodePoint && std::find(entry.codePoints.begin(), entry.codePoints.end(), cp) !=
                                entry.codePoints.end())) {
            rank = 2 * Exact;
        } else if (!words.empty()) {
            const Rank phonetic = wordsRank(entry, words, 1);
            const Rank any = wordsRank(entry, words, 2);
            if (any != NoMatch) {
                const bool wholeName = std::find(entry.wholeNames.begin(), entry.wholeNames.end(),
                                                 wholeQuery) != entry.wholeNames.end();
                // Within a rank, the phonetic name alone before help from the Unicode names.
                rank = wholeName ? 2 * WholeName : std::min(2 * phonetic, 2 * any + 1);
            }
        }
        if (rank != 2 * NoMatch) {
            ranked[rank].push_back(i);
        }
    }
    std::vector<std::size_t> results;
    for (const auto& group : ranked) {
        results.insert(results.end(), group.begin(), group.end());
    }
    return results;
}

} // namespace korv
