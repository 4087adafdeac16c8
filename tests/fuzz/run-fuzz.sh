#!/usr/bin/env bash
# Builds the INI fuzzer with clang in its own build folder and runs it for a bounded time.
# Usage: tests/fuzz/run-fuzz.sh [SECONDS]   (default 30; BUILD_DIR overrides build-fuzz)
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${BUILD_DIR:-$root/build-fuzz}

cmake -S "$root" -B "$build" -DKORV_FUZZ=ON -DKORV_BENCH=OFF -DKORV_WERROR=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target korv_settings_fuzz -j2

# libFuzzer adds what it finds to the first folder; keep the checked-in seeds clean.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/fuzz/korv_settings_fuzz" -max_total_time="$seconds" -max_len=4096 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
    "$work" "$root/tests/fuzz/corpus"
