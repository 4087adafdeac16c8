// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfolder.h"

#include "settings/settings.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace korv {

namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string canonical(const char* path) {
    char resolved[PATH_MAX];
    return ::realpath(path, resolved) != nullptr ? std::string(resolved) : std::string();
}

// HOME as the login shell would set it, for a process started without one.
std::string passwdHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

} // namespace

std::string userConfigFolder(const char* xdgConfigHome, const char* home) {
    if (isAbsolute(xdgConfigHome)) {
        return withSlash(xdgConfigHome) + "korvani/";
    }
    if (isAbsolute(home)) {
        return withSlash(home) + ".config/korvani/";
    }
    return {};
}

FolderFacts probeSettingsFolder(const std::string& exeFolder) {
    FolderFacts facts;
    facts.exeFolder = exeFolder;
    if (!exeFolder.empty()) {
        const std::string installed = canonical(KORV_INSTALL_BINDIR);
        facts.installedBinFolder = !installed.empty() && withSlash(installed) == exeFolder;
        facts.exeFolderWritable = ::access(exeFolder.c_str(), W_OK | X_OK) == 0;
        facts.iniWritable = ::access((exeFolder + std::string(kIniName)).c_str(), W_OK) == 0;
    }
    const char* home = std::getenv("HOME");
    const std::string fallbackHome = isAbsolute(home) ? std::string() : passwdHome();
    facts.userConfigFolder = userConfigFolder(std::getenv("XDG_CONFIG_HOME"),
                                              isAbsolute(home) ? home : fallbackHome.c_str());
    return facts;
}

bool makeFolder(const std::string& folder) {
    const std::string path = withSlash(folder);
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        const bool last = slash + 1 == path.size();
        if (::mkdir(part.c_str(), last ? 0777 : 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string settingsFolder(const std::string& exeFolder) {
    const FolderFacts facts = probeSettingsFolder(exeFolder);
    const std::string folder = chooseSettingsFolder(facts);
    if (folder != exeFolder) {
        // A failure shows at the start-up log's write, as an unwritable folder always has.
        makeFolder(folder);
    }
    return folder;
}

} // namespace korv
