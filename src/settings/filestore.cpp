// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/filestore.h"

#include "settings/inifile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace korv {
namespace store {
namespace {

// Enough for any sane chain, and it ends loops that the kernel would report as ELOOP.
constexpr int kMaxLinkHops = 40;

class Fd {
public:
    explicit Fd(int fd)
        : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void assign(int fd) {
        reset();
        m_fd = fd;
    }
    // Closes now and reports the result, which matters after writing.
    bool reset() {
        const bool ok = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }

private:
    int m_fd;
};

FileBytes readAt(int dirFd, const char* name, struct stat* info) {
    Fd fd(::openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) {
        return {errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unusable,
                {}};
    }
    if (::fstat(fd.get(), info) != 0 || !S_ISREG(info->st_mode)) {
        return {ReadStatus::Unusable, {}};
    }
    if (static_cast<std::uint64_t>(info->st_size) > kMaxFileSize) {
        return {ReadStatus::TooLarge, {}};
    }
    // The size may change under us: grow as needed, up to one byte past the limit to notice it.
    FileBytes result{ReadStatus::Ok,
                     std::string(static_cast<std::size_t>(info->st_size) + 1, '\0')};
    std::size_t total = 0;
    for (;;) {
        if (total == result.bytes.size()) {
            if (total > kMaxFileSize) {
                return {ReadStatus::TooLarge, {}};
            }
            result.bytes.resize(std::min(total * 2, kMaxFileSize + 1));
        }
        const ssize_t n =
            ::read(fd.get(), result.bytes.data() + total, result.bytes.size() - total);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return {ReadStatus::Unusable, {}};
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::size_t>(n);
    }
    result.bytes.resize(total);
    return result;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// Where a write through path lands: the end of its chain of symbolic links, which need not
// exist yet (a dangling link gets its target created, as opening it for writing would).
std::optional<std::string> resolveLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(n));
        path = target[0] == '/' ? target : folderOf(path) + "/" + target;
    }
    return std::nullopt;
}

constexpr std::size_t kTempSuffixLength = 12;

std::string tempName(const std::string& name) {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(::getpid()) << 32) ^ ++counter;
    // splitmix64: spreads the bits so that names from nearby calls differ everywhere.
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "." + name + ".";
    for (std::size_t i = 0; i < kTempSuffixLength; ++i, x >>= 4) {
        out += kHex[x & 0xF];
    }
    return out;
}

bool isTempNameOf(std::string_view candidate, const std::string& name) {
    if (candidate.size() != name.size() + 2 + kTempSuffixLength || candidate[0] != '.' ||
        candidate.substr(1, name.size()) != name || candidate[name.size() + 1] != '.') {
        return false;
    }
    return std::all_of(candidate.end() - kTempSuffixLength, candidate.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes what writes of name killed between their temporary file and the rename left behind.
// Only while the folder lock is held: every writer holds it from creating its temporary file to
// renaming it, so no temporary file present now belongs to a write still running.
void removeLeftovers(int dirFd, const std::string& name) {
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) {
        return;
    }
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return;
    }
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        if (isTempNameOf(entry->d_name, name)) {
            leftovers.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    for (const std::string& leftover : leftovers) {
        struct stat info {};
        if (::fstatat(dirFd, leftover.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            ::unlinkat(dirFd, leftover.c_str(), 0);
        }
    }
}

// Writing more than the process's file-size limit would raise SIGXFSZ mid-write.
bool fitsSizeLimit(std::size_t size) {
    struct rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           size <= limit.rlim_cur;
}

bool writeAllAt(int fd, std::string_view bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

bool inGroup(gid_t gid) {
    if (gid == ::getegid()) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    const int got = ::getgroups(static_cast<int>(groups.size()), groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// A replacement is a new file: it carries the writer's owner and group, one link, and no access
// control list unless we can give it the old file's owner and group.
bool replacementKeepsMetadata(const std::string& path, const struct stat& original) {
    if (original.st_nlink != 1) {
        return false;
    }
    const uid_t euid = ::geteuid();
    if (euid != 0 && (original.st_uid != euid || !inGroup(original.st_gid))) {
        return false;
    }
    return ::lgetxattr(path.c_str(), "system.posix_acl_access", nullptr, 0) <= 0;
}

enum class Outcome { Done, Failed, NotKept };

// Writes a sibling temp file and renames it over name, so that readers and crashes only ever see
// the old or the new file whole. original is the replaced file's metadata, null for a new file.
// NotKept: the replacement could not take the old file's owner, group or mode; nothing changed.
Outcome replace(int dirFd, const std::string& name, std::string_view bytes,
                const struct stat* original, Durability durability) {
    const bool sync = durability == Durability::Synced;
    const mode_t mode = original != nullptr ? (original->st_mode & 07777) : 0666;
    std::string temp;
    Fd fd(-1);
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        temp = tempName(name);
        fd.assign(::openat(dirFd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!fd.valid() && errno != EEXIST) {
            return Outcome::Failed;
        }
    }
    if (!fd.valid()) {
        return Outcome::Failed;
    }
    const auto drop = [&](Outcome outcome) {
        fd.reset();
        ::unlinkat(dirFd, temp.c_str(), 0);
        return outcome;
    };
    if (original != nullptr) {
        // Only root may give the file away; an owner may pass it to any group of its own. The
        // mode is set after, as chown clears the set-id bits.
        const uid_t euid = ::geteuid();
        if ((original->st_uid != euid || original->st_gid != ::getegid()) &&
            ::fchown(fd.get(), euid == 0 ? original->st_uid : static_cast<uid_t>(-1),
                     original->st_gid) != 0) {
            return drop(Outcome::NotKept);
        }
        if (::fchmod(fd.get(), mode) != 0) {
            return drop(Outcome::NotKept);
        }
    }
    bool ok = writeAll(fd.get(), bytes) && (!sync || ::fsync(fd.get()) == 0);
    ok = fd.reset() && ok;
    ok = ok && ::renameat(dirFd, temp.c_str(), dirFd, name.c_str()) == 0;
    if (!ok) {
        return drop(Outcome::Failed);
    }
    if (sync) {
        ::fsync(dirFd);
    }
    return Outcome::Done;
}

// Rewrites the file itself, as the old profile functions did: for files that a replacement would
// change (another owner, a shared group, hard links) or a folder that may not be written. Space is
// claimed before the first byte is written, so a full disk fails without touching the file.
bool rewriteInPlace(int dirFd, const std::string& name, std::string_view bytes,
                    const struct stat& original, const FileBytes& old, Durability durability) {
    Fd fd(::openat(dirFd, name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_dev != original.st_dev || info.st_ino != original.st_ino) {
        return false;
    }
    if (bytes.size() > static_cast<std::uint64_t>(info.st_size) &&
        ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        return false;
    }
    const bool sync = durability == Durability::Synced;
    const auto put = [&](std::string_view content) {
        return writeAllAt(fd.get(), content) &&
               ::ftruncate(fd.get(), static_cast<off_t>(content.size())) == 0 &&
               (!sync || ::fsync(fd.get()) == 0);
    };
    if (put(bytes)) {
        return fd.reset();
    }
    if (old.status == ReadStatus::Ok) {
        put(old.bytes);
    }
    return false;
}

} // namespace

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

FileBytes readFile(const std::string& path) {
    struct stat info {};
    // In-place rewrites are not atomic: wait for one in progress, as writers do.
    const std::optional<std::string> target = resolveLinks(path);
    Fd dirFd(target ? ::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1);
    if (dirFd.valid()) {
        while (::flock(dirFd.get(), LOCK_SH) != 0 && errno == EINTR) {
        }
    }
    return readAt(AT_FDCWD, path.c_str(), &info);
}

bool updateFile(const std::string& path, const std::function<Edit(std::string_view)>& edit,
                Durability durability, Oversize oversize) {
    const std::optional<std::string> target = resolveLinks(path);
    if (!target) {
        return false;
    }
    const std::string name = nameOf(*target);
    Fd dirFd(::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder that may be passed but not listed can still hold a file we may write.
    const bool listable = dirFd.valid();
    if (!listable && errno == EACCES) {
        dirFd.assign(::open(folderOf(*target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (name.empty() || !dirFd.valid()) {
        return false;
    }
    // Two copies of the program must not interleave their cycles and lose each other's keys.
    // The folder is locked, not the file, because the file is replaced by each write. Where
    // the file system has no flock the cycle still runs, only unguarded.
    bool locked = false;
    if (listable) {
        int status = 0;
        while ((status = ::flock(dirFd.get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        locked = status == 0;
    }
    struct stat info {};
    const FileBytes current = readAt(dirFd.get(), name.c_str(), &info);
    if (current.status == ReadStatus::Unusable ||
        (current.status == ReadStatus::TooLarge && oversize == Oversize::Fail)) {
        return false;
    }
    const bool exists = current.status != ReadStatus::Missing;
    const bool folderWritable = ::faccessat(dirFd.get(), ".", W_OK | X_OK, AT_EACCESS) == 0;
    // Checked before the edit too, so that a write fails alike whether or not it changes bytes.
    if (exists ? ::faccessat(dirFd.get(), name.c_str(), W_OK, AT_EACCESS) != 0 : !folderWritable) {
        return false;
    }
    const Edit result = edit(current.bytes);
    switch (result.action) {
    case Edit::Action::Keep:
        return true;
    case Edit::Action::Fail:
        return false;
    case Edit::Action::Write:
        break;
    }
    if (!fitsSizeLimit(result.bytes.size())) {
        return false;
    }
    if (folderWritable && (!exists || replacementKeepsMetadata(*target, info))) {
        if (locked) {
            removeLeftovers(dirFd.get(), name);
        }
        const Outcome outcome =
            replace(dirFd.get(), name, result.bytes, exists ? &info : nullptr, durability);
        if (outcome != Outcome::NotKept) {
            return outcome == Outcome::Done;
        }
    }
    return exists && rewriteInPlace(dirFd.get(), name, result.bytes, info, current, durability);
}

} // namespace store

std::string executableFolder() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n <= 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.rfind('/') + 1);
}

} // namespace korv
