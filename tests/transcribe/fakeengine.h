// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transcriber.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace korv::test {

// What the fake engines were asked, shared with the test after the transcriber owns them.
struct EngineLog {
    int made = 0;
    std::vector<std::string> words;
};

// Answers from a fixed table of mnemonics, the same in both accents, and records each word.
class FakeEngine final : public PhonemeEngine {
public:
    FakeEngine(std::shared_ptr<EngineLog> log, std::map<std::string, std::string> table)
        : m_log(std::move(log))
        , m_table(std::move(table)) {}
    std::string mnemonics(std::string_view word, Accent) override {
        m_log->words.emplace_back(word);
        const auto found = m_table.find(std::string(word));
        return found == m_table.end() ? std::string() : found->second;
    }

private:
    std::shared_ptr<EngineLog> m_log;
    std::map<std::string, std::string> m_table;
};

// A factory for FakeEngine that counts the engines it makes, or makes none when `fails`.
inline PhonemeEngineFactory fakeEngineFactory(std::shared_ptr<EngineLog> log,
                                              std::map<std::string, std::string> table,
                                              bool fails = false) {
    return [log, table, fails]() -> std::unique_ptr<PhonemeEngine> {
        ++log->made;
        if (fails) {
            return nullptr;
        }
        return std::make_unique<FakeEngine>(log, table);
    };
}

inline const std::map<std::string, std::string> kFakeWords = {
    {"hello", "h|@|l|'oU"},  {"world", "w|'3:|l|d"}, {"butter", "b|'V|t#|3"},
    {"church", "tS|'3:|tS"}, {"don't", "d|'oU|n|t"}, {"red", "r|'E|d"},
};

} // namespace korv::test
