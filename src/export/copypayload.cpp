// SPDX-License-Identifier: GPL-3.0-or-later
#include "copypayload.h"

#include <algorithm>

#include "legacycode.h"
#include "richtext.h"

namespace korv {

CopyPayload makeCopyPayload(std::u16string_view line, bool useUnicodeFont, int points,
                            std::string_view unicodeFace) {
    CopyPayload payload;
    payload.plain = ConvertUnicodeToKorvaniString(line, useUnicodeFont);
    if (payload.plain.empty()) {
        return payload;
    }
    const std::string_view face = unicodeFace.empty() ? UnicodeFontFace : unicodeFace;
    // The legacy codes mean something in the legacy font alone.
    payload.face = std::string(useUnicodeFont ? face : KorvaniFontFace);
    payload.points = points;
    payload.rtf = buildRtf(payload.plain, payload.face, points);
    payload.html = buildHtml(payload.plain, payload.face, points);
    return payload;
}

std::vector<std::string> copyFaceChoices(const std::function<bool(std::string_view)>& installed,
                                         std::string_view chosen) {
    std::vector<std::string> choices{std::string(kCopyFaceCandidates[0])};
    for (std::size_t i = 1; i < std::size(kCopyFaceCandidates); ++i) {
        if (installed(kCopyFaceCandidates[i])) {
            choices.emplace_back(kCopyFaceCandidates[i]);
        }
    }
    if (!chosen.empty() && std::find(choices.begin(), choices.end(), chosen) == choices.end()) {
        choices.emplace_back(chosen);
    }
    return choices;
}

} // namespace korv
