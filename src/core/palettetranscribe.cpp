// SPDX-License-Identifier: GPL-3.0-or-later
// Spelling to IPA in the line: what Ctrl+T replaces, and the other pronunciations offered.
#include "palette.h"

#include "textspan.h"

namespace korv {
namespace {

constexpr std::string_view kNoEngine =
    "Spelling to IPA needs espeak-ng (packages libespeak-ng1 and espeak-ng-data).";

} // namespace

void Palette::transcribe() {
    dropChoices();
    if (m_services.transcriber == nullptr) {
        m_view.showNotAdded(kNoEngine);
        return;
    }
    const LineSnapshot line = m_view.line();
    const TextRange span =
        transcriptionSpan(line.text, {line.selStart, line.selLength}, line.selStart);
    if (span.length == 0) {
        return;
    }
    const std::optional<Transcription> result = m_services.transcriber->transcribe(
        std::u16string_view(line.text).substr(span.start, span.length), m_options.transcribe);
    if (!result) {
        m_view.showNotAdded(kNoEngine);
        return;
    }
    if (result->text != std::u16string_view(line.text).substr(span.start, span.length)) {
        m_view.replaceText(span.start, span.length, result->text);
    }
    for (TranscribedWord word : result->words) {
        if (word.alternatives.size() > 1) {
            word.start += span.start;
            m_choices.push_back(std::move(word));
        }
    }
    m_view.showAlternatives(m_choices);
}

void Palette::chooseAlternative(std::size_t word, std::size_t alternative) {
    if (word >= m_choices.size() || alternative >= m_choices[word].alternatives.size()) {
        return;
    }
    TranscribedWord& chosen = m_choices[word];
    const std::u16string ipa = chosen.alternatives[alternative].ipa;
    const LineSnapshot line = m_view.line();
    // The line may have been edited since: only a word still where it was is replaced.
    if (chosen.start + chosen.length > line.text.size()) {
        return;
    }
    m_view.replaceText(chosen.start, chosen.length, ipa);
    // The words after it move with the new length.
    const std::ptrdiff_t shift =
        static_cast<std::ptrdiff_t>(ipa.size()) - static_cast<std::ptrdiff_t>(chosen.length);
    for (TranscribedWord& later : m_choices) {
        if (later.start > chosen.start) {
            later.start =
                static_cast<std::size_t>(static_cast<std::ptrdiff_t>(later.start) + shift);
        }
    }
    chosen.length = ipa.size();
    std::swap(chosen.alternatives[0], chosen.alternatives[alternative]);
    m_view.showAlternatives(m_choices);
}

void Palette::setTranscribeOptions(const TranscribeOptions& options) {
    m_options.transcribe = options;
    if (!saveTranscribeOptions(m_services.settings, options)) {
        showSettingsFailure();
    }
}

} // namespace korv
