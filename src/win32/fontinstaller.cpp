// SPDX-License-Identifier: GPL-3.0-or-later
// korvanifi: installs the legacy font Korvani.ttf from beside the program, for the current user
// or, run as an administrator, for all users, and makes it usable at once. Run again, it changes
// nothing.
#include "admin.h"
#include "profileini.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>
#include <string>
#include <string_view>

namespace {

constexpr wchar_t kTitle[] = L"Korvani Font Installer";
constexpr wchar_t kFontFile[] = L"Korvani.ttf";
constexpr wchar_t kValueName[] = L"Korvani (TrueType)";
constexpr wchar_t kFontsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::wstring folderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring knownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path) !=
        S_OK) {
        return {};
    }
    return std::wstring(path) + L"\\";
}

std::string readAll(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

std::wstring registryValue(HKEY root) {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(root, kFontsKey, kValueName, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return value;
}

bool setRegistryValue(HKEY root, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, kFontsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG result =
        RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// The window the user asked in, which the box belongs to and stands in front of; none when
// started on its own.
HWND g_owner = nullptr;

int say(const std::wstring& text, bool quiet, int code) {
    if (!quiet) {
        const UINT icon = code == 0 ? MB_ICONINFORMATION : MB_ICONERROR;
        MessageBoxW(g_owner, text.c_str(), kTitle,
                    MB_OK | icon | MB_SETFOREGROUND | (g_owner == nullptr ? MB_TOPMOST : 0));
    }
    return code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // "/quiet" leaves out the message box, for installers and scripts (the exit code tells);
    // "/user" installs for the current user even when run as an administrator; "/owner:<handle>"
    // names the window that started it.
    bool quiet = false;
    bool forUser = false;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    constexpr std::wstring_view kOwner = L"/owner:";
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view arg = argv[i];
        quiet = quiet || lstrcmpiW(argv[i], L"/quiet") == 0;
        forUser = forUser || lstrcmpiW(argv[i], L"/user") == 0;
        if (arg.size() > kOwner.size() && arg.substr(0, kOwner.size()) == kOwner) {
            const auto handle =
                static_cast<UINT_PTR>(std::wcstoull(argv[i] + kOwner.size(), nullptr, 10));
            const HWND owner = reinterpret_cast<HWND>(handle);
            g_owner = IsWindow(owner) ? owner : nullptr;
        }
    }
    LocalFree(argv);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring source = folderOf(self) + kFontFile;
    const std::string bytes = readAll(source);
    if (bytes.empty()) {
        return say(L"The font file " + source + L" was not found.", quiet, 2);
    }
    const bool allUsers = !forUser && korv::win32::isAdministrator();
    const std::wstring folder =
        allUsers ? knownFolder(CSIDL_FONTS)
                 : knownFolder(CSIDL_LOCAL_APPDATA) + L"Microsoft\\Windows\\Fonts\\";
    if (folder.empty()) {
        return say(L"The fonts folder could not be found.", quiet, 3);
    }
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::wstring target = folder + kFontFile;
    // The machine-wide value names the file in the Fonts folder; the per-user one its full path.
    const std::wstring value = allUsers ? std::wstring(kFontFile) : target;
    const HKEY root = allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const bool fileCurrent = readAll(target) == bytes;
    const bool valueCurrent = registryValue(root) == value;
    if (fileCurrent && valueCurrent) {
        return say(L"The Korvani font is already installed.", quiet, 0);
    }
    if (!fileCurrent && !CopyFileW(source.c_str(), target.c_str(), FALSE)) {
        return say(L"The font could not be copied to " + target + L".", quiet, 4);
    }
    if (!valueCurrent && !setRegistryValue(root, value)) {
        return say(L"The font could not be registered.", quiet, 5);
    }
    AddFontResourceW(target.c_str());
    SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    return say(allUsers ? L"The Korvani font is installed for all users."
                        : L"The Korvani font is installed for you.",
               quiet, 0);
}
