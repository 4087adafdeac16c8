// SPDX-License-Identifier: GPL-3.0-or-later
#include "copypayload.h"

#include "legacycode.h"
#include "richtext.h"

namespace korv {

CopyPayload makeCopyPayload(std::u16string_view line, bool useUnicodeFont, int points) {
    CopyPayload payload;
    payload.plain = ConvertUnicodeToKorvaniString(line, useUnicodeFont);
    if (payload.plain.empty()) {
        return payload;
    }
    payload.face = std::string(useUnicodeFont ? UnicodeFontFace : KorvaniFontFace);
    payload.points = points;
    payload.rtf = buildRtf(payload.plain, payload.face, points);
    payload.html = buildHtml(payload.plain, payload.face, points);
    return payload;
}

} // namespace korv
