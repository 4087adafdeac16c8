// SPDX-License-Identifier: GPL-3.0-or-later
// The core's share of a Copy and of the start: re-coding for the legacy font, the two rich-text
// writers, reading the seven settings from a large hand-edited file and writing the start-up log;
// and the symbol search, run at every keystroke in the search field.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ipasearch.h"
#include "legacycode.h"
#include "richtext.h"
#include "settings/inifile.h"
#include "settings/settings.h"
#include "transcription.h"

namespace {

using korv::bench::transcription;

void BM_LegacyConversion(benchmark::State& state) {
    const std::u16string text = transcription(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(korv::ConvertUnicodeToKorvaniString(text, false));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LegacyConversion)->Arg(20)->Arg(30000);

void BM_BuildRtfUnicode(benchmark::State& state) {
    const std::u16string text = transcription(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(korv::buildRtf(text, korv::UnicodeFontFace, 16));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildRtfUnicode)->Arg(20)->Arg(30000);

void BM_BuildRtfLegacy(benchmark::State& state) {
    const std::u16string text = korv::ConvertUnicodeToKorvaniString(
        transcription(static_cast<std::size_t>(state.range(0))), false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(korv::buildRtf(text, korv::KorvaniFontFace, 16));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildRtfLegacy)->Arg(20)->Arg(30000);

void BM_BuildHtml(benchmark::State& state) {
    const std::u16string text = transcription(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(korv::buildHtml(text, korv::UnicodeFontFace, 16));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildHtml)->Arg(20)->Arg(30000);

// A settings file as people leave them after years of editing: comments, blank lines, sections
// of other programs, odd spacing and case, stale duplicates, CRLF line ends; the program's own
// keys are spread over it and its own sections come late. Exactly `lines` lines.
std::string handEditedIni(int lines) {
    std::mt19937 random(8); // fixed: every run reads the same file
    std::string text;
    int written = 0;
    auto line = [&](const std::string& content) {
        text += content;
        text += "\r\n";
        ++written;
    };
    const int ownAt = lines * 3 / 4;
    for (int section = 0; written < ownAt - 2; ++section) {
        line("");
        line("[Plugin" + std::to_string(section) + "]");
        line("; settings of plug-in " + std::to_string(section) + ", edited by hand");
        for (int key = 0; key < 20 && written < ownAt - 2; ++key) {
            const auto value = std::to_string(random() % 100000);
            switch (random() % 4) {
            case 0:
                line("Key" + std::to_string(key) + "=" + value);
                break;
            case 1:
                line("  key" + std::to_string(key) + "   =  " + value + "  ");
                break;
            case 2:
                line("# Key" + std::to_string(key) + "=" + value);
                break;
            default:
                line("Path" + std::to_string(key) + "=\"C:\\Program Files\\Tool\\" + value + "\"");
                break;
            }
        }
    }
    line("");
    line("[korvani]");
    line("  AutoPaste = 0");
    line("ShowHints=1");
    line("useunicodefont=1");
    line("Homepage=https://example.org/ipa/");
    line("FontSize=$8");
    line("; position last saved by hand");
    line("[Position]");
    line("Left=  120");
    line("Top=80");
    while (written < lines) {
        line(written % 3 == 0 ? "" : "; trailing note " + std::to_string(written));
    }
    return text;
}

void BM_LoadSettings(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("korv-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "KORVANI.INI").string();
    std::ofstream(path, std::ios::binary) << handEditedIni(static_cast<int>(state.range(0)));
    const korv::IniFile ini(path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(korv::loadSettings(ini, true));
    }
    const korv::Settings check = korv::loadSettings(ini, true);
    if (check.autoPaste || check.fontSize != 8 || check.left != 120) {
        state.SkipWithError("the settings file was not read as written");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadSettings)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The start-up log written at every start, over the log an earlier start left: the file work the
// first picture waits for.
void BM_StartupLog(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("korv-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    korv::IniFile log((folder / "KORVANI.LOG").string(), korv::IniFile::Durability::Unsynced,
                      korv::IniFile::Unusable::StartAfresh);
    for (auto _ : state) {
        if (!korv::writeStartupLog(log)) {
            state.SkipWithError("the start-up log was not written");
            break;
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StartupLog)->Unit(benchmark::kMicrosecond);

// Every keystroke of typing a query, each prefix a new search over the whole table; the time per
// item is the time per keystroke. Besides the chart's words: a synonym ("stop" for "plosive"), a
// slip that only the near-miss pass finds, a letter name and a code point.
void BM_SymbolSearchKeystroke(benchmark::State& state, std::u16string_view query) {
    for (auto _ : state) {
        for (std::size_t length = 1; length <= query.size(); ++length) {
            benchmark::DoNotOptimize(korv::searchSymbols(query.substr(0, length)));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(query.size()));
}
BENCHMARK_CAPTURE(BM_SymbolSearchKeystroke, description, u"voiced retroflex lateral fricative")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolSearchKeystroke, synonyms, u"high front rounded glide stop")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolSearchKeystroke, typos, u"voiced alveolar laterl fricitive")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolSearchKeystroke, letterName, u"engma")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolSearchKeystroke, codePoint, u"U+0283")->Unit(benchmark::kMicrosecond);

// The explanation a tooltip asks for, for every result of a query.
void BM_WhyFound(benchmark::State& state) {
    const std::u16string query = u"voiced alveolar fricitive";
    const auto results = korv::searchSymbols(query);
    for (auto _ : state) {
        for (const std::size_t result : results) {
            benchmark::DoNotOptimize(korv::whyFound(query, result));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(results.size()));
}
BENCHMARK(BM_WhyFound)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
