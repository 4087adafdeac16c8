// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/iniaccess.h"

#include "settings/integer.h"

namespace korv {

std::int32_t IniAccess::readInteger(std::string_view section, std::string_view key,
                                    std::int32_t def) const {
    return parseInteger(readString(section, key, "")).value_or(def);
}

bool IniAccess::readBool(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniAccess::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return writeString(section, key, std::to_string(value));
}

bool IniAccess::change(std::span<const IniChange> changes) {
    for (const IniChange& one : changes) {
        if (!(one.key ? writeString(one.section, *one.key, one.value)
                      : eraseSection(one.section))) {
            return false;
        }
    }
    return true;
}

bool IniAccess::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

} // namespace korv
