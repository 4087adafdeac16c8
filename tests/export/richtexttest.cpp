// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext.h"
#include "utf16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

using namespace std::string_literals;

namespace {

using korv::KorvaniFontFace;
using korv::UnicodeFontFace;

// The text run of a document built at 16 points.
std::string rtfBody(std::u16string_view text, std::string_view face) {
    const std::string doc = korv::buildRtf(text, face, 16);
    const std::string marker = "\\fs32 ";
    const auto start = doc.find(marker);
    EXPECT_NE(start, std::string::npos);
    EXPECT_EQ(doc.back(), '}');
    return doc.substr(start + marker.size(), doc.size() - start - marker.size() - 1);
}

std::string htmlBody(std::u16string_view text) {
    const std::string doc = korv::buildHtml(text, UnicodeFontFace, 16);
    const auto start = doc.find("\">", doc.find("<span"));
    const auto end = doc.rfind("</span>");
    EXPECT_NE(start, std::string::npos);
    EXPECT_NE(end, std::string::npos);
    return doc.substr(start + 2, end - start - 2);
}

// Whether the bytes are well-formed UTF-8: shortest forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            len = 1, cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2, cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3, cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4, cp = b & 0x07;
        } else {
            return false;
        }
        if (i + len > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += len;
    }
    return true;
}

TEST(Rtf, WholeDocumentForEachFace) {
    EXPECT_EQ(korv::buildRtf(u"\u0283i\u02D0", UnicodeFontFace, 16),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Lucida Sans "
              "Unicode;}}\\uc1\\pard\\plain\\f0\\fs32 \\u643\\'3fi\\u720\\'3f}");
    EXPECT_EQ(korv::buildRtf(u"\u00A7i\u00AD", KorvaniFontFace, 72),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset2 "
              "Korvani;}}\\uc1\\pard\\plain\\f0\\fs144 \\'a7i\\'ad}");
}

struct EscapeCase {
    const char* name;
    std::u16string text;
    std::string_view face;
    std::string expected;
};

TEST(Rtf, TextEscapes) {
    const EscapeCase cases[] = {
        {"backslash and braces", u"a\\b{c}d", UnicodeFontFace, "a\\\\b\\{c\\}d"},
        {"digits right after an escape", u"\u02881", UnicodeFontFace, "\\u648\\'3f1"},
        {"Latin-1 in the Unicode face", u"\u00E9", UnicodeFontFace, "\\u233\\'3f"},
        {"negative above 0x7FFF", u"\uFFFD", UnicodeFontFace, "\\u-3\\'3f"},
        {"surrogate halves apart", u"\xD83D\xDE00", UnicodeFontFace, "\\u-10179\\'3f\\u-8704\\'3f"},
        {"lone surrogate kept", u"\xDC00", UnicodeFontFace, "\\u-9216\\'3f"},
        {"tab keeps the next letter", u"a\tb", UnicodeFontFace, "a\\tab b"},
        {"line ends", u"a\r\nb\nc\rd", UnicodeFontFace, "a\\line b\\line c\\line d"},
        {"NUL", u"a\0b"s, UnicodeFontFace, "a\\u-3\\'3fb"},
        {"other controls", u"\x01\x1F\x7F", UnicodeFontFace, "\\u1\\'3f\\u31\\'3f\\u127\\'3f"},
        {"legacy codes as bytes", u"\x80\x81\u00A0\u00FF~B", KorvaniFontFace,
         "\\'80\\'81\\'a0\\'ff~B"},
        {"typed text above 0xFF in the legacy face", u"\u0250\u0434", KorvaniFontFace,
         "\\u592\\'3f\\u1076\\'3f"},
        {"legacy face escapes too", u"{\t}", KorvaniFontFace, "\\{\\tab \\}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rtfBody(c.text, c.face), c.expected);
    }
}

TEST(Rtf, FontNameCannotBreakTheFontTable) {
    const std::string doc = korv::buildRtf(u"a", "A;B{\\}", 12);
    EXPECT_NE(doc.find("\\fcharset0 A\\'3bB\\'7b\\'5c\\'7d;}}"), std::string::npos) << doc;
}

TEST(Html, WholeFragment) {
    EXPECT_EQ(korv::buildHtml(u"\u0283i\u02D0", UnicodeFontFace, 16),
              "<meta charset=\"utf-8\"><span style=\"font-family: 'Lucida Sans Unicode'; "
              "font-size: 16pt; white-space: pre-wrap\">\u0283i\u02D0</span>");
    EXPECT_EQ(korv::buildHtml(u"\u00A7i\u00AD", KorvaniFontFace, 72),
              "<meta charset=\"utf-8\"><span style=\"font-family: 'Korvani'; font-size: 72pt; "
              "white-space: pre-wrap\">\u00A7i\u00AD</span>");
}

TEST(Html, TextEscapes) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"&<>\"'", "&amp;&lt;&gt;&quot;&#39;"},
        {u"</span><b>", "&lt;/span&gt;&lt;b&gt;"},
        {u"a\tb\nc\rd  e", "a\tb\nc\rd  e"},
        {u"a\0b\x01\x1F\x0C\x7F"s, "a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD"},
        {u"\x81", "\xC2\x81"},
        {u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
        {u"\xD83Dz\xDE00", "\uFFFDz\uFFFD"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(htmlBody(text), expected);
    }
}

TEST(Html, EveryCodeUnitGivesValidUtf8WithoutForbiddenControls) {
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string text{u'a', static_cast<char16_t>(unit), u'b'};
        const std::string html = korv::buildHtml(text, UnicodeFontFace, 10);
        ASSERT_TRUE(isValidUtf8(html)) << "U+" << std::hex << unit;
        for (const char c : html) {
            const auto b = static_cast<unsigned char>(c);
            ASSERT_TRUE((b >= 0x20 && b != 0x7F) || c == '\t' || c == '\n' || c == '\r')
                << "U+" << std::hex << unit;
        }
    }
}

TEST(Html, FontNameStaysInsideItsQuotes) {
    const std::string html = korv::buildHtml(u"a", "O'B \"x\" \\ & <", 12);
    EXPECT_NE(html.find("font-family: 'O\\'B &quot;x&quot; \\\\ &amp; &lt;';"), std::string::npos)
        << html;
}

TEST(RichText, PointSizesOutsideTheAcceptedRangeThrow) {
    for (const int points : {0, -16, 1639}) {
        EXPECT_THROW(korv::buildRtf(u"a", UnicodeFontFace, points), std::invalid_argument);
        EXPECT_THROW(korv::buildHtml(u"a", UnicodeFontFace, points), std::invalid_argument);
    }
    EXPECT_NE(korv::buildRtf(u"a", UnicodeFontFace, 1638).find("\\fs3276 "), std::string::npos);
    EXPECT_NE(korv::buildHtml(u"a", UnicodeFontFace, 1).find("font-size: 1pt;"), std::string::npos);
}

TEST(ToUtf8, Cases) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", ""},
        {u"a\0"s, "a\0"s},
        {u"\u00E6\u0283\uFFFF", "\xC3\xA6\xCA\x83\xEF\xBF\xBF"},
        {u"\xD800\xDC00\xDBFF\xDFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {u"\xD800", "\uFFFD"},
        {u"\xDC00\xD800", "\uFFFD\uFFFD"},
        {u"\xD800\xD800\xDC00", "\uFFFD\xF0\x90\x80\x80"},
        {u"x\xDFFF", "x\uFFFD"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(expected));
        EXPECT_EQ(korv::toUtf8(text), expected);
    }
}

} // namespace
