#!/usr/bin/env bash
# Clicks on the diagram of the running program: a press inside the small
# square around the origin picks nothing; a click away from it picks a meeting
# point, whose construction lines and letters appear around it and whose four
# readouts get their texts; a click just outside the square moves the point.
#
#   meeting.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: meeting.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: meeting.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The four readout fields, "x y w h" in client coordinates.
readouts=("406 647 99 22" "406 672 98 22" "406 697 98 22" "406 722 99 22")

e2e_begin meeting "$binary" "$artifacts"
shots=$artifacts/meeting
mkdir -p "$shots"

e2e_settled_shot "$shots/start.png" 10 || e2e_fail "the window does not settle after start-up"

# 7 pixels right of and above the origin is still on the origin: the press
# grabs it and picks nothing.
# shellcheck disable=SC2046
e2e_click $(at $((origin_x + 7)) $((origin_y - 7)))
sleep 0.7
e2e_settled_shot "$shots/grab.png" 10 || e2e_fail "the window does not settle after a press on the origin"
changed=$(e2e_region_diff "$shots/start.png" "$shots/grab.png" 0 0 "$E2E_CLIENT_WIDTH" "$E2E_CLIENT_HEIGHT")
((changed == 0)) || e2e_fail "a press 7 pixels from the origin changed $changed pixels (see $shots/grab.png)"
e2e_log "a press inside the origin's square picks no meeting point"

# A click at canvas (444, 256): 2 grid steps right of and above the origin.
mx=444 my=256
# With speed 0.6 the construction's point K is 57 pixels above the point.
ky=199
# shellcheck disable=SC2046
e2e_click $(at $mx $my)

construction_drawn() {
  local shot=$1 column row slant
  # shellcheck disable=SC2046
  column=$(e2e_line_coverage "$shot" black $(at $mx $((my + 2))) $(at $mx $((origin_y - 2))))
  # shellcheck disable=SC2046
  row=$(e2e_line_coverage "$shot" black $(at $((origin_x + 2)) $ky) $(at $((mx - 4)) $ky))
  # The red line from the point to the moving frame's space axis, at (323, 417).
  # shellcheck disable=SC2046
  slant=$(e2e_line_coverage "$shot" red $(at $((mx - 6)) $((my + 8))) $(at 329 409))
  echo "construction coverage: vertical $column%, level $row%, slanted $slant%" >&2
  ((column >= 95 && row >= 95 && slant >= 90))
}
e2e_poll_shot "$shots/picked.png" 15 "${canvas[*]}" construction_drawn ||
  e2e_fail "no construction lines at the picked point (see $shots/picked.png)"
e2e_log "the click drew the construction lines through the picked point"

# The letters: a red "P" just right of and above the point, a black "Q" above
# the point K.
# shellcheck disable=SC2046
red_letter=$(e2e_count_colour "$shots/picked.png" red $(at $((mx + 3)) $((my - 12))) 10 11)
# shellcheck disable=SC2046
black_letter=$(e2e_count_colour "$shots/picked.png" black $(at $((mx + 3)) $((ky - 12))) 10 11)
((red_letter >= 8)) || e2e_fail "no red letter beside the picked point ($red_letter red pixels)"
((black_letter >= 8)) || e2e_fail "no black letter beside the point above it ($black_letter black pixels)"
# shellcheck disable=SC2046
around=$(e2e_region_diff "$shots/start.png" "$shots/picked.png" $(at $((mx - 20)) $((my - 20))) 40 40)
((around >= 40)) || e2e_fail "only $around pixels changed around the picked point"
e2e_log "letters stand beside the picked point and above it"

for field in "${readouts[@]}"; do
  # shellcheck disable=SC2086
  changed=$(e2e_region_diff "$shots/start.png" "$shots/picked.png" $field)
  ((changed >= 20)) || e2e_fail "the readout field at ($field) still looks empty ($changed pixels changed)"
  # Out of the user's reach, but legible: dark text on white, not greyed out.
  # shellcheck disable=SC2086
  dark=$(e2e_count_colour "$shots/picked.png" black $field)
  # shellcheck disable=SC2086
  light=$(e2e_count_colour "$shots/picked.png" white $field)
  ((dark >= 15 && light >= 1000)) ||
    e2e_fail "the readout field at ($field) is not dark text on white ($dark dark, $light white pixels)"
done
e2e_log "the four readout fields show their values in black on white"

# 8 pixels right of the origin on its own row is outside the square: the click
# picks a new point there, and the construction at the old one goes.
# shellcheck disable=SC2046
e2e_click $(at $((origin_x + 8)) $origin_y)
construction_moved() {
  local column
  # shellcheck disable=SC2046
  column=$(e2e_line_coverage "$1" black $(at $mx $((my + 2))) $(at $mx $((origin_y - 2))))
  echo "the old vertical construction line still covers $column%" >&2
  ((column <= 20))
}
e2e_poll_shot "$shots/repicked.png" 15 "${canvas[*]}" construction_moved ||
  e2e_fail "a click 8 pixels right of the origin did not replace the meeting point (see $shots/repicked.png)"
e2e_log "a click 8 pixels from the origin picks a new meeting point"

e2e_finish meeting
