#!/usr/bin/env bash
# Drags the diagram's origin in the running program with the mouse: the black
# axes follow the pointer; a pointer within 20 pixels of the canvas's edge
# leaves the origin at its last place inside, and the origin follows again
# once the pointer is back inside, all in one drag; other buttons clicked
# during a drag do not end it.
#
#   drag.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: drag.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: drag.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

e2e_begin drag "$binary" "$artifacts"
shots=$artifacts/drag
mkdir -p "$shots"

e2e_poll_shot "$shots/start.png" 10 "${canvas[*]}" axes_at 300 400 ||
  e2e_fail "the black axes are not where the origin starts (see $shots/start.png)"
e2e_log "the black axes cross at the origin's start, canvas (300, 400)"

# shellcheck disable=SC2046
e2e_drag 10 $(at 300 400) $(at 200 300)
e2e_poll_shot "$shots/dragged.png" 15 "${canvas[*]}" axes_at 200 300 300 ||
  e2e_fail "dragging the origin to (200, 300) did not move the black axes (see $shots/dragged.png)"
e2e_log "dragging from the origin moved the axes to (200, 300)"

# Past the left margin the origin stays at the last point inside.
# shellcheck disable=SC2046
e2e_drag 1 $(at 200 300) $(at 100 300) $(at 5 300)
e2e_poll_shot "$shots/margin.png" 15 "${canvas[*]}" axes_at 100 300 200 ||
  e2e_fail "after a drag past the left margin the origin is not at (100, 300) (see $shots/margin.png)"
e2e_log "a drag past the left margin left the origin at (100, 300)"

# Below the bottom margin nothing moves; back inside, the same drag goes on.
# shellcheck disable=SC2046
e2e_drag 1 $(at 100 300) $(at 100 545) $(at 150 250)
e2e_poll_shot "$shots/resumed.png" 15 "${canvas[*]}" axes_at 150 250 100 ||
  e2e_fail "the origin did not follow the pointer back from below the margin (see $shots/resumed.png)"
e2e_log "back inside the margin the origin followed the same drag to (150, 250)"

# The right and the middle button, pressed and released during a drag, change
# nothing: the origin follows the held left button to its own release.
# shellcheck disable=SC2046
e2e_pointer_to $(at 150 250)
e2e_x xdotool mousedown 1
# shellcheck disable=SC2046
e2e_pointer_to $(at 180 270)
e2e_x xdotool mousedown 3 mouseup 3 mousedown 2
# shellcheck disable=SC2046
e2e_pointer_to $(at 220 300)
e2e_x xdotool mouseup 2
# shellcheck disable=SC2046
e2e_pointer_to $(at 250 320)
e2e_x xdotool mouseup 1
e2e_poll_shot "$shots/buttons.png" 15 "${canvas[*]}" axes_at 250 320 150 ||
  e2e_fail "other buttons pressed during a drag stopped the origin short of (250, 320) (see $shots/buttons.png)"
e2e_log "right and middle clicks during a drag left it going to (250, 320)"

e2e_finish drag
