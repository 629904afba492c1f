#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/) and runs them offscreen:
# the diagram drawing, a white fill as the floor, one speed-slider step and
# the main window's start-up, then the worst-case/floor ratio and the peak
# memory after start-up.
#
#   scripts/bench.sh [Google Benchmark options, e.g. --benchmark_repetitions=5]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-bench

bash "$repo/scripts/deps.sh" test

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTRANE_TESTS=OFF -DKESTRANE_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target kestrane_bench
QT_QPA_PLATFORM=offscreen "$build/bin/kestrane_bench" --benchmark_color=false "$@" 2> >(grep -v -e 'does not support raise' -e XDG_RUNTIME_DIR >&2)
