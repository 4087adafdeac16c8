// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/iniaccess.h"

#include <string>

namespace korv::win32 {

// An INI file through the system's profile functions, one call per value.
class ProfileIni final : public IniAccess {
public:
    explicit ProfileIni(std::string path)
        : m_path(std::move(path)) {}
    const std::string& path() const { return m_path; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const override;
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    bool eraseSection(std::string_view section) override;

private:
    std::string m_path;
};

// The start-up log: a file the profile functions cannot edit (junk, too large, read-only) is
// removed, which erases its sections as well, and written afresh.
class StartupLogIni final : public IniAccess {
public:
    explicit StartupLogIni(std::string path);

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const override;
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    bool eraseSection(std::string_view section) override;

private:
    bool removeFile();

    ProfileIni m_ini;
};

// The folder of the running executable, ending in "\".
std::string executableFolder();

// Where KORVANI.INI and KORVANI.LOG live: beside the executable when the user may write there and
// it is not an installed copy (one with its uninstaller beside it), otherwise %APPDATA%\Korvani\,
// created on demand.
std::string settingsFolder(const std::string& exeFolder);


// UTF-16 and UTF-8 conversions for the system's wide calls.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view text);

} // namespace korv::win32
