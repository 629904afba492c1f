#!/usr/bin/env bash
# Builds Kestrane Diagram (Release, in build/) and starts it.
#
# On a desktop (DISPLAY or WAYLAND_DISPLAY set) the program simply runs.
# Without a display it runs on a private Xvfb server instead: the script waits
# for the main window, saves a screenshot of it to build/screenshots/kestrane.png,
# prints that path and closes the program again.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  bash "$repo/scripts/deps.sh" build
else
  bash "$repo/scripts/deps.sh" build display
fi

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTRANE_TESTS=OFF -DKESTRANE_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target kestrane
binary=$build/bin/kestrane

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec "$binary"
fi

echo "No display found: running Kestrane Diagram on a virtual X server."
source "$repo/tests/e2e/lib.sh"

fail() {
  echo "run.sh: $*" >&2
  exit 1
}

e2e_start_xvfb || fail "could not start Xvfb"
shots=$build/screenshots
mkdir -p "$shots"
log=$shots/kestrane.log
e2e_start_app "$binary" "$log"
if ! e2e_wait_window "Kestrane Diagram" 30; then
  cat "$log" >&2
  fail "the program did not open its main window (its output is in $log)"
fi

shot=$shots/kestrane.png
e2e_screenshot "$shot" || fail "could not take a screenshot of the main window"
echo "$shot"

if ! e2e_quit_app 5; then
  fail "the program did not end within 5 s of Ctrl+Q and was killed"
fi
if [[ $E2E_APP_STATUS -ne 0 ]]; then
  cat "$log" >&2
  fail "the program ended with status $E2E_APP_STATUS"
fi
