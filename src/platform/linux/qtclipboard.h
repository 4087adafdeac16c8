// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipboard.h"

namespace korv::platform {

/// The clipboard as Qt offers it: plain text (also as "text/plain;charset=utf-8", which browsers
/// ask for), RTF and HTML.
class QtClipboard final : public Clipboard {
public:
    /// False without an application to own the clipboard, or for an empty payload.
    bool put(const CopyPayload& payload) override;
};

} // namespace korv::platform
