// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontinstall.h"

#include "settings/filestore.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace korv::fontinstall {
namespace {

struct File {
    std::string name;
    std::string bytes;
};

std::string join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

std::string reason(int error) {
    return std::strerror(error);
}

bool readWhole(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return false;
        }
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return true;
}

// mkdir -p that notes what it made, so that a failure can take it back.
bool makeFolders(const std::string& target, std::vector<std::string>& created) {
    for (std::size_t slash = target.find('/', 1);; slash = target.find('/', slash + 1)) {
        const std::string folder = target.substr(0, slash);
        struct stat info {};
        if (::mkdir(folder.c_str(), 0755) == 0) {
            created.push_back(folder);
            // A umask of 077 (usual for root) would hide a system-wide font from every user;
            // the set-group-ID bit of Debian's /usr/local stays.
            if (::stat(folder.c_str(), &info) == 0) {
                ::chmod(folder.c_str(), (info.st_mode & 07777) | 0755);
            }
        } else if (errno == EEXIST) {
            if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
                errno = ENOTDIR;
                return false;
            }
        } else {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

void removeFolders(const std::vector<std::string>& created) {
    for (auto folder = created.rbegin(); folder != created.rend(); ++folder) {
        ::rmdir(folder->c_str());
    }
}

void removeFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        ::unlink(path.c_str());
    }
}

// Each file goes to a hidden temporary first; only when all are written are they renamed into
// place, so a full disk or a denied folder leaves no half-installed font behind.
bool writeAll(const std::string& target, const std::vector<File>& files) {
    std::vector<std::string> temporaries;
    for (const File& file : files) {
        std::string temporary = join(target, "." + file.name + ".XXXXXX");
        const int fd = ::mkstemp(temporary.data());
        if (fd < 0) {
            const int error = errno;
            removeFiles(temporaries);
            errno = error;
            return false;
        }
        temporaries.push_back(temporary);
        const bool written = store::writeAll(fd, file.bytes) && ::fchmod(fd, 0644) == 0;
        const int error = errno;
        if (::close(fd) != 0 || !written) {
            removeFiles(temporaries);
            errno = written ? EIO : error;
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (::rename(temporaries[i].c_str(), join(target, files[i].name).c_str()) != 0) {
            const int error = errno;
            removeFiles({temporaries.begin() + static_cast<std::ptrdiff_t>(i), temporaries.end()});
            errno = error;
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> sourceFolders(const std::string& exeFolder,
                                       std::string_view relativeDataFolder) {
    // The executable's path has its links resolved already, so ".." may be dropped by name.
    const std::filesystem::path data = std::filesystem::path(exeFolder) / relativeDataFolder / "";
    return {exeFolder, data.lexically_normal().string()};
}

std::string userFontsFolder(const char* home, const char* xdgDataHome) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
        return join(xdgDataHome, "fonts");
    }
    // A relative home would land the font wherever the installer happened to be started.
    if (home != nullptr && home[0] == '/') {
        return join(home, ".local/share/fonts");
    }
    return {};
}

Result installFiles(const std::vector<std::string>& sources, const std::string& target) {
    std::string from;
    for (const std::string& source : sources) {
        if (::access(join(source, kFontFile).c_str(), F_OK) == 0) {
            from = source;
            break;
        }
    }
    if (from.empty()) {
        return {Outcome::NoFont, target, {}};
    }

    std::vector<File> files;
    for (const std::string_view name : {kFontFile, kLicenceFiles[0], kLicenceFiles[1]}) {
        const std::string path = join(from, name);
        File file{std::string(name), {}};
        if (readWhole(path, file.bytes)) {
            files.push_back(std::move(file));
        } else if (name == kFontFile || errno != ENOENT) {
            return {Outcome::NoFont, target, path + ": " + reason(errno)};
        }
    }

    std::string existing;
    const bool hadFont = readWhole(join(target, kFontFile), existing);
    bool same = hadFont && existing == files.front().bytes;
    for (std::size_t i = 1; same && i < files.size(); ++i) {
        same = readWhole(join(target, files[i].name), existing) && existing == files[i].bytes;
    }
    if (same) {
        return {Outcome::Unchanged, target, {}};
    }

    std::vector<std::string> created;
    if (!makeFolders(target, created) || !writeAll(target, files)) {
        const int error = errno;
        removeFolders(created);
        return {Outcome::NotWritable, target, reason(error)};
    }
    return {hadFont ? Outcome::Updated : Outcome::Installed, target, {}};
}

std::string refreshCache(const RunProgram& run, const std::string& fontsFolder) {
    const int status = run({"fc-cache", fontsFolder});
    if (status == 0) {
        return {};
    }
    if (status == kKilled) {
        return "fc-cache did not finish";
    }
    if (status < 0) {
        return errno == ENOENT ? "fc-cache was not found"
                               : "fc-cache could not run: " + reason(errno);
    }
    return "fc-cache ended with status " + std::to_string(status);
}

bool succeeded(const Result& result) {
    return result.outcome == Outcome::Installed || result.outcome == Outcome::Updated ||
           result.outcome == Outcome::Unchanged;
}

std::string describe(const Result& result, const std::vector<std::string>& sources,
                     const std::string& cacheProblem) {
    std::string text;
    switch (result.outcome) {
    case Outcome::Installed:
        text = "The legacy font Korvani is installed in " + result.folder + ".";
        break;
    case Outcome::Updated:
        text = "The legacy font Korvani in " + result.folder + " is brought up to date.";
        break;
    case Outcome::Unchanged:
        text = "The legacy font Korvani is already installed in " + result.folder + ".";
        break;
    case Outcome::NoFont:
        text = "The legacy font could not be installed: ";
        if (result.detail.empty()) {
            text += std::string(kFontFile) + " is in none of these folders:";
            for (const std::string& source : sources) {
                text += "\n" + source;
            }
            text += "\n";
        } else {
            text += result.detail + ". ";
        }
        return text + "Nothing was changed.";
    case Outcome::NotWritable:
        return "The legacy font could not be installed: " + result.folder + " cannot be written (" +
               result.detail + "). Nothing was changed.";
    }
    if (!cacheProblem.empty()) {
        text += "\nThe font cache was not refreshed (" + cacheProblem +
                "); programs may not offer the font until fc-cache has run.";
    } else if (result.outcome != Outcome::Unchanged) {
        text += "\nPrograms that are already running may need a restart to offer it.";
    }
    return text;
}

int spawnAndWait(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
    if (error != 0) {
        errno = error;
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kKilled;
}

} // namespace korv::fontinstall
