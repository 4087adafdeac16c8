// SPDX-License-Identifier: GPL-3.0-or-later
#include "compositorclient.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "compositormodule.h"

namespace korv::platform {
namespace {

class NoCompositorKeys final : public CompositorKeys {
public:
    bool offered() override { return false; }
    void pasteIntoPreviousWindow(std::uintptr_t, Done done) override {
        done(PasteResult::Unavailable);
    }
};

class NoKeyboardFocusProbe final : public KeyboardFocusProbe {
public:
    KeyboardFocus operator()(std::uintptr_t) override { return KeyboardFocus::Unknown; }
};

} // namespace

CompositorModule::CompositorModule(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        if (access(file.c_str(), F_OK) == 0) {
            m_handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (m_handle == nullptr) {
                std::fprintf(stderr,
                             "korvani: no paste through the compositor's own keyboard: %s\n",
                             dlerror());
            }
            return;
        }
    }
    std::fprintf(stderr, "korvani: no paste through the compositor's own keyboard: %s not found\n",
                 kCompositorModule);
}

std::vector<std::string> CompositorModule::filesFor(const std::string& programFolder) {
    return {programFolder + '/' + kCompositorModule,
            programFolder + '/' + KORV_MODULE_FROM_PROGRAM + '/' + kCompositorModule};
}

std::vector<std::string> CompositorModule::programFiles() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::vector<std::string>{} : filesFor(program.parent_path().string());
}

template <typename Entry> Entry CompositorModule::entry(const char* name) const {
    return m_handle != nullptr ? reinterpret_cast<Entry>(dlsym(m_handle, name)) : nullptr;
}

std::unique_ptr<CompositorKeys> CompositorModule::keys(const FocusProbe& focus) const {
    if (const auto make = entry<MakeCompositorKeys>(kMakeCompositorKeys)) {
        return std::unique_ptr<CompositorKeys>(make(focus));
    }
    return std::make_unique<NoCompositorKeys>();
}

std::unique_ptr<KeyboardFocusProbe> CompositorModule::keyboardFocus() const {
    if (const auto make = entry<MakeKeyboardFocusProbe>(kMakeKeyboardFocusProbe)) {
        return std::unique_ptr<KeyboardFocusProbe>(make());
    }
    return std::make_unique<NoKeyboardFocusProbe>();
}

} // namespace korv::platform
