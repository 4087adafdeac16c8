// SPDX-License-Identifier: GPL-3.0-or-later
#include "espeakengine.h"

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <dlfcn.h>

namespace korv {
namespace {

// The library's state is the process's own. It is initialised once and never terminated:
// espeak_Terminate in 1.51 can wait forever for its event thread, and an initialisation after a
// termination is where it does. One engine at a time may use it.
std::atomic<bool> g_engineAlive{false};
bool g_initialised = false; // changed only by the engine that holds g_engineAlive

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
    // Kept mapped after its last engine, since its state stays initialised.
    library->handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    const bool resolved =
        library->handle != nullptr &&
        resolve(library->handle, "espeak_Initialize", library->initialize) &&
        resolve(library->handle, "espeak_SetVoiceByName", library->setVoiceByName) &&
        resolve(library->handle, "espeak_TextToPhonemes", library->textToPhonemes);
    // No audio: synchronous output with no callback only computes; the data's default path is
    // where the Debian package puts it.
    if (resolved && !g_initialised) {
        g_initialised = library->initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                            espeakINITIALIZE_DONT_EXIT) >= 0;
    }
    if (!resolved || !g_initialised) {
        g_engineAlive = false;
        return nullptr;
    }
    return std::unique_ptr<PhonemeEngine>(new EspeakEngine(std::move(library)));
}

EspeakEngine::EspeakEngine(std::unique_ptr<Library> library)
    : m_library(std::move(library)) {}

EspeakEngine::~EspeakEngine() {
    m_library.reset();
    g_engineAlive = false;
}

std::string EspeakEngine::mnemonics(std::string_view word, Accent accent) {
    // Another engine before this one may have left another voice chosen.
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
