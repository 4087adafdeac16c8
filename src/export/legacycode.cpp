// SPDX-License-Identifier: GPL-3.0-or-later
#include "legacycode.h"

#include <algorithm>
#include <array>

namespace korv {

namespace {

struct Row {
    char16_t unit;
    std::uint8_t code;
};

// Sorted by code unit for the binary search below.
constexpr std::array<Row, 31> kRows{{
    {0x0078, 120}, // x
    {0x0079, 121}, // y
    {0x00E6, 190}, // æ
    {0x00E7, 71},  // ç
    {0x00F0, 182}, // ð
    {0x00F8, 175}, // ø
    {0x014B, 247}, // ŋ
    {0x0153, 70},  // œ
    {0x0251, 197}, // ɑ
    {0x0252, 129}, // ɒ
    {0x0254, 191}, // ɔ
    {0x0259, 196}, // ə
    {0x025B, 171}, // ɛ
    {0x025C, 177}, // ɜ
    {0x0265, 180}, // ɥ
    {0x026A, 246}, // ɪ
    {0x0272, 181}, // ɲ
    {0x0283, 167}, // ʃ
    {0x028A, 172}, // ʊ
    {0x028C, 195}, // ʌ
    {0x028E, 241}, // ʎ
    {0x0292, 189}, // ʒ
    {0x0294, 214}, // ʔ
    {0x02B0, 250}, // ʰ
    {0x02B3, 66},  // ʳ
    {0x02B4, 67},  // ʴ
    {0x02C8, 199}, // ˈ
    {0x02CC, 200}, // ˌ
    {0x02D0, 173}, // ː
    {0x02D1, 174}, // ˑ
    {0x03B8, 160}, // θ
}};

static_assert(std::is_sorted(kRows.begin(), kRows.end(),
                             [](const Row& a, const Row& b) { return a.unit < b.unit; }));

} // namespace

std::int32_t UnicodeToKorvaniCode(std::int32_t codeUnit) noexcept {
    if (codeUnit < kRows.front().unit || codeUnit > kRows.back().unit) {
        return codeUnit;
    }
    const auto row =
        std::lower_bound(kRows.begin(), kRows.end(), codeUnit,
                         [](const Row& r, std::int32_t unit) { return r.unit < unit; });
    return row->unit == codeUnit ? row->code : codeUnit;
}

std::u16string ConvertUnicodeToKorvaniString(std::u16string_view text, bool useUnicodeFont) {
    std::u16string result(text);
    if (!useUnicodeFont) {
        // Code units are re-coded one by one: surrogate halves have no row and so pass intact.
        for (char16_t& unit : result) {
            unit = static_cast<char16_t>(UnicodeToKorvaniCode(unit));
        }
    }
    return result;
}

} // namespace korv
