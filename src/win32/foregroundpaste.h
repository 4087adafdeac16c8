// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pastetarget.h"

#include <windows.h>

namespace korv::win32 {

/// Paste by keys: remembers the last window the user typed in that was not this program's, and
/// pastes there by switching to it and pressing Ctrl+V.
class ForegroundPasteTarget final : public platform::PasteTarget {
public:
    /// Notes the window in front now, if it is one the user types in; called at start and then
    /// every so often.
    void trackForeground();
    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override;

private:
    bool paste();

    HWND m_previous = nullptr;
};

} // namespace korv::win32
