// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the RTF writer's documents with a real reader, unrtf (Debian package "unrtf"), and
// checks that every character, the face and the size come back.

#include "korvneeds.h"
#include "richtext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace std::string_literals;

namespace {

namespace fs = std::filesystem;

using korv::KorvaniFontFace;
using korv::UnicodeFontFace;

std::optional<fs::path> findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

// An output personality that spells out what the reader saw: every non-ASCII character as its
// UTF-16 code unit, and the face and size of each run.
constexpr const char* kPersonality = R"(comment_begin
	<!--
comment_end
	-->
document_begin
	[doc]
document_end
	[/doc]
body_begin
	[body]
body_end
	[/body]
paragraph_begin
	[p]
paragraph_end
	[/p]
forced_space
	[fs]
line_break
	[br]
page_break
	[pb]
font_begin
	[font %]
font_end
	[/font]
fontsize_begin
	[size %]
fontsize_end
	[/size]
unisymbol_print
	[u%]
91
	[lb]
)";

struct ReadBack {
    std::vector<std::string> faces;
    std::vector<int> sizes;
    std::u16string text;
};

ReadBack decode(const std::string& output) {
    ReadBack result;
    const auto begin = output.find("[body]");
    const auto end = output.rfind("[/body]");
    if (begin == std::string::npos || end == std::string::npos || end < begin) {
        ADD_FAILURE() << "no body in: " << output;
        return result;
    }
    const std::string body = output.substr(begin + 6, end - begin - 6);
    for (std::size_t i = 0; i < body.size();) {
        if (body[i] != '[') {
            EXPECT_LT(static_cast<unsigned char>(body[i]), 0x80) << "raw byte in: " << body;
            result.text += static_cast<char16_t>(static_cast<unsigned char>(body[i++]));
            continue;
        }
        const auto close = body.find(']', i);
        const std::string token = body.substr(i + 1, close - i - 1);
        i = close + 1;
        if (token.starts_with("font ")) {
            result.faces.push_back(token.substr(5));
        } else if (token.starts_with("size ")) {
            result.sizes.push_back(std::stoi(token.substr(5)));
        } else if (token.starts_with("u")) {
            result.text += static_cast<char16_t>(std::stoul(token.substr(1)));
        } else if (token == "lb") {
            result.text += u'[';
        } else if (token == "br") {
            result.text += u'\n';
        } else if (token == "fs") {
            // unrtf lays a tab out as spaces up to its next tab stop, then a line end.
            while (body.compare(i, 4, "[fs]") == 0) {
                i += 4;
            }
            EXPECT_EQ(body[i], '\n') << body;
            ++i;
            result.text += u'\t';
        } else if (token != "/font" && token != "/size") {
            ADD_FAILURE() << "unexpected [" << token << "] in: " << body;
        }
    }
    return result;
}

class UnrtfRoundTrip : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_unrtf = findOnPath("unrtf");
        if (!s_unrtf) {
            return;
        }
        std::string pattern = (fs::temp_directory_path() / "korv-unrtf-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        s_dir = pattern;
        std::ofstream(s_dir / "korvprobe.conf") << kPersonality;
        // The reader takes bytes in a symbol-charset font through this map; the legacy font's
        // bytes are its codes, so the map is the identity.
        std::ofstream charmap(s_dir / "SYMBOL.charmap");
        for (int byte = 0; byte < 256; ++byte) {
            char line[64];
            std::snprintf(line, sizeof line, "<U%04X>     /x%02x         BYTE %d\n", byte, byte,
                          byte);
            charmap << line;
        }
    }

    static void TearDownTestSuite() {
        if (!s_dir.empty()) {
            fs::remove_all(s_dir);
        }
    }

    void SetUp() override {
        if (!s_unrtf) {
            KORV_MISSING("unrtf");
        }
    }

    static ReadBack read(const std::string& rtf) {
        const fs::path file = s_dir / "doc.rtf";
        std::ofstream(file, std::ios::binary) << rtf;
        const std::string command = std::string("'") + s_unrtf->string() + "' -P '" +
                                    s_dir.string() + "' -t korvprobe '" + file.string() + "'";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            ADD_FAILURE() << "cannot run " << command;
            return {};
        }
        std::string output;
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        EXPECT_EQ(::pclose(pipe), 0) << command;
        return decode(output);
    }

    static inline std::optional<fs::path> s_unrtf;
    static inline fs::path s_dir;
};

std::u16string printableAscii() {
    std::u16string s;
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        s += c;
        s += u'.'; // unrtf merges runs of spaces, which RTF itself keeps
    }
    return s;
}

std::u16string upperHalfBytes() {
    std::u16string s;
    for (char16_t c = 0x80; c <= 0xFF; ++c) {
        s += c;
    }
    return s;
}

struct RoundTripCase {
    const char* name;
    std::string_view face;
    int points;
    std::u16string text;
    std::optional<std::u16string> readAs; // when the reader cannot give back the very text
};

TEST_F(UnrtfRoundTrip, EveryCharacterFaceAndSizeComeBack) {
    const RoundTripCase cases[] = {
        {"she-long, Unicode", UnicodeFontFace, 16, u"\u0283i\u02D0", {}},
        {"she-long, legacy codes", KorvaniFontFace, 16, u"\u00A7i\u00AD", {}},
        {"after escapes", UnicodeFontFace, 72, u"\u02C8\u03B8\u026A\u014Bk x\u0283i\u02D09", {}},
        {"ASCII, Unicode", UnicodeFontFace, 8, printableAscii(), {}},
        {"ASCII, legacy codes", KorvaniFontFace, 8, printableAscii(), {}},
        {"every upper-half code", KorvaniFontFace, 20, upperHalfBytes(), {}},
        {"upper half, Unicode", UnicodeFontFace, 20, upperHalfBytes(), {}},
        {"above 0xFF, legacy face", KorvaniFontFace, 12, u"\u00F6\u0250\u0434\xD83D\xDE00z", {}},
        {"non-BMP, lone halves", UnicodeFontFace, 12, u"a\xD83D\xDE00x\xD800y\xDFFF\uFFFF", {}},
        {"marks stay on their letters",
         UnicodeFontFace,
         12,
         u"n\u0325t\u0361\u0283e\u1DC8\U0001DF04\u0325\u02B0",
         {}},
        {"controls", UnicodeFontFace, 12, u"a\tb\x01x\x1By\x7Fz", {}},
        {"NUL and line ends", UnicodeFontFace, 12, u"a\0b\r\nc\rd\ne"s, u"a\uFFFDb\nc\nd\ne"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadBack back = read(korv::buildRtf(c.text, c.face, c.points));
        EXPECT_EQ(back.faces, std::vector<std::string>{std::string(c.face)});
        EXPECT_EQ(back.sizes, std::vector<int>{c.points});
        EXPECT_EQ(back.text, c.readAs.value_or(c.text));
    }
}

} // namespace
