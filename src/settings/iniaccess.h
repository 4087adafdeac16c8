// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korv {

// One change of an INI file: a key set to a value or, with no key, every section of that name
// removed.
struct IniChange {
    std::string_view section;
    std::optional<std::string_view> key;
    std::string_view value;
};

// One value at a time of an INI file, whatever reads and writes it: the program's own engine or
// the system's profile functions. Integers and booleans follow the settings' syntax on top.
class IniAccess {
public:
    virtual ~IniAccess() = default;

    // A missing or unreadable file, section or key gives def; reading never creates anything.
    virtual std::string readString(std::string_view section, std::string_view key,
                                   std::string_view def) const = 0;
    // False when the value was not written; the file is then unchanged.
    virtual bool writeString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    // Removes every section of that name.
    virtual bool eraseSection(std::string_view section) = 0;
    // Makes the changes in order, one write each; false at the first that fails.
    virtual bool change(std::span<const IniChange> changes);

    std::int32_t readInteger(std::string_view section, std::string_view key,
                             std::int32_t def) const;
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    bool writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool writeBool(std::string_view section, std::string_view key, bool value);

protected:
    IniAccess() = default;
    IniAccess(const IniAccess&) = default;
    IniAccess& operator=(const IniAccess&) = default;
};

} // namespace korv
