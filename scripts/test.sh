#!/usr/bin/env bash
# Builds everything (RelWithDebInfo, in build/) and runs every test: the unit
# tests of each layer and the real-display tests under Xvfb.
# Exits non-zero when the build or any test fails, or when no test ran.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build

bash "$repo/scripts/deps.sh" test

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRANE_TESTS=ON -DKESTRANE_BENCH=ON
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j8
