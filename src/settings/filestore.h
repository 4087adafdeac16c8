// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file access for the INI files: bounded reads, and read-modify-write cycles that lock the
// folder against other copies of the program. A rewrite replaces the file atomically where that
// keeps everything about it (owner, group, mode, links); otherwise, as in a folder the user may
// not write, it rewrites the file in place.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace korv::store {

// Larger files are not ours: they read as unreadable and are never rewritten.
inline constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;

enum class ReadStatus {
    Ok,
    Missing,  // no file (or no folder) at the path
    Unusable, // not a regular file, or unreadable
    TooLarge, // a regular file larger than kMaxFileSize
};

struct FileBytes {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

// Never blocks on a FIFO or device and never reads more than kMaxFileSize + 1 bytes.
FileBytes readFile(const std::string& path);

// Writes all of bytes at fd's offset, resuming after interruptions; false on any failure.
bool writeAll(int fd, std::string_view bytes);

// What a rewrite does with the current bytes ("" for a missing file).
struct Edit {
    enum class Action { Keep, Write, Fail };
    Action action = Action::Keep;
    std::string bytes;
};

// Whether a rewrite waits for the disk. Unsynced rewrites are still atomic for readers; only a
// crash right after one may leave the older file, which suits a file rewritten at every start.
enum class Durability { Synced, Unsynced };

// What a rewrite does with a regular file too large to read.
enum class Oversize { Fail, Empty };

// One locked read-modify-write of the file at path, following symbolic links. True when the file
// may be written and now holds the edit's result; on false it is exactly as before (bar a failed
// in-place write, which puts the old bytes back as far as the disk lets it). Oversize::Empty hands
// the edit an empty text for a file too large to read, for files whose contents may be dropped.
bool updateFile(const std::string& path, const std::function<Edit(std::string_view)>& edit,
                Durability durability = Durability::Synced, Oversize oversize = Oversize::Fail);

} // namespace korv::store
