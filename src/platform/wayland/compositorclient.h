// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pastetarget.h"
#include "portalpastetarget.h"

namespace korv::platform {

/// Pastes through a compositor's own window list and virtual keyboard, where it has them.
class CompositorKeys : public PasteTarget {
public:
    /// True when the compositor offers both the window list and the virtual keyboard.
    virtual bool offered() = 0;
};

/// Where the compositor sends this program's keys, as Qt's own Wayland connection is told.
class KeyboardFocusProbe {
public:
    virtual ~KeyboardFocusProbe() = default;
    /// Own while a surface of this program has the keys.
    virtual KeyboardFocus operator()(std::uintptr_t own) = 0;
};

/// The Wayland protocols the program speaks itself, and libwayland-client under them, in a module
/// of their own: loaded by the Wayland and XWayland sides only, never at an X11 start. Without
/// the module there are none, and the paste goes through the portal alone.
class CompositorModule final {
public:
    /// Loads the first of files that is there (says on stderr why where none loads).
    explicit CompositorModule(const std::vector<std::string>& files);
    CompositorModule(const CompositorModule&) = delete;
    CompositorModule& operator=(const CompositorModule&) = delete;

    /// Where the program's module is, given the program's folder: beside it (in the build), then
    /// where it is installed.
    static std::vector<std::string> filesFor(const std::string& programFolder);
    /// Those of this program.
    static std::vector<std::string> programFiles();

    /// Whether the module is there to make what follows.
    bool loaded() const { return m_handle != nullptr; }
    /// The compositor's window list and keyboard, asking focus where the keys are.
    std::unique_ptr<CompositorKeys> keys(const FocusProbe& focus) const;
    /// Where the keys are, told on Qt's Wayland connection.
    std::unique_ptr<KeyboardFocusProbe> keyboardFocus() const;

private:
    template <typename Entry> Entry entry(const char* name) const;

    void* m_handle = nullptr; // never closed: what the module made may live until the end
};

} // namespace korv::platform
