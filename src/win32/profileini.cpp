// SPDX-License-Identifier: GPL-3.0-or-later
#include "profileini.h"

#include "settings/filestore.h"
#include "settings/initext.h"
#include "settings/settings.h"
#include "settings/settingsfolder.h"

#include <windows.h>

#include <shlobj.h>

namespace korv::win32 {

namespace {

std::string str(std::string_view text) {
    return std::string(text);
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool canCreateIn(const std::string& folder) {
    const std::string probe = folder + "korvani-write-probe.tmp";
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

bool canWrite(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string appDataFolder() {
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
        return {};
    }
    return std::string(path) + "\\Korvani\\";
}

} // namespace

std::string ProfileIni::readString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    char buffer[ini::kMaxValueLength + 1] = {};
    GetPrivateProfileStringA(str(section).c_str(), str(key).c_str(), str(def).c_str(), buffer,
                             sizeof buffer, m_path.c_str());
    return buffer;
}

bool ProfileIni::writeString(std::string_view section, std::string_view key,
                             std::string_view value) {
    if (!ini::isValidSection(section) || !ini::isValidKey(key) || !ini::isValidValue(value)) {
        return false;
    }
    return WritePrivateProfileStringA(str(section).c_str(), str(key).c_str(), str(value).c_str(),
                                      m_path.c_str()) != 0;
}

bool ProfileIni::eraseSection(std::string_view section) {
    if (!ini::isValidSection(section)) {
        return false;
    }
    return WritePrivateProfileStringA(str(section).c_str(), nullptr, nullptr, m_path.c_str()) != 0;
}

std::string executableFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string settingsFolder(const std::string& exeFolder) {
    FolderFacts facts;
    facts.exeFolder = exeFolder;
    facts.installedBinFolder = fileExists(exeFolder + "uninstall.exe");
    facts.exeFolderWritable = canCreateIn(exeFolder);
    facts.iniWritable = canWrite(exeFolder + std::string(kIniName));
    facts.userConfigFolder = appDataFolder();
    const std::string folder = chooseSettingsFolder(facts);
    if (folder != exeFolder) {
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

StartupLogIni::StartupLogIni(std::string path)
    : m_ini(std::move(path)) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(m_ini.path().c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh != 0 || data.nFileSizeLow > store::kMaxFileSize)) {
        DeleteFileA(m_ini.path().c_str());
    }
}

std::string StartupLogIni::readString(std::string_view section, std::string_view key,
                                      std::string_view def) const {
    return m_ini.readString(section, key, def);
}

bool StartupLogIni::writeString(std::string_view section, std::string_view key,
                                std::string_view value) {
    return m_ini.writeString(section, key, value);
}

bool StartupLogIni::eraseSection(std::string_view section) {
    return m_ini.eraseSection(section) || removeFile();
}

bool StartupLogIni::removeFile() {
    const char* path = m_ini.path().c_str();
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) != 0;
}

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    std::wstring text(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size,
                                                                   nullptr, 0, nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

} // namespace korv::win32
