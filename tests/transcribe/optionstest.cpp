// SPDX-License-Identifier: GPL-3.0-or-later
// The accent and the symbol options kept in KORVANI.INI: read with defaults for anything missing
// or malformed, written in the options section, and a failed write reported.

#include "settings/settings.h"
#include "transcribeoptions.h"

#include <gtest/gtest.h>

#include <map>

namespace korv {
namespace {

// An INI in memory that records every write and can refuse them after a number of writes.
class MemoryIni final : public IniAccess {
public:
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const override {
        const auto found = m_values.find({std::string(section), std::string(key)});
        return found == m_values.end() ? std::string(def) : found->second;
    }
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        if (m_writesLeft == 0) {
            return false;
        }
        --m_writesLeft;
        m_values[{std::string(section), std::string(key)}] = value;
        return true;
    }
    bool eraseSection(std::string_view) override { return false; }

    std::map<std::pair<std::string, std::string>, std::string> m_values;
    int m_writesLeft = 1000;
};

TEST(TranscribeOptions, ReadWithDefaults) {
    const struct {
        std::map<std::string, std::string> file;
        TranscribeOptions expected;
    } cases[] = {
        {{}, {Accent::Rp, false, false}},
        {{{"Accent", "ga"}}, {Accent::Ga, false, false}},
        {{{"Accent", " GA "}}, {Accent::Ga, false, false}},
        {{{"Accent", "rp"}, {"TranscribeTurnedR", "1"}}, {Accent::Rp, true, false}},
        {{{"Accent", "us"}, {"TranscribeTieBars", "1"}}, {Accent::Rp, false, true}},
        {{{"TranscribeTurnedR", "yes"}, {"TranscribeTieBars", "0"}}, {Accent::Rp, false, false}},
    };
    for (const auto& c : cases) {
        MemoryIni ini;
        for (const auto& [key, value] : c.file) {
            ini.m_values[{"Korvani", key}] = value;
        }
        EXPECT_EQ(loadTranscribeOptions(ini), c.expected) << c.file.size();
    }
    // Only the options section counts.
    MemoryIni elsewhere;
    elsewhere.m_values[{"Position", "Accent"}] = "ga";
    EXPECT_EQ(loadTranscribeOptions(elsewhere).accent, Accent::Rp);
}

TEST(TranscribeOptions, WrittenAndReadBack) {
    for (const TranscribeOptions options :
         {TranscribeOptions{Accent::Ga, true, false}, TranscribeOptions{Accent::Rp, false, true}}) {
        MemoryIni ini;
        ASSERT_TRUE(saveTranscribeOptions(ini, options));
        EXPECT_EQ(ini.m_values.size(), 3u);
        EXPECT_EQ(ini.readString(kOptionsSection, kAccentKey, ""),
                  options.accent == Accent::Ga ? "ga" : "rp");
        EXPECT_EQ(loadTranscribeOptions(ini), options);
    }
}

TEST(TranscribeOptions, AFailedWriteStopsAndIsReported) {
    for (int allowed = 0; allowed < 3; ++allowed) {
        MemoryIni ini;
        ini.m_writesLeft = allowed;
        EXPECT_FALSE(saveTranscribeOptions(ini, {Accent::Ga, true, true}));
        EXPECT_EQ(ini.m_values.size(), static_cast<std::size_t>(allowed));
    }
}

} // namespace
} // namespace korv
