// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/integer.h"

#include <cstdint>

namespace korv {

namespace {

bool isHexDigit(char c, std::uint32_t& digit) {
    if (c >= '0' && c <= '9') {
        digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::string_view t = text;
    bool negative = false;
    bool hex = false;
    // A leading "0x" stands for "$": hexadecimal digits follow at once, no blanks or sign.
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        hex = true;
        t.remove_prefix(2);
    } else {
        while (!t.empty() && t.front() == ' ') {
            t.remove_prefix(1);
        }
        if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
            negative = t.front() == '-';
            t.remove_prefix(1);
        }
        if (!t.empty() && (t.front() == '$' || t.front() == 'x' || t.front() == 'X')) {
            hex = true;
            t.remove_prefix(1);
        } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
            hex = true;
            t.remove_prefix(2);
        }
    }
    if (t.empty()) {
        return std::nullopt;
    }
    // Hexadecimal is a 32-bit pattern ("$FFFFFFFF" is -1); decimal must be in the signed range.
    const std::uint64_t limit = hex ? 0xFFFFFFFFULL : (negative ? 0x80000000ULL : 0x7FFFFFFFULL);
    std::uint64_t value = 0;
    for (const char c : t) {
        std::uint32_t digit = 0;
        if (hex ? !isHexDigit(c, digit) : (c < '0' || c > '9')) {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + (hex ? digit : static_cast<std::uint32_t>(c - '0'));
        if (value > limit) {
            return std::nullopt;
        }
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) {
        bits = 0U - bits;
    }
    return static_cast<std::int32_t>(bits);
}

} // namespace korv
