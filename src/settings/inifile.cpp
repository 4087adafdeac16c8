// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/inifile.h"

#include "settings/filestore.h"
#include "settings/initext.h"

#include <functional>
#include <utility>

namespace korv {
namespace {

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

// The text after the changes, each on the one before; nullopt when none of them changed it. Text
// that a later change brought back is still new text: the start-up log's rewrite is what tells
// a start that the folder can still be written.
std::optional<std::string> withChanges(std::string_view text, std::span<const IniChange> changes) {
    std::optional<std::string> edited;
    for (const IniChange& one : changes) {
        const std::string_view current = edited ? *edited : text;
        std::optional<std::string> next =
            one.key ? ini::withValue(current, one.section, *one.key, one.value)
                    : ini::withoutSection(current, one.section);
        if (next) {
            edited = std::move(next);
        }
    }
    return edited;
}

} // namespace

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

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const IniChange one{section, key, value};
    return change({&one, 1});
}

bool IniFile::eraseSection(std::string_view section) {
    const IniChange one{section, std::nullopt, {}};
    return change({&one, 1});
}

bool IniFile::change(std::span<const IniChange> changes) {
    for (const IniChange& one : changes) {
        if (!ini::isValidSection(one.section) ||
            (one.key && (!ini::isValidKey(*one.key) || !ini::isValidValue(one.value)))) {
            return false;
        }
    }
    return rewrite(m_path, m_durability, m_unusable,
                   [&](std::string_view text) { return withChanges(text, changes); });
}

} // namespace korv
