// SPDX-License-Identifier: GPL-3.0-or-later
// The share of the reference list that espeak-ng, through the conventions, transcribes exactly,
// in each accent. Prints every miss so that a change in the mapping can be judged word by word.

#include "espeakengine.h"
#include "phonemes.h"
#include "text/utf16.h"
#include "transcriber.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace korv {
namespace {

struct Entry {
    std::string word;
    std::string rp;
    std::string ga;
};

std::vector<Entry> readReference() {
    std::ifstream file(KORV_TRANSCRIBE_REFERENCE);
    std::vector<Entry> entries;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::istringstream fields(line);
        Entry entry;
        std::getline(fields, entry.word, '\t');
        std::getline(fields, entry.rp, '\t');
        std::getline(fields, entry.ga, '\t');
        entries.push_back(entry);
    }
    return entries;
}

constexpr double kRequiredShare = 0.90;

class QualityTest : public ::testing::TestWithParam<Accent> {};

TEST_P(QualityTest, TranscribesTheReferenceList) {
    const std::vector<Entry> reference = readReference();
    ASSERT_GE(reference.size(), 300u);
    const Accent accent = GetParam();
    Transcriber transcriber(&EspeakEngine::load);
    std::size_t exact = 0;
    std::ostringstream misses;
    for (const Entry& entry : reference) {
        const auto result = transcriber.transcribe(fromUtf8(entry.word), {accent});
        ASSERT_TRUE(result.has_value()) << "espeak-ng could not be loaded";
        const std::u16string& expected = fromUtf8(accent == Accent::Ga ? entry.ga : entry.rp);
        if (result->text == expected) {
            ++exact;
        } else {
            misses << "  " << entry.word << ": " << toUtf8(result->text) << " (reference "
                   << toUtf8(expected) << ")\n";
        }
    }
    const double share = static_cast<double>(exact) / static_cast<double>(reference.size());
    std::cout << (accent == Accent::Ga ? "GA" : "RP") << ": " << exact << " of " << reference.size()
              << " exact (" << static_cast<int>(share * 1000 + 0.5) / 10.0 << " %)\n"
              << misses.str();
    EXPECT_GE(share, kRequiredShare);
}

// Every phoneme name espeak-ng gives for the list is one the mapping knows.
TEST_P(QualityTest, KnowsEveryPhonemeName) {
    auto engine = EspeakEngine::load();
    ASSERT_NE(engine, nullptr);
    std::vector<std::string> unknown;
    for (const Entry& entry : readReference()) {
        segmentsFromMnemonics(engine->mnemonics(entry.word, GetParam()), GetParam(), &unknown);
    }
    EXPECT_EQ(unknown, std::vector<std::string>());
}

// espeak-ng's state is the process's: a second engine is refused while one lives, and one made
// after it works (an engine that terminated the library used to hang its successor).
TEST(EspeakEngine, OneAtATimeAndAgainAfterwards) {
    for (int round = 0; round < 3; ++round) {
        auto engine = EspeakEngine::load();
        ASSERT_NE(engine, nullptr) << round;
        EXPECT_EQ(EspeakEngine::load(), nullptr);
        EXPECT_EQ(engine->mnemonics("cat", round % 2 == 0 ? Accent::Rp : Accent::Ga), "k|'a|t");
    }
}

INSTANTIATE_TEST_SUITE_P(Accents, QualityTest, ::testing::Values(Accent::Rp, Accent::Ga),
                         [](const auto& info) { return info.param == Accent::Ga ? "GA" : "RP"; });

} // namespace
} // namespace korv
