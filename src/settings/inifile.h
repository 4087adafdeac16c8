// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/iniaccess.h"
#include "settings/integer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv {

// The folder of the running executable, ending in "/"; empty if /proc cannot tell it.
std::string executableFolder();

// One INI file, accessed once per call: every read or write opens, reads or rewrites, and closes
// it, so edits made by hand (or by another copy of the program) are seen and kept.
class IniFile final : public IniAccess {
public:
    // The settings wait for the disk at every write; the start-up log need not.
    enum class Durability { Synced, Unsynced };
    // What a write does with a file whose contents cannot be edited (too large, or text that
    // cannot be stored again in its own encoding): the settings refuse to touch it; the log,
    // which holds nothing of value, starts afresh as if there were no file.
    enum class Unusable { Refuse, StartAfresh };

    explicit IniFile(std::string path, Durability durability = Durability::Synced,
                     Unusable unusable = Unusable::Refuse);

    const std::string& path() const { return m_path; }

    // A missing or unreadable file, section or key gives def; nothing is ever created by reading.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const override;

    // False when the file or its folder may not be written, or the name or value cannot be
    // stored (a line break or NUL in it); the file is then unchanged.
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // Removes every section of that name, header and lines up to the next header.
    bool eraseSection(std::string_view section) override;

    // All the changes in one rewrite: all made, or none when one cannot be.
    bool change(std::span<const IniChange> changes) override;

private:
    std::string m_path;
    Durability m_durability;
    Unusable m_unusable;
};

} // namespace korv
