// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "clipboard.h"
#include "keyinjector.h"
#include "pastetarget.h"

namespace korv {

/// The desktop's clipboard through Qt: plain text, RTF and HTML.
std::unique_ptr<platform::Clipboard> makeQtClipboard();

/// Paste through synthesised keys: switch back to the previous window, then Ctrl+V.
std::unique_ptr<platform::PasteTarget> makeKeyPasteTarget(platform::KeyInjector& keys);

} // namespace korv
