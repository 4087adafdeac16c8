// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace korv::platform {

/// The window the user worked in before this program's window: where Paste sends the copy.
class PasteTarget {
public:
    virtual ~PasteTarget() = default;
    /// Switches from window own back to the window used before and presses the paste keys there;
    /// false when the switch did not happen and nothing was sent.
    virtual bool pasteIntoPreviousWindow(std::uintptr_t own) = 0;
};

} // namespace korv::platform
