// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "commandfiles.h"
#include "utf16.h"
#include "xsampa.h"
#include "xsampacommand.h"

namespace korv {
namespace {

std::u16string fromAscii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

// Debian's rime-data-ipa-xsampa: an input method's table of "IPA<tab>X-SAMPA", read at test time.
TEST(XsampaToIpa, AgreesWithAnIndependentTable) {
    struct Difference {
        std::string ipa, xsampa, why;
    };
    const Difference differences[] = {
        {"ɪ̈", "I\\", "one reading per spelling: the single letter ᵻ, which that table also gives"},
        {"ʊ̈", "U\\", "one reading per spelling: the single letter ᵿ, which that table also gives"},
        {"↑", "^", "upstep is the chart's ꜛ, which that table also gives; ↑ is egressive airflow"},
        {"↓", "!",
         "downstep is the chart's ꜜ, which that table also gives; ↓ is ingressive airflow"},
    };
    std::ifstream file("/usr/share/rime-data/ipa_xsampa.dict.yaml");
    ASSERT_TRUE(file) << "/usr/share/rime-data/ipa_xsampa.dict.yaml is missing: "
                         "install rime-data-ipa-xsampa";
    std::string line;
    while (std::getline(file, line) && line != "...") {
    }
    int checked = 0;
    while (std::getline(file, line)) {
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        const std::string ipa = line.substr(0, tab);
        const std::string xsampa = line.substr(tab + 1);
        bool differs = false;
        for (const Difference& d : differences) {
            differs = differs || (d.ipa == ipa && d.xsampa == xsampa);
        }
        if (!differs) {
            EXPECT_EQ(toUtf8(xsampaToIpa(fromAscii(xsampa))), ipa) << xsampa;
            ++checked;
        }
    }
    EXPECT_GT(checked, 150);
}

TEST(XsampaToIpa, LongestMatchAndWhatStays) {
    const struct {
        std::u16string_view xsampa;
        std::u16string_view ipa;
    } cases[] = {
        {u"t_h", u"tʰ"},
        {u"r\\`", u"ɻ"},
        {u"\"", u"ˈ"},
        {u"%", u"ˌ"},
        {u"n_0", u"n\u0325"},
        {u"D@ \"k{t", u"ðə ˈkæt"},
        {u"\"tS{t", u"ˈtʃæt"},
        {u"G\\_<", u"ʛ"},
        {u"|\\|\\a", u"ǁa"},
        {u"ɣ 123 , ;", u"ɣ ɨøɜ , ;"},
        {u"", u""},
        // `_<` and `_>` after any letter, and after the marks on it
        {u"b_0_<", u"ɓ\u0325"},
        {u"d`_<", u"ᶑ"},
        {u"p_<", u"ɓ\u0325"},
        {u"k_<a", u"ɠ\u030Aa"},
        {u"d_d_<", u"ɗ\u032A"},
        {u"s_<", u"s_<"},
        {u"_<", u"_<"},
        {u"t_w_>", u"tʷʼ"},
        {u"x_>", u"xʼ"},
        {u"t_S", u"t\u0361ʃ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUtf8(xsampaToIpa(c.xsampa)), toUtf8(c.ipa)) << toUtf8(c.xsampa);
    }
}

TEST(XsampaCommand, ArgumentsOrStandardInput) {
    const struct {
        std::vector<const char*> argv;
        std::string_view input;
        int status;
        std::string_view out;
        std::string_view err;
    } cases[] = {
        {{"korvani", "--xsampa", "D@", "\"k{t"}, "", 0, "ðə ˈkæt\n", ""},
        {{"korvani", "--xsampa"}, "D@\nt_h\n", 0, "ðə\ntʰ\n", ""},
        {{"korvani", "--xsampa", "-"}, "S\r\n", 0, "ʃ\r\n", ""},
        {{"korvani", "--xsampa"},
         "t_h\n\xFF",
         1,
         "tʰ\n",
         "korvani: the input is not UTF-8 at byte offset 4\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        test::TempFile in(c.input);
        test::TempFile out;
        test::TempFile err;
        ASSERT_TRUE(isXsampaCommand(static_cast<int>(c.argv.size()), c.argv.data()));
        EXPECT_EQ(runXsampaCommand(static_cast<int>(c.argv.size()), c.argv.data(), in.get(),
                                   out.get(), err.get()),
                  c.status);
        EXPECT_EQ(out.text(), c.out);
        EXPECT_EQ(err.text(), c.err);
    }
    const char* const other[] = {"korvani", "--show"};
    EXPECT_FALSE(isXsampaCommand(2, other));
    EXPECT_FALSE(isXsampaCommand(1, other));
}

} // namespace
} // namespace korv
