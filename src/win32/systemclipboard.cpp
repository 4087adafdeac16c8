// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemclipboard.h"

#include <cstring>

namespace korv::win32 {

namespace {

bool setData(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return false;
    }
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

} // namespace

std::string htmlClipboardFormat(std::string_view fragment) {
    constexpr std::string_view kBefore = "<html><body>\r\n<!--StartFragment-->";
    constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>";
    // Ten digits each, so that the header's length is known before its numbers are.
    const auto number = [](std::size_t value) {
        std::string digits = std::to_string(value);
        return std::string(10 - digits.size(), '0') + digits;
    };
    const auto header = [&](std::size_t startHtml, std::size_t endHtml, std::size_t start,
                            std::size_t end) {
        return "Version:0.9\r\nStartHTML:" + number(startHtml) + "\r\nEndHTML:" + number(endHtml) +
               "\r\nStartFragment:" + number(start) + "\r\nEndFragment:" + number(end) + "\r\n";
    };
    const std::size_t startHtml = header(0, 0, 0, 0).size();
    const std::size_t startFragment = startHtml + kBefore.size();
    const std::size_t endFragment = startFragment + fragment.size();
    const std::size_t endHtml = endFragment + kAfter.size();
    return header(startHtml, endHtml, startFragment, endFragment) + std::string(kBefore) +
           std::string(fragment) + std::string(kAfter);
}

bool SystemClipboard::put(const CopyPayload& payload) {
    if (!OpenClipboard(m_owner())) {
        return false;
    }
    EmptyClipboard();
    const std::u16string& plain = payload.plain;
    const bool putPlain =
        setData(CF_UNICODETEXT, plain.c_str(), (plain.size() + 1) * sizeof(char16_t));
    // A plain copy alone (no size chosen) has no rich forms.
    if (!payload.rtf.empty()) {
        const std::string& rtf = payload.rtf;
        setData(RegisterClipboardFormatW(L"Rich Text Format"), rtf.c_str(), rtf.size() + 1);
        const std::string html = htmlClipboardFormat(payload.html);
        setData(RegisterClipboardFormatW(L"HTML Format"), html.c_str(), html.size() + 1);
    }
    CloseClipboard();
    return putPlain;
}

} // namespace korv::win32
