// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipboard.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace korv::win32 {

// The "HTML Format" clipboard bytes around a UTF-8 fragment: the header with its offsets.
std::string htmlClipboardFormat(std::string_view fragment);

/// Windows' clipboard: CF_UNICODETEXT, "Rich Text Format" and "HTML Format", in that order.
class SystemClipboard final : public platform::Clipboard {
public:
    /// owner gives the window that owns what is put on the clipboard.
    explicit SystemClipboard(std::function<HWND()> owner)
        : m_owner(std::move(owner)) {}
    bool put(const CopyPayload& payload) override;

private:
    std::function<HWND()> m_owner;
};

} // namespace korv::win32
