// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transcriber.h"

#include <memory>

namespace korv {

// espeak-ng, loaded from its shared library only when asked for, so that the program starts
// without it. The library keeps global state and is not thread-safe: one engine at a time, used
// from one thread.
class EspeakEngine final : public PhonemeEngine {
public:
    // Nullptr when the library or its data cannot be loaded, or another engine is alive.
    static std::unique_ptr<PhonemeEngine> load();
    ~EspeakEngine() override;
    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    std::string mnemonics(std::string_view word, Accent accent) override;

private:
    struct Library;
    explicit EspeakEngine(std::unique_ptr<Library> library);

    std::unique_ptr<Library> m_library;
    std::optional<Accent> m_voice;
};

} // namespace korv
