// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

/// What Copy puts on the clipboard: the same text as plain Unicode, RTF and HTML.
struct CopyPayload {
    std::u16string plain;
    std::string rtf;  // a whole RTF document
    std::string html; // a UTF-8 HTML fragment
    std::string face;
    int points = 0;
};

/// The copy of a line: recoded for the legacy font unless Unicode fonts are used, at points, in
/// unicodeFace (empty: the face copies have always named) or the legacy font's face; an empty
/// line gives an empty payload.
CopyPayload makeCopyPayload(std::u16string_view line, bool useUnicodeFont, int points,
                            std::string_view unicodeFace = {});

// Faces that hold the IPA, offered for copies: the first is the default, named in every copy
// before the choice was offered; the others are offered where they are installed.
inline constexpr std::string_view kCopyFaceCandidates[] = {
    "Lucida Sans Unicode", "Charis SIL",   "Doulos SIL",
    "Gentium Plus",        "Gentium",      "Gentium Book Plus",
    "DejaVu Sans",         "DejaVu Serif", "Noto Sans",
    "Noto Serif",          "Segoe UI",     "Arial Unicode MS",
    "Times New Roman",     "Calibri",      "Cambria"};

/// The faces the Options page offers for copies: the default first whatever is installed, then
/// each other candidate that is installed, then the chosen face should it be none of those.
std::vector<std::string> copyFaceChoices(const std::function<bool(std::string_view)>& installed,
                                         std::string_view chosen);

} // namespace korv
