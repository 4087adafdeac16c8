// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the fuzz target without libFuzzer: over the seed corpus and then a fixed series of
// mutations of it, so that an ordinary build checks the same invariants on every test run.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [MUTATIONS]\n", argv[0]);
        return 2;
    }
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        run(seeds.back());
    }
    if (seeds.empty()) {
        std::fprintf(stderr, "no seeds in %s\n", argv[1]);
        return 2;
    }
    const long mutations = argc > 2 ? std::stol(argv[2]) : 3000;
    std::mt19937 rng(20211230);
    const char interesting[] = "[]=;\"' \t\r\n\0xK";
    for (long i = 0; i < mutations; ++i) {
        std::string input = seeds[rng() % seeds.size()];
        for (unsigned edits = 1 + rng() % 6; edits > 0; --edits) {
            const std::size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
            const char c = rng() % 2 ? interesting[rng() % (sizeof interesting - 1)]
                                     : static_cast<char>(rng());
            switch (rng() % 3) {
            case 0:
                input.insert(at, 1, c);
                break;
            case 1:
                if (at < input.size()) {
                    input[at] = c;
                }
                break;
            default:
                if (at < input.size()) {
                    input.erase(at, 1 + rng() % 8);
                }
                break;
            }
        }
        run(input);
    }
    std::printf("%zu seeds, %ld mutations: invariants held\n", seeds.size(), mutations);
    return 0;
}
