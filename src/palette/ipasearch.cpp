// SPDX-License-Identifier: GPL-3.0-or-later
#include "ipasearch.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "ipasymbols.h"
#include "symboltable.h"
#include "symboltag.h"
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
    return c == ' ' || c == '\t' || c == '+' || c == ',' || c == '|';
}
bool isJoiner(char c) {
    return c == '-' || c == '/' || c == '(' || c == ')' || c == '[' || c == ']' || c == '\'';
}

struct Token {
    std::string raw;                 // as written, without brackets around it
    std::string joined;              // normalized, joiners dropped: "postalveolar"
    std::vector<std::string> pieces; // normalized parts between joiners, when there are several
};

std::vector<Token> tokensOf(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end])) {
            ++end;
        }
        Token token;
        std::string piece;
        for (std::size_t k = i; k < end; ++k) {
            if (isJoiner(text[k])) {
                if (!piece.empty()) {
                    token.pieces.push_back(normalizeWord(piece));
                }
                piece.clear();
            } else {
                token.joined += text[k];
                piece += text[k];
            }
        }
        if (!piece.empty()) {
            token.pieces.push_back(normalizeWord(piece));
        }
        if (token.pieces.size() < 2) {
            token.pieces.clear();
        }
        std::string_view raw = text.substr(i, end - i);
        while (!raw.empty() && (raw.front() == '(' || raw.front() == '[') &&
               raw.find(')') == raw.size() - 1) {
            raw.remove_prefix(1);
            raw.remove_suffix(1);
        }
        if (raw.ends_with(')') && raw.find('(') == std::string_view::npos) {
            raw.remove_suffix(1);
        }
        if (raw.starts_with('(') && raw.find(')') == std::string_view::npos) {
            raw.remove_prefix(1);
        }
        token.raw = raw;
        token.joined = normalizeWord(token.joined);
        if (!token.joined.empty()) {
            tokens.push_back(std::move(token));
        }
        i = end;
    }
    return tokens;
}

std::string joinedWords(std::string_view text) {
    std::string joined;
    for (const Token& token : tokensOf(text)) {
        joined += joined.empty() ? "" : " ";
        joined += token.joined;
    }
    return joined;
}

enum Level { Exact, WholeName, WholeWords, WholePieces, Mentioned, Prefixes, Typo, NoMatch };

// Where a word of a symbol comes from; it sets how much a match counts.
enum class Kind { Name, Alias, NamePiece, Bracket, Example, Section, Unicode, UnicodePiece };

Level wholeLevel(Kind kind) {
    switch (kind) {
    case Kind::Name:
    case Kind::Unicode:
        return WholeWords;
    case Kind::NamePiece:
    case Kind::UnicodePiece:
        return WholePieces;
    case Kind::Alias:
    case Kind::Bracket:
    case Kind::Example:
    case Kind::Section:
        return Mentioned;
    }
    return NoMatch;
}

bool isUnicode(Kind kind) {
    return kind == Kind::Unicode || kind == Kind::UnicodePiece;
}

struct Term {
    std::string word; // normalized
    Kind kind;
    std::string shown; // for the explanation: the word as written, or the name it belongs to
};

enum class NameKind { Own, Alias, Unicode };
struct WholeNameEntry {
    std::string words; // normalized, joined by spaces
    NameKind kind;
    std::string shown;
};

struct Entry {
    std::vector<Term> terms;
    std::vector<WholeNameEntry> wholeNames;
    std::vector<std::u16string> xsampa;
    std::vector<char32_t> codePoints;
    bool superscript = false;
};

void addTerm(Entry& entry, std::string word, Kind kind, std::string_view shown) {
    for (const Term& term : entry.terms) {
        if (term.word == word && wholeLevel(term.kind) <= wholeLevel(kind) &&
            isUnicode(term.kind) <= isUnicode(kind)) {
            return;
        }
    }
    entry.terms.push_back({std::move(word), kind, std::string(shown)});
}

void addWords(Entry& entry, std::string_view text, Kind whole, Kind piece) {
    for (const Token& token : tokensOf(text)) {
        addTerm(entry, token.joined, whole, whole == Kind::Alias ? text : token.raw);
        for (const std::string& part : token.pieces) {
            addTerm(entry, part, piece, whole == Kind::Alias ? text : std::string_view(token.raw));
        }
    }
}

// "(post)alveolar click" also without its optional part: "alveolar click".
std::string withoutOptionalParts(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::size_t close = name.find(')', i);
        if (name[i] == '(' && (i == 0 || name[i - 1] == ' ') && close != std::string_view::npos &&
            close + 1 < name.size() && name[close + 1] != ' ') {
            i = close;
        } else {
            out += name[i];
        }
    }
    return out;
}

void addPhoneticName(Entry& entry, std::string_view name) {
    std::string_view main = name;
    std::string_view bracket;
    const std::size_t open = name.rfind(" (");
    if (open != std::string_view::npos && name.ends_with(')')) {
        main = name.substr(0, open);
        bracket = name.substr(open + 2, name.size() - open - 3);
    }
    const std::string shortMain = withoutOptionalParts(main);
    addWords(entry, main, Kind::Name, Kind::NamePiece);
    addWords(entry, shortMain, Kind::Name, Kind::NamePiece);
    addWords(entry, bracket, Kind::Bracket, Kind::Bracket);
    for (const std::string_view whole : {name, main, std::string_view(shortMain)}) {
        entry.wholeNames.push_back({joinedWords(whole), NameKind::Own, std::string(name)});
    }
    // A second name in brackets is a whole name; a single word there only qualifies the first.
    if (tokensOf(bracket).size() >= 2) {
        entry.wholeNames.push_back({joinedWords(bracket), NameKind::Own, std::string(name)});
    }
}

// Calls f with each "|"-separated phrase of a list.
template <typename F> void forEachPhrase(std::string_view list, F&& f) {
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        f(list.substr(0, bar));
        list = bar == std::string_view::npos ? "" : list.substr(bar + 1);
    }
}

// The example word of a chart button's hint: "cup", or "bleu" of "'eu' in bleu (French)".
std::string_view hintExample(std::string_view hint) {
    if (hint.find(' ') == std::string_view::npos) {
        return hint;
    }
    const std::size_t in = hint.find(" in ");
    if (in == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = hint.substr(in + 4);
    return rest.substr(0, rest.find(' '));
}

std::vector<Entry> buildIndex() {
    const auto symbols = ipaSymbols();
    std::vector<Entry> index;
    index.reserve(symbols.size());
    for (const IpaSymbol& symbol : symbols) {
        Entry entry;
        addPhoneticName(entry, symbol.name);
        addWords(entry, symbol.unicodeNames, Kind::Unicode, Kind::UnicodePiece);
        forEachPhrase(sectionWords(symbol.section), [&](std::string_view words) {
            addWords(entry, words, Kind::Section, Kind::Section);
        });
        std::string_view unicodeNames = symbol.unicodeNames;
        while (!unicodeNames.empty()) {
            const std::size_t plus = unicodeNames.find(" + ");
            const std::string_view one = unicodeNames.substr(0, plus);
            entry.wholeNames.push_back({joinedWords(one), NameKind::Unicode, std::string(one)});
            unicodeNames = plus == std::string_view::npos ? "" : unicodeNames.substr(plus + 3);
        }
        for (const std::string_view spelling : xsampaSpellings(symbol)) {
            entry.xsampa.emplace_back(spelling.begin(), spelling.end());
        }
        forEachCodePoint(symbol.chars, [&entry](char32_t cp) { entry.codePoints.push_back(cp); });
        entry.superscript = symbol.section == IpaSection::Superscripts;
        index.push_back(std::move(entry));
    }
    auto find = [&](std::u16string_view chars) -> Entry* {
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            if (symbols[i].chars == chars) {
                return &index[i];
            }
        }
        return nullptr;
    };
    for (const IpaAlias& alias : ipaAliases()) {
        if (Entry* entry = find(alias.chars)) {
            forEachPhrase(alias.names, [&](std::string_view phrase) {
                addWords(*entry, phrase, Kind::Alias, Kind::Alias);
                entry->wholeNames.push_back(
                    {joinedWords(phrase), NameKind::Alias, std::string(phrase)});
            });
            forEachPhrase(alias.examples, [&](std::string_view word) {
                addTerm(*entry, joinedWords(word), Kind::Example, word);
            });
        }
    }
    for (const SymbolButtonEntry& button : kSymbolButtons) {
        const std::string_view example = hintExample(button.hint);
        Entry* entry = find(symbolOfTag(button.tag));
        if (entry != nullptr && !example.empty()) {
            addTerm(*entry, joinedWords(example), Kind::Example, example);
        }
    }
    return index;
}

struct Synonym {
    std::string word;
    std::vector<Token> chartWords;
};

std::vector<Synonym> buildSynonyms() {
    std::vector<Synonym> synonyms;
    for (const IpaWordSynonym& synonym : ipaWordSynonyms()) {
        Synonym entry{joinedWords(synonym.word), {}};
        entry.chartWords = tokensOf(synonym.chartWords);
        synonyms.push_back(std::move(entry));
    }
    return synonyms;
}

// Every word of every name, sorted: a typed word that is one of them is no slip.
std::vector<std::string> knownWords(const std::vector<Entry>& entries) {
    std::vector<std::string> words;
    for (const Entry& entry : entries) {
        for (const Term& term : entry.terms) {
            words.push_back(term.word);
        }
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

struct Index {
    std::vector<Entry> entries = buildIndex();
    std::vector<Synonym> synonyms = buildSynonyms();
    std::vector<std::string> words = knownWords(entries);
};

const Index& searchIndex() {
    static const Index index;
    return index;
}

// A code point as people write it: "U+0263", "U+263", "0x263", "\u0263", "\U0001DF04" with one
// to six hex digits, or four to six bare digits ("0263").
bool parseCodePoint(std::u16string_view text, char32_t& cp) {
    bool prefixed = false;
    for (const std::u16string_view prefix : {u"U+", u"u+", u"0x", u"0X", u"\\u", u"\\U"}) {
        if (text.size() > prefix.size() && text.starts_with(prefix)) {
            text.remove_prefix(prefix.size());
            prefixed = true;
            break;
        }
    }
    if (text.size() > 8 || (!prefixed && (text.size() < 4 || text.size() > 6))) {
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
    return cp <= 0x10FFFF;
}

// Without the blanks around it and the dotted circles a mark is shown on.
std::u16string cleaned(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    std::u16string out;
    for (const char16_t c : text) {
        if (c != u'\u25CC') {
            out += c;
        }
    }
    return out.empty() ? std::u16string(text) : out;
}

// One letter wrong, missing or extra.
bool oneEditApart(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    if (b.size() - a.size() > 1) {
        return false;
    }
    std::size_t i = 0;
    while (i < a.size() && a[i] == b[i]) {
        ++i;
    }
    if (a.size() == b.size()) {
        return a.substr(i + (i < a.size() ? 1 : 0)) == b.substr(i + (i < b.size() ? 1 : 0));
    }
    return a.substr(i) == b.substr(i + 1);
}

// A near miss of the word or of its beginning, for words long enough that one slip leaves them
// recognisable.
bool nearMiss(std::string_view typed, std::string_view word) {
    constexpr std::size_t kShortest = 5;
    if (typed.size() < kShortest || word.size() + 1 < kShortest) {
        return false;
    }
    for (std::size_t length = typed.size() - 1; length <= typed.size() + 1; ++length) {
        if (length <= word.size() && oneEditApart(typed, word.substr(0, length))) {
            return true;
        }
    }
    return false;
}

// What a word of the query may stand for: itself, its singular, the chart's words.
struct Form {
    std::string word;  // normalized
    std::string shown; // a synonym's chart word as written; empty for the typed word
};
struct QueryWord {
    std::string typed;
    std::vector<Form> forms;
    bool mayBeSlip = false; // not itself a word of any name
};

std::vector<QueryWord> queryWords(std::string_view query, const Index& index) {
    std::vector<QueryWord> words;
    for (const Token& token : tokensOf(query)) {
        QueryWord word{token.raw,
                       {{token.joined, {}}},
                       !std::binary_search(index.words.begin(), index.words.end(), token.joined)};
        if (token.joined.size() >= 5 && token.joined.ends_with('s')) {
            word.forms.push_back({token.joined.substr(0, token.joined.size() - 1), {}});
        }
        const std::size_t own = word.forms.size();
        for (std::size_t f = 0; f < own; ++f) {
            for (const Synonym& synonym : index.synonyms) {
                if (synonym.word == word.forms[f].word) {
                    for (const Token& chartWord : synonym.chartWords) {
                        word.forms.push_back({chartWord.joined, chartWord.raw});
                    }
                }
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

// How one query word matched: its level, and for the explanation, the term and form.
struct Hit {
    Level level = NoMatch;
    const Term* term = nullptr;
    const Form* form = nullptr;
};

Hit matchWord(const Entry& entry, const QueryWord& word, bool unicodeToo) {
    Hit best;
    for (const auto& form : word.forms) {
        for (const Term& term : entry.terms) {
            if (!unicodeToo && isUnicode(term.kind)) {
                continue;
            }
            Level level = NoMatch;
            if (term.word == form.word) {
                level = wholeLevel(term.kind);
            } else if (term.kind != Kind::Example && term.word.starts_with(form.word)) {
                level = Prefixes;
            }
            if (level < best.level) {
                best = {level, &term, &form};
            }
        }
    }
    if (best.level == NoMatch && word.mayBeSlip) {
        const auto& typed = word.forms.front();
        for (const Term& term : entry.terms) {
            if ((unicodeToo || !isUnicode(term.kind)) && nearMiss(typed.word, term.word)) {
                return {Typo, &term, &typed};
            }
        }
    }
    return best;
}

// The rank of the query's weakest word, each word matched at its best.
Level wordsLevel(const Entry& entry, const std::vector<QueryWord>& words, bool unicodeToo) {
    Level weakest = WholeWords;
    for (const QueryWord& word : words) {
        weakest = std::max(weakest, matchWord(entry, word, unicodeToo).level);
        if (weakest == NoMatch) {
            break;
        }
    }
    return weakest;
}

struct Query {
    std::u16string text;
    bool isCodePoint = false;
    char32_t codePoint = 0;
    std::vector<QueryWord> words;
    std::string wholeWords;
};

Query parseQuery(std::u16string_view raw) {
    Query query;
    query.text = cleaned(raw);
    query.isCodePoint = parseCodePoint(query.text, query.codePoint);
    const std::string utf8 = toUtf8(query.text);
    query.words = queryWords(utf8, searchIndex());
    query.wholeWords = joinedWords(utf8);
    return query;
}

enum class ExactKind { None, Symbol, Xsampa, CodePoint };

ExactKind exactMatch(const Query& query, const IpaSymbol& symbol, const Entry& entry) {
    if (symbol.chars == query.text) {
        return ExactKind::Symbol;
    }
    if (std::find(entry.xsampa.begin(), entry.xsampa.end(), query.text) != entry.xsampa.end()) {
        return ExactKind::Xsampa;
    }
    if (query.isCodePoint && std::find(entry.codePoints.begin(), entry.codePoints.end(),
                                       query.codePoint) != entry.codePoints.end()) {
        return ExactKind::CodePoint;
    }
    return ExactKind::None;
}

const WholeNameEntry* wholeNameMatch(const Query& query, const Entry& entry) {
    for (const WholeNameEntry& name : entry.wholeNames) {
        if (name.words == query.wholeWords) {
            return &name;
        }
    }
    return nullptr;
}

// Twice the level, plus one when the Unicode names were needed; NoMatch * 2 when none.
int rankOf(const Query& query, const IpaSymbol& symbol, const Entry& entry) {
    if (query.text.empty()) {
        return 2 * NoMatch;
    }
    if (exactMatch(query, symbol, entry) != ExactKind::None) {
        return 2 * Exact;
    }
    if (query.words.empty()) {
        return 2 * NoMatch;
    }
    const Level any = wordsLevel(entry, query.words, true);
    if (any == NoMatch) {
        return 2 * NoMatch;
    }
    if (wholeNameMatch(query, entry) != nullptr) {
        return 2 * WholeName;
    }
    return std::min(2 * wordsLevel(entry, query.words, false), 2 * any + 1);
}

std::string quoted(std::string_view text) {
    return "\u201C" + std::string(text) + "\u201D";
}

std::string whereFound(Kind kind, const std::string& shown) {
    switch (kind) {
    case Kind::Name:
    case Kind::NamePiece:
        return "in its name";
    case Kind::Alias:
        return "in another name for it, " + quoted(shown);
    case Kind::Bracket:
        return "in brackets in its name";
    case Kind::Example:
        return "an example word";
    case Kind::Section:
        return "the name of its group";
    case Kind::Unicode:
    case Kind::UnicodePiece:
        return "in its Unicode name";
    }
    return {};
}

std::string explainWord(const QueryWord& word, const Hit& hit) {
    const Term& term = *hit.term;
    std::string text = quoted(word.typed);
    const std::string where = whereFound(term.kind, term.shown);
    const bool synonym = !hit.form->shown.empty();
    if (hit.level == Typo) {
        return text + " taken for " + quoted(term.shown) + ", " + where;
    }
    if (synonym) {
        text += " stands for " + quoted(hit.form->shown);
    }
    if (hit.level == Prefixes) {
        return text + " begins " + quoted(term.shown) + ", " + where;
    }
    return text + (synonym ? ", " : " is ") + where;
}

} // namespace

std::vector<std::size_t> searchSymbols(std::u16string_view rawQuery) {
    const Query query = parseQuery(rawQuery);
    const std::vector<Entry>& index = searchIndex().entries;
    const auto symbols = ipaSymbols();
    // Within a rank, letters before superscripts, then the chart's order.
    std::array<std::vector<std::size_t>, 4 * NoMatch> ranked;
    for (std::size_t i = 0; i < index.size(); ++i) {
        const int rank = rankOf(query, symbols[i], index[i]);
        if (rank != 2 * NoMatch) {
            ranked[static_cast<std::size_t>(2 * rank + (index[i].superscript ? 1 : 0))].push_back(
                i);
        }
    }
    std::vector<std::size_t> results;
    for (const auto& group : ranked) {
        results.insert(results.end(), group.begin(), group.end());
    }
    return results;
}

std::string whyFound(std::u16string_view rawQuery, std::size_t at) {
    const auto symbols = ipaSymbols();
    const std::vector<Entry>& index = searchIndex().entries;
    if (at >= index.size()) {
        return {};
    }
    const Query query = parseQuery(rawQuery);
    const IpaSymbol& symbol = symbols[at];
    const Entry& entry = index[at];
    const int rank = rankOf(query, symbol, entry);
    if (rank == 2 * NoMatch) {
        return {};
    }
    switch (exactMatch(query, symbol, entry)) {
    case ExactKind::Symbol:
        return "the symbol itself";
    case ExactKind::Xsampa:
        return "its X-SAMPA, " + toUtf8(query.text);
    case ExactKind::CodePoint: {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(query.codePoint));
        return std::string("its code point, ") + buffer;
    }
    case ExactKind::None:
        break;
    }
    if (rank == 2 * WholeName) {
        const WholeNameEntry& name = *wholeNameMatch(query, entry);
        switch (name.kind) {
        case NameKind::Own:
            return "its name, " + quoted(name.shown);
        case NameKind::Alias:
            return "another name for it, " + quoted(name.shown);
        case NameKind::Unicode:
            return "its Unicode name, " + name.shown;
        }
    }
    const bool unicodeToo = rank % 2 == 1;
    std::string why;
    for (const QueryWord& word : query.words) {
        why += why.empty() ? "" : "; ";
        why += explainWord(word, matchWord(entry, word, unicodeToo));
    }
    return why;
}

} // namespace korv
