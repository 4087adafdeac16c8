// SPDX-License-Identifier: GPL-3.0-or-later
#include "transcriber.h"

#include "phonemes.h"
#include "textspan.h"
#include "text/utf16.h"
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
                utf16FromUtf8(applySymbolOptions(formIpa(form, options.accent), options));
            // The accents merge some forms ("the" strong and before a vowel in America).
            const bool same = std::any_of(transcribed.alternatives.begin(),
                                          transcribed.alternatives.end(),
                                          [&ipa](const WordAlternative& a) { return a.ipa == ipa; });
            if (!same) {
                transcribed.alternatives.push_back({std::move(ipa), std::string(form.label)});
            }
        }
        std::u16string ipa = transcribed.alternatives.empty()
                                 ? utf16FromUtf8(transcribeWord(word, options))
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

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 && byte <= 0xF4 ? 4
                                             : byte >= 0xE0                ? 3
                                             : byte >= 0xC2 && byte <= 0xDF ? 2
                                                                            : 0;
        char32_t cp = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F
                                                                                   : byte & 0x07;
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        valid = valid && (length == 1 || cp >= minimum) && cp <= 0x10FFFF &&
                !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!valid) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += length;
    }
    return out;
}

} // namespace korv
