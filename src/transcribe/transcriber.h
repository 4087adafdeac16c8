// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transcribeoptions.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// What turns one spelt word into phoneme names: espeak-ng in the program, a fake in tests.
class PhonemeEngine {
public:
    virtual ~PhonemeEngine() = default;
    // espeak-ng's mnemonics for one lower-case word ("k|'a|t"); empty when it has none.
    virtual std::string mnemonics(std::string_view word, Accent accent) = 0;
};

// Makes the engine on first use; nullptr when it cannot be loaded.
using PhonemeEngineFactory = std::function<std::unique_ptr<PhonemeEngine>()>;

// One pronunciation a word may be given instead, and what tells it apart ("noun", "past").
struct WordAlternative {
    std::u16string ipa;
    std::string label;
    bool operator==(const WordAlternative&) const = default;
};

// A transcribed word: where its transcription stands in the result, and its alternatives, most
// common first, the first being the one in the result. Fewer than two: there is no choice.
struct TranscribedWord {
    std::size_t start = 0; // UTF-16 code units
    std::size_t length = 0;
    std::vector<WordAlternative> alternatives;
};

// The text that replaces what was transcribed, and each English word in it.
struct Transcription {
    std::u16string text;
    std::vector<TranscribedWord> words;
};

// Turns English spelling into IPA in the dictionaries' conventions, keeping blanks, punctuation
// and whatever is in IPA already. The engine is loaded at the first transcription, not before;
// like the engine, a transcriber is used from one thread.
class Transcriber final {
public:
    explicit Transcriber(PhonemeEngineFactory makeEngine);
    ~Transcriber();
    Transcriber(const Transcriber&) = delete;
    Transcriber& operator=(const Transcriber&) = delete;

    // Nullopt when the engine cannot be loaded; it is not tried again.
    std::optional<Transcription> transcribe(std::u16string_view text,
                                            const TranscribeOptions& options);
    bool engineLoaded() const { return m_engine != nullptr; }

private:
    bool loadEngine();
    // One lower-case word from the engine, with the user's symbol options; empty when the engine
    // has no pronunciation for it.
    std::string transcribeWord(std::string_view lowerCaseWord, const TranscribeOptions& options);

    PhonemeEngineFactory m_makeEngine;
    std::unique_ptr<PhonemeEngine> m_engine;
    bool m_loadFailed = false;
};

} // namespace korv
