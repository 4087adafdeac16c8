#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the INI fuzzer with clang in its own build folder and runs it for a bounded time.
# Usage: tests/fuzz/run-fuzz.sh [SECONDS]   (default 30; BUILD_DIR overrides build-fuzz)
# Fails on any sanitizer report (undefined behaviour included) and while a crash file it wrote,
# now or in an earlier run, still crashes the target.
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${BUILD_DIR:-$root/build-fuzz}
artifacts=$build/fuzz-artifacts

cmake -S "$root" -B "$build" -DKORV_FUZZ=ON -DKORV_BENCH=OFF -DKORV_WERROR=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target korv_settings_fuzz -j2
fuzzer=$build/tests/fuzz/korv_settings_fuzz
mkdir -p "$artifacts"

# A report is a failure, never a line in the log to scroll past.
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}

# Crash files of earlier runs first: one that still crashes fails the run; a fixed one goes.
for old in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*; do
    [ -e "$old" ] || continue
    if "$fuzzer" -runs=1 "$old" >/dev/null 2>&1; then
        rm -f "$old"
    else
        echo "run-fuzz: $old still fails the target; reproduce with: $fuzzer $old" >&2
        exit 1
    fi
done

# libFuzzer adds what it finds to the first folder; keep the checked-in seeds clean.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
"$fuzzer" -max_total_time="$seconds" -max_len=4096 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work" "$root/tests/fuzz/corpus" || status=$?
found=$(find "$artifacts" -maxdepth 1 -type f | head -n 20)
if [ "$status" -ne 0 ] || [ -n "$found" ]; then
    echo "run-fuzz: the fuzzer failed (status $status); crash files:" >&2
    echo "${found:-none}" >&2
    exit 1
fi
