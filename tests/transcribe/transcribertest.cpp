// SPDX-License-Identifier: GPL-3.0-or-later
// The transcriber over a fake engine: loaded at first use only, words found and transcribed
// while everything else stays, alternatives from the table of forms, the user's options.

#include "transcriber.h"
#include "fakeengine.h"
#include "text/utf16.h"
#include "wordforms.h"

#include <gtest/gtest.h>

#include <set>

namespace korv {
namespace {

using test::EngineLog;
using test::fakeEngineFactory;
using test::kFakeWords;

TEST(Transcriber, LoadsTheEngineAtFirstUseOnly) {
    auto log = std::make_shared<EngineLog>();
    Transcriber transcriber(fakeEngineFactory(log, kFakeWords));
    EXPECT_EQ(log->made, 0);
    EXPECT_FALSE(transcriber.engineLoaded());
    ASSERT_TRUE(transcriber.transcribe(u"hello", {}));
    ASSERT_TRUE(transcriber.transcribe(u"world", {}));
    EXPECT_EQ(log->made, 1);
    EXPECT_TRUE(transcriber.engineLoaded());
}

TEST(Transcriber, AnEngineThatCannotLoadIsTriedOnce) {
    auto log = std::make_shared<EngineLog>();
    Transcriber transcriber(fakeEngineFactory(log, kFakeWords, true));
    EXPECT_FALSE(transcriber.transcribe(u"hello", {}));
    EXPECT_FALSE(transcriber.transcribe(u"hello", {}));
    EXPECT_EQ(log->made, 1);
}

TEST(Transcriber, KeepsBlanksPunctuationAndIpa) {
    const struct {
        const char16_t* text;
        TranscribeOptions options;
        const char* expected;
    } cases[] = {
        {u"Hello, ˈkæt world!", {}, "həˈləʊ, ˈkæt wɜːld!"},
        {u"HELLO  world\u2026", {Accent::Ga}, "həˈloʊ  wɝld\u2026"},
        {u"Don\u2019t butter", {Accent::Ga}, "doʊnt ˈbʌtɚ"},
        {u"church-red", {Accent::Rp, true, true}, "t͡ʃɜːt͡ʃ-ɹed"},
        // A word the engine cannot say stays as it was written.
        {u"hello xyzzy", {}, "həˈləʊ xyzzy"},
        {u"", {}, ""},
    };
    for (const auto& c : cases) {
        auto log = std::make_shared<EngineLog>();
        Transcriber transcriber(fakeEngineFactory(log, kFakeWords));
        const auto result = transcriber.transcribe(c.text, c.options);
        ASSERT_TRUE(result);
        EXPECT_EQ(toUtf8(result->text), c.expected);
        // Every word is where the result says, and is asked for in lower case.
        for (const TranscribedWord& word : result->words) {
            ASSERT_LE(word.start + word.length, result->text.size());
        }
        for (const std::string& asked : log->words) {
            EXPECT_EQ(asked.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ\xE2"), std::string::npos)
                << asked;
        }
    }
}

TEST(Transcriber, AlternativesMostCommonFirst) {
    auto log = std::make_shared<EngineLog>();
    Transcriber transcriber(fakeEngineFactory(log, kFakeWords));
    const auto result = transcriber.transcribe(u"Record the world", {Accent::Ga, true});
    ASSERT_TRUE(result);
    EXPECT_EQ(toUtf8(result->text), "ˈɹɛkɚd ðə wɝld");
    ASSERT_EQ(result->words.size(), 3u);
    const TranscribedWord& record = result->words[0];
    EXPECT_EQ(toUtf8(result->text.substr(record.start, record.length)), "ˈɹɛkɚd");
    ASSERT_EQ(record.alternatives.size(), 2u);
    EXPECT_EQ(record.alternatives[0], (WordAlternative{u"ˈɹɛkɚd", "noun"}));
    EXPECT_EQ(record.alternatives[1], (WordAlternative{u"ɹɪˈkɔɹd", "verb"}));
    // America has one form for "the" strong and before a vowel: it is offered once.
    const TranscribedWord& the = result->words[1];
    EXPECT_EQ(toUtf8(result->text.substr(the.start, the.length)), "ðə");
    EXPECT_EQ(the.alternatives.size(), 2u);
    EXPECT_TRUE(result->words[2].alternatives.empty());
    // Words with forms of their own are not asked of the engine.
    EXPECT_EQ(log->words, std::vector<std::string>{"world"});
}

TEST(WordForms, SortedCompleteAndInEachAccentsConventions) {
    const auto forms = allWordForms();
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const WordForm& form = forms[i];
        SCOPED_TRACE(std::string(form.word) + " " + std::string(form.label));
        if (i > 0) {
            EXPECT_LE(forms[i - 1].word, form.word);
        }
        EXPECT_TRUE(seen.insert({form.word, form.label}).second);
        EXPECT_FALSE(form.rp.empty());
        EXPECT_FALSE(form.ga.empty());
        // America has no length marks and no British vowels.
        for (std::string_view british : {"ː", "ɒ", "əʊ", "ɜ", "eə", "ɪə"}) {
            EXPECT_EQ(form.ga.find(british), std::string_view::npos) << british;
        }
        for (std::string_view american : {"ɛ", "ɝ", "ɚ", "oʊ"}) {
            EXPECT_EQ(form.rp.find(american), std::string_view::npos) << american;
        }
        EXPECT_EQ(wordForms(form.word).front().word, form.word);
        EXPECT_GE(wordForms(form.word).size(), 2u);
    }
    EXPECT_TRUE(wordForms("cat").empty());
}

} // namespace
} // namespace korv
