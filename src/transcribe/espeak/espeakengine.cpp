// SPDX-License-Identifier: GPL-3.0-or-later
#include "espeakengine.h"

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <dlfcn.h>

namespace korv {
namespace {

// The library's state is its own, global: a second engine would share and then end it.
std::atomic<bool> g_engineAlive{false};

constexpr const char* kLibraryName = "libespeak-ng.so.1";

const char* voiceName(Accent accent) {
    // en-gb-x-rp holds RP's vowels and BATH words; en-us flaps, which phoneme names undo.
    return accent == Accent::Ga ? "en-us" : "en-gb-x-rp";
}

} // namespace

struct EspeakEngine::Library {
    void* handle = nullptr;
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_TextToPhonemes) textToPhonemes = nullptr;
    decltype(&espeak_Terminate) terminate = nullptr;

    ~Library() {
        if (handle != nullptr) {
            dlclose(handle);
        }
    }
};

namespace {

template <typename F> bool resolve(void* handle, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(handle, name));
    return function != nullptr;
}

} // namespace

std::unique_ptr<PhonemeEngine> EspeakEngine::load() {
    bool expected = false;
    if (!g_engineAlive.compare_exchange_strong(expected, true)) {
        return nullptr;
    }
    auto library = std::make_unique<Library>();
    library->handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    const bool resolved =
        library->handle != nullptr &&
        resolve(library->handle, "espeak_Initialize", library->initialize) &&
        resolve(library->handle, "espeak_SetVoiceByName", library->setVoiceByName) &&
        resolve(library->handle, "espeak_TextToPhonemes", library->textToPhonemes) &&
        resolve(library->handle, "espeak_Terminate", library->terminate);
    // No audio: synchronous output with no callback only computes; the data's default path is
    // where the Debian package puts it.
    if (!resolved ||
        library->initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) < 0) {
        g_engineAlive = false;
        return nullptr;
    }
    return std::unique_ptr<PhonemeEngine>(new EspeakEngine(std::move(library)));
}

EspeakEngine::EspeakEngine(std::unique_ptr<Library> library)
    : m_library(std::move(library)) {}

EspeakEngine::~EspeakEngine() {
    m_library->terminate();
    m_library.reset();
    g_engineAlive = false;
}

std::string EspeakEngine::mnemonics(std::string_view word, Accent accent) {
    if (m_voice != accent) {
        if (m_library->setVoiceByName(voiceName(accent)) != EE_OK) {
            m_voice.reset();
            return {};
        }
        m_voice = accent;
    }
    const std::string text(word);
    const void* position = text.c_str();
    std::string result;
    // Names separated by '|'; a word espeak-ng splits comes back in parts.
    constexpr int kMnemonicsWithSeparator = '|' << 8;
    while (position != nullptr) {
        const char* phonemes =
            m_library->textToPhonemes(&position, espeakCHARS_UTF8, kMnemonicsWithSeparator);
        if (phonemes == nullptr) {
            break;
        }
        if (!result.empty()) {
            result += ' ';
        }
        result += phonemes;
    }
    return result;
}

} // namespace korv
