// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontface.h"

namespace korv::win32 {

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}
} // namespace

std::wstring firstInstalledFace(std::span<const wchar_t* const> faces) {
    HDC dc = GetDC(nullptr);
    std::wstring chosen = faces.back();
    for (const wchar_t* face : faces) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(dc, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = face;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    return chosen;
}

} // namespace korv::win32
