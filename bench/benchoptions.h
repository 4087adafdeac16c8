// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace korv::bench {

// The command line of the in-process benchmarks: [--runs N] [--strict].
struct BenchOptions {
    int runs = 1;
    bool strict = false;
};

// Anything else on the command line prints the usage and gives nothing.
inline std::optional<BenchOptions> benchOptions(int argc, char** argv, const char* name, int runs) {
    BenchOptions options{runs, false};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--strict") {
            options.strict = true;
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--strict]\n", name);
            return std::nullopt;
        }
    }
    return options;
}

// The offscreen platform, unless another is asked for, with a runtime folder of its own for as
// long as this lives; made before the QApplication.
class OffscreenSession final {
public:
    OffscreenSession() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit().constData(), 0);
    }

private:
    QTemporaryDir m_runtime;
};

} // namespace korv::bench
