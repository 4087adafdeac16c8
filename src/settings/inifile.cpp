// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/inifile.h"

#include "settings/filestore.h"
#include "settings/initext.h"

#include <functional>
#include <utility>

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

// Runs one locked rewrite of the decoded text; change returns nullopt when nothing changes.
bool rewrite(const std::string& path, IniFile::Durability durability, IniFile::Unusable unusable,
             const std::function<std::optional<std::string>(std::string_view)>& change) {
    const bool afresh = unusable == IniFile::Unusable::StartAfresh;
    const auto edit = [&](std::string_view bytes) {
        using Action = store::Edit::Action;
        const ini::Decoded decoded = ini::decode(bytes);
        std::optional<std::string> text = change(decoded.text);
        if (!text) {
            return store::Edit{Action::Keep, {}};
        }
        // An odd byte after UTF-16 text has no place in the re-encoded file; keep the file.
        std::optional<std::string> encoded =
            decoded.strayByte ? std::nullopt : ini::encode(decoded.encoding, *text);
        if (!encoded && afresh) {
            encoded = change("");
        }
        if (!encoded) {
            return store::Edit{afresh ? Action::Keep : Action::Fail, {}};
        }
        return store::Edit{Action::Write, std::move(*encoded)};
    };
    return store::updateFile(path, edit,
                             durability == IniFile::Durability::Synced
                                 ? store::Durability::Synced
                                 : store::Durability::Unsynced,
                             afresh ? store::Oversize::Empty : store::Oversize::Fail);
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

IniFile::IniFile(std::string path, Durability durability, Unusable unusable)
    : m_path(std::move(path))
    , m_durability(durability)
    , m_unusable(unusable) {}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const store::FileBytes file = store::readFile(m_path);
    if (file.status != store::ReadStatus::Ok) {
        return std::string(def);
    }
    const ini::Decoded decoded = ini::decode(file.bytes);
    const std::optional<std::string_view> raw = ini::findRawValue(decoded.text, section, key);
    return raw ? ini::cookValue(*raw) : std::string(def);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                  std::int32_t def) const {
    return parseInteger(readString(section, key, "")).value_or(def);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (!ini::isValidSection(section) || !ini::isValidKey(key) || !ini::isValidValue(value)) {
        return false;
    }
    return rewrite(m_path, m_durability, m_unusable, [&](std::string_view text) {
        return ini::withValue(text, section, key, value);
    });
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool IniFile::eraseSection(std::string_view section) {
    if (!ini::isValidSection(section)) {
        return false;
    }
    return rewrite(m_path, m_durability, m_unusable,
                   [&](std::string_view text) { return ini::withoutSection(text, section); });
}

} // namespace korv
