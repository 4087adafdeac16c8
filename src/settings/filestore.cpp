#include "settings/filestore.h"

#include "settings/inifile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (::fstat(fd.get(), info) != 0 || !S_ISREG(info->st_mode) ||
        static_cast<std::uint64_t>(info->st_size) > kMaxFileSize) {
        return {ReadStatus::Unusable, {}};
    }
    // The size may change under us: grow as needed, up to one byte past the limit to notice it.
    FileBytes result{ReadStatus::Ok,
                     std::string(static_cast<std::size_t>(info->st_size) + 1, '\0')};
    std::size_t total = 0;
    for (;;) {
        if (total == result.bytes.size()) {
            if (total > kMaxFileSize) {
                return {ReadStatus::Unusable, {}};
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
    for (int i = 0; i < 12; ++i, x >>= 4) {
        out += kHex[x & 0xF];
    }
    return out;
}

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

// Writes a sibling temp file and renames it over name, so that readers and crashes only ever see
// the old or the new file whole. original is the replaced file's metadata, null for a new file.
bool replace(int dirFd, const std::string& name, std::string_view bytes,
             const struct stat* original, Durability durability) {
    const bool sync = durability == Durability::Synced;
    const mode_t mode = original != nullptr ? (original->st_mode & 07777) : 0666;
    std::string temp;
    Fd fd(-1);
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        temp = tempName(name);
        fd.assign(::openat(dirFd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!fd.valid() && errno != EEXIST) {
            return false;
        }
    }
    if (!fd.valid()) {
        return false;
    }
    bool ok = true;
    if (original != nullptr) {
        // Keep the owner where we may (as root); the mode is set after, as chown can clear bits.
        if (original->st_uid != ::geteuid() || original->st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored =
                ::fchown(fd.get(), original->st_uid, original->st_gid);
        }
        ok = ::fchmod(fd.get(), mode) == 0;
    }
    ok = ok && writeAll(fd.get(), bytes) && (!sync || ::fsync(fd.get()) == 0);
    ok = fd.reset() && ok;
    ok = ok && ::renameat(dirFd, temp.c_str(), dirFd, name.c_str()) == 0;
    if (!ok) {
        ::unlinkat(dirFd, temp.c_str(), 0);
        return false;
    }
    if (sync) {
        ::fsync(dirFd);
    }
    return true;
}

} // namespace

FileBytes readFile(const std::string& path) {
    struct stat info {};
    return readAt(AT_FDCWD, path.c_str(), &info);
}

bool updateFile(const std::string& path, const std::function<Edit(std::string_view)>& edit,
                Durability durability) {
    const std::optional<std::string> target = resolveLinks(path);
    if (!target) {
        return false;
    }
    const std::string name = nameOf(*target);
    Fd dirFd(::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (name.empty() || !dirFd.valid()) {
        return false;
    }
    // Two copies of the program must not interleave their cycles and lose each other's keys.
    // The folder is locked, not the file, because the file is replaced by each write. Where
    // the file system has no flock the cycle still runs, only unguarded.
    while (::flock(dirFd.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    // Checked before the edit too, so that a write fails alike whether or not it changes bytes.
    if (::faccessat(dirFd.get(), ".", W_OK | X_OK, AT_EACCESS) != 0) {
        return false;
    }
    struct stat info {};
    const FileBytes current = readAt(dirFd.get(), name.c_str(), &info);
    if (current.status == ReadStatus::Unusable) {
        return false;
    }
    const bool exists = current.status == ReadStatus::Ok;
    if (exists && ::faccessat(dirFd.get(), name.c_str(), W_OK, AT_EACCESS) != 0) {
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
    return replace(dirFd.get(), name, result.bytes, exists ? &info : nullptr, durability);
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
