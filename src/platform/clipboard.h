// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "copypayload.h"

namespace korv::platform {

/// The desktop's clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    /// Puts the payload on the clipboard, the plain text first so that it stands alone should the
    /// rich forms fail; false when nothing could be put there.
    virtual bool put(const CopyPayload& payload) = 0;
};

} // namespace korv::platform
