// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korv::platform {

/// What became of a paste.
enum class PasteResult {
    Pasted,      // the paste keys went to the window used before
    NotSwitched, // the switch back did not happen, and no key was sent
    Refused,     // the user did not allow this program to send keys
    Unavailable, // the desktop offers no way to send keys to another window
};

/// The window the user worked in before this program's window: where Paste sends the copy.
class PasteTarget {
public:
    using Done = std::function<void(PasteResult)>;

    virtual ~PasteTarget() = default;
    /// Switches from window own back to the window used before and presses the paste keys there;
    /// done hears once, at once or later on this thread, what became of it.
    virtual void pasteIntoPreviousWindow(std::uintptr_t own, Done done) = 0;
    /// The user turned auto-paste on: a refusal earlier in this run is asked about again.
    virtual void askAgain() {}
    /// The permission to send keys that an earlier run was let keep (empty: none).
    virtual void restorePermission(const std::string& kept) { (void)kept; }
    /// The permission the desktop let this run keep for the next one; empty while there is none.
    virtual std::string permissionToKeep() const { return {}; }
};

} // namespace korv::platform
