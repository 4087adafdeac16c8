// SPDX-License-Identifier: GPL-3.0-or-later
#include "transcriber.h"

#include "phonemes.h"
#include "text/utf16.h"
#include "textspan.h"
#include "wordforms.h"

#include <algorithm>

namespace korv {

Transcriber::Transcriber(PhonemeEngineFactory makeEngine)
    : m_makeEngine(std::move(makeEngine)) {}

Transcriber::~Transcriber() = default;

bool Transcriber::loadEngine() {
    if (m_engine == nullptr && !m_loadFailed) {
        m_engine = m_makeEngine ? m_makeEngine() : nullptr;
        m_loadFailed = m_engine == nullptr;
    }
    return m_engine != nullptr;
}

std::string Transcriber::transcribeWord(std::string_view lowerCaseWord,
                                        const TranscribeOptions& options) {
    if (!loadEngine()) {
        return {};
    }
    return writeWord(dictionaryWord(m_engine->mnemonics(lowerCaseWord, options.accent),
                                    options.accent, lowerCaseWord),
                     options);
}

std::optional<Transcription> Transcriber::transcribe(std::u16string_view text,
                                                     const TranscribeOptions& options) {
    if (!loadEngine()) {
        return std::nullopt;
    }
    Transcription result;
    for (const TextPiece& piece : splitWords(text)) {
        const std::u16string_view source = text.substr(piece.range.start, piece.range.length);
        if (!piece.word) {
            result.text += source;
            continue;
        }
        std::string word;
        for (const char16_t unit : source) {
            // Curly apostrophes are the engine's straight ones; all its words are lower case.
            const char16_t c = unit == 0x2019 ? u'\'' : unit;
            word += static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
        }
        TranscribedWord transcribed;
        for (const WordForm& form : wordForms(word)) {
            std::u16string ipa =
                fromUtf8(applySymbolOptions(formIpa(form, options.accent), options));
            // The accents merge some forms ("the" strong and before a vowel in America).
            const bool same =
                std::any_of(transcribed.alternatives.begin(), transcribed.alternatives.end(),
                            [&ipa](const WordAlternative& a) { return a.ipa == ipa; });
            if (!same) {
                transcribed.alternatives.push_back({std::move(ipa), std::string(form.label)});
            }
        }
        std::u16string ipa = transcribed.alternatives.empty()
                                 ? fromUtf8(transcribeWord(word, options))
                                 : transcribed.alternatives.front().ipa;
        if (ipa.empty()) {
            // Nothing the engine could say: the word stays as it was written.
            ipa = source;
        }
        transcribed.start = result.text.size();
        transcribed.length = ipa.size();
        result.text += ipa;
        result.words.push_back(std::move(transcribed));
    }
    return result;
}

} // namespace korv
