// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontface.h"

namespace korv::win32 {

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}
} // namespace

bool faceInstalled(const wchar_t* face) {
    HDC dc = GetDC(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

std::wstring firstInstalledFace(std::span<const wchar_t* const> faces) {
    for (const wchar_t* face : faces) {
        if (faceInstalled(face)) {
            return face;
        }
    }
    return faces.back();
}

} // namespace korv::win32
