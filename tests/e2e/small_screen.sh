#!/usr/bin/env bash
# On a 1366x768 screen under a window manager, the main window with its frame
# lies within the screen, and Shift+Tab brings Quit at the bottom into view,
# where a click ends the program with status 0.
#
#   small_screen.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: small_screen.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: small_screen.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[[ -x $binary ]] || e2e_fail "no program at $binary"
missing=$(e2e_missing_tools Xvfb openbox xdotool xwininfo xprop import identify) ||
  e2e_skip "missing tools: $missing (scripts/deps.sh display installs them)"
mkdir -p "$artifacts"
e2e_start_xvfb 1366x768 || e2e_skip "Xvfb cannot start here"
e2e_start_wm || e2e_fail "openbox does not manage the screen"
log=$artifacts/small_screen.log
e2e_start_app "$binary" "$log"
e2e_wait_window "$E2E_MAIN_TITLE" 60 || { cat "$log" >&2; e2e_fail "the main window did not appear"; }

# Sets x y w h of the window; prints LEFT TOP RIGHT BOTTOM of it with its frame.
frame() {
  local l r t b
  read -r x y w h < <(e2e_x xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF } /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print x, y, w, h }')
  read -r l r t b < <(e2e_x xprop -id "$E2E_WINDOW" _NET_FRAME_EXTENTS | tr -d , | awk '{ print $3, $4, $5, $6 }')
  echo $((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))
}
deadline=$((SECONDS + 10))
until read -r left top right bottom < <(frame) && ((left >= 0 && top >= 0 && right <= 1366 && bottom <= 768)); do
  ((SECONDS < deadline)) || e2e_fail "the window's frame ($left, $top)-($right, $bottom) is not within the 1366x768 screen"
  sleep 0.2
done
e2e_log "the window's frame ($left, $top)-($right, $bottom) lies within the screen"

# Quit comes last in the tab order; in view, the client area's bottom row is the window's.
e2e_focus
e2e_x xdotool key --clearmodifiers shift+Tab
e2e_screenshot "$artifacts/small_screen.png" || true
frame >/dev/null
e2e_x xdotool mousemove --sync $((x + 821)) $((y + h - 813 + 775)) click 1
deadline=$((SECONDS + 10))
while e2e_app_running && ((SECONDS < deadline)); do sleep 0.1; done
e2e_app_running && e2e_fail "clicking where Quit shows after Shift+Tab did not end the program (see $artifacts/small_screen.png)"
e2e_reap_app
((E2E_APP_STATUS == 0)) || { cat "$log" >&2; e2e_fail "the program ended with status $E2E_APP_STATUS, expected 0"; }
echo "PASS: small_screen"
