// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace korv::test {

// A fresh folder per test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korv-settings-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
        }
        m_path = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& path() const { return m_path; }
    std::string file(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Zeroed when the path cannot be read, so that no expected mode or owner can match.
inline struct stat statOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

// How many entries of folder start with prefix: all of them, or the temporary files of one name.
inline long entriesIn(const std::filesystem::path& folder, std::string_view prefix = "") {
    long count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += entry.path().filename().string().starts_with(prefix);
    }
    return count;
}

} // namespace korv::test

// The settings tests name these unqualified.
namespace korv {
using namespace std::string_literals;
using test::entriesIn;
using test::readBytes;
using test::statOf;
using test::TempFolder;
using test::writeBytes;
namespace fs = std::filesystem;
} // namespace korv
