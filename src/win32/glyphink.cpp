// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphink.h"

#include <algorithm>
#include <cstdint>

namespace korv::win32 {

GlyphInk measureGlyphInk(HFONT font, const std::wstring& text) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // An em of room on every side for marks far from the letters they sit on.
    const int em = std::max<int>(8, metrics.tmHeight);
    const int originX = em;
    const int baseline = 2 * em;
    const int width = extent.cx + 2 * em;
    const int height = 4 * em;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    GlyphInk ink;
    if (bitmap != nullptr && bits != nullptr) {
        const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        TextOutW(dc, originX, baseline, text.c_str(), static_cast<int>(text.size()));
        GdiFlush();
        const auto* pixel = static_cast<const std::uint32_t*>(bits);
        int left = width;
        int top = height;
        int right = -1;
        int bottom = -1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if ((pixel[y * width + x] & 0xFFFFFFu) != 0xFFFFFFu) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right >= 0) {
            ink = {left - originX, top - baseline, right + 1 - originX, bottom + 1 - baseline};
        }
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
    }
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    return ink;
}

} // namespace korv::win32
