// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace korv::test {

// A temporary file holding `text`, read from its start; closed at the end of the scope.
class TempFile {
public:
    explicit TempFile(std::string_view text = {})
        : m_file(std::tmpfile()) {
        if (m_file != nullptr) {
            std::fwrite(text.data(), 1, text.size(), m_file);
            std::rewind(m_file);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }
    std::FILE* get() const { return m_file; }
    // Everything written to the file so far.
    std::string text() const {
        std::fflush(m_file);
        std::rewind(m_file);
        std::string all;
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, m_file)) > 0) {
            all.append(buffer, got);
        }
        return all;
    }

private:
    std::FILE* m_file;
};

} // namespace korv::test
