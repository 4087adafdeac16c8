// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace korv {

/// What Copy puts on the clipboard: the same text as plain Unicode, RTF and HTML.
struct CopyPayload {
    std::u16string plain;
    std::string rtf;  // a whole RTF document
    std::string html; // a UTF-8 HTML fragment
    std::string face;
    int points = 0;
};

/// The copy of a line: recoded for the legacy font unless Unicode fonts are used, in that font's
/// face, at points; an empty line gives an empty payload.
CopyPayload makeCopyPayload(std::u16string_view line, bool useUnicodeFont, int points);

} // namespace korv
