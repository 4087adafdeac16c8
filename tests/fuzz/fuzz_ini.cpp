// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the INI engine through real files: any file contents, then one write or erase. After a
// successful change the target reads as written, every other entry reads as before, the rest of
// the text is kept, and repeating the change changes nothing. A refused change leaves the file
// exactly as it was.

#include "settings/inifile.h"
#include "settings/initext.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using korv::IniFile;
namespace ini = korv::ini;

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "invariant failed: %s (line %d)\n", #cond, __LINE__);             \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

constexpr std::string_view kSections[] = {"s", "S",  "Korvani", "KORVANI.EXE", "Position",
                                          "t", " s", "a]b",     "[x",          "\xC3\xA9"};
constexpr std::string_view kKeys[] = {"k", "K", "Left", "Top", "AutoPaste", "x", "a b", "\xC3\xA9"};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (m_data.empty()) {
            return 0;
        }
        const auto b = static_cast<std::uint8_t>(m_data.front());
        m_data.remove_prefix(1);
        return b;
    }
    std::string take(std::size_t n) {
        const std::string out(m_data.substr(0, n));
        m_data.remove_prefix(out.size());
        return out;
    }
    template <std::size_t N> std::string name(const std::string_view (&known)[N]) {
        const std::uint8_t b = byte();
        return b < 224 ? std::string(known[b % N]) : take(b - 224u);
    }
    std::string_view rest() const { return m_data; }

private:
    std::string_view m_data;
};

// A private folder for the file under test, removed at exit.
struct WorkFolder {
    WorkFolder() {
        // tmpfs when there is one: every write syncs, which is slow on a disk.
        const std::filesystem::path shm = "/dev/shm";
        std::string pattern =
            ((std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
             "korv-fuzz-XXXXXX")
                .string();
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        path = pattern;
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

const std::string& workFile() {
    static const WorkFolder folder;
    static const std::string file = (folder.path / "f.ini").string();
    return file;
}

void writeBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<std::string> lookup(std::string_view text, std::string_view section,
                                  std::string_view key) {
    const std::optional<std::string_view> raw = ini::findRawValue(text, section, key);
    return raw ? std::optional<std::string>(ini::cookValue(*raw)) : std::nullopt;
}

// Names that occur in the text, plus the ones under test: the entries whose values must survive.
void collectNames(std::string_view text, std::vector<std::string>& sections,
                  std::vector<std::string>& keys) {
    constexpr std::size_t kMaxNames = 16;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find_first_of("\r\n", pos);
        end = end == std::string_view::npos ? text.size() : end;
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        const std::size_t close = line.rfind(']');
        if (line.starts_with('[') && close != std::string_view::npos && close > 0) {
            if (sections.size() < kMaxNames) {
                // Blanks around a header's name are not part of it.
                std::string_view name = line.substr(1, close - 1);
                name.remove_prefix(std::min(name.find_first_not_of(" \t"), name.size()));
                name.remove_suffix(name.size() - (name.find_last_not_of(" \t") + 1));
                sections.emplace_back(name);
            }
        } else if (const std::size_t eq = line.find('=');
                   eq != std::string_view::npos && keys.size() < kMaxNames) {
            std::string_view key = line.substr(0, eq);
            key.remove_suffix(key.size() - (key.find_last_not_of(" \t") + 1));
            keys.emplace_back(key);
        }
    }
}

// What reading gives back for a written value: blanks around it are not part of it.
std::string readBack(std::string_view value) {
    const std::size_t begin = value.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return ini::cookValue(value.substr(begin, value.find_last_not_of(" \t") + 1 - begin));
}

std::size_t keptBytes(std::string_view a, std::string_view b) {
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
        ++suffix;
    }
    return prefix + suffix;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const int op = input.byte() % 4;
    const std::string section = input.name(kSections);
    const std::string key = input.name(kKeys);
    std::string value = input.take(input.byte());
    if (op == 3) {
        while (!value.empty() && value.size() < 2100) {
            value += value;
        }
    }
    const bool erase = op == 2;
    const std::string before(input.rest());
    if (before.size() > 16 * 1024) {
        return 0;
    }

    const std::string& path = workFile();
    writeBytes(path, before);
    IniFile file(path);
    const ini::Decoded old = ini::decode(before);

    std::vector<std::string> sections{section};
    std::vector<std::string> keys{key};
    collectNames(old.text, sections, keys);
    struct Entry {
        std::string_view section, key;
        std::optional<std::string> value;
    };
    std::vector<Entry> entries;
    for (const std::string& s : sections) {
        for (const std::string& k : keys) {
            entries.push_back({s, k, lookup(old.text, s, k)});
        }
    }
    // Reading through the file gives what the text engine gives.
    FUZZ_CHECK(file.readString(section, key, "\x01") == entries[0].value.value_or("\x01"));

    const bool ok = erase ? file.eraseSection(section) : file.writeString(section, key, value);
    const std::string after = readBytes(path);
    if (!ok) {
        const bool invalid = !ini::isValidSection(section) ||
                             (!erase && (!ini::isValidKey(key) || !ini::isValidValue(value)));
        const bool utf16 =
            old.encoding == ini::Encoding::Utf16Le || old.encoding == ini::Encoding::Utf16Be;
        FUZZ_CHECK(invalid || utf16);
        FUZZ_CHECK(after == before);
        return 0;
    }

    const ini::Decoded now = ini::decode(after);
    FUZZ_CHECK(now.encoding == old.encoding);
    for (const Entry& e : entries) {
        const bool inSection = ini::namesEqual(e.section, section);
        std::optional<std::string> expected = e.value;
        if (erase && inSection) {
            expected.reset();
        } else if (!erase && inSection && ini::namesEqual(e.key, key)) {
            expected = readBack(value);
        }
        FUZZ_CHECK(lookup(now.text, e.section, e.key) == expected);
    }
    if (!erase) {
        // One value replaced or one stretch inserted; every other byte of the text kept.
        const std::size_t oldValue =
            ini::findRawValue(old.text, section, key).value_or(std::string_view()).size();
        FUZZ_CHECK(keptBytes(old.text, now.text) + oldValue >= old.text.size());
        FUZZ_CHECK(file.readString(section, key, "\x01") == readBack(value));
    }

    const bool again = erase ? file.eraseSection(section) : file.writeString(section, key, value);
    FUZZ_CHECK(again && readBytes(path) == after);
    return 0;
}
