#!/usr/bin/env bash
# Types a speed into the running program: after "0.8" replaces the text of the
# speed field, the red frame's time axis stands at the new tilt (4 pixels
# across for every 3 up, where 0.6 gave 3 across for 4 up) and the speed
# slider has moved. Then edits the field through the Edit menu opened from
# the keyboard (Alt+E and a letter, or arrows and Enter): each command acts on
# the field's selection, as the typed speed that results shows.
#
#   speed.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: speed.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: speed.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

speed_field=(762 107 80 22)
speed_slider=(719 138 131 16)

# red_time_axis SHOT ACROSS UP [OLD_ACROSS OLD_UP]: the red time axis rises
# from the origin by UP pixels for every ACROSS pixels to the right (checked
# from 40 to 240 pixels above the origin); where it rose with the old slope,
# nothing is red any more.
red_time_axis() {
  local shot=$1 across=$2 up=$3 old_across=${4:-} old_up=${5:-} now old=0
  # shellcheck disable=SC2046
  now=$(e2e_line_coverage "$shot" red \
    $(at $((origin_x + 40 * across / up)) $((origin_y - 40))) \
    $(at $((origin_x + 240 * across / up)) $((origin_y - 240))))
  if [[ -n $old_up ]]; then
    # shellcheck disable=SC2046
    old=$(e2e_line_coverage "$shot" red \
      $(at $((origin_x + 40 * old_across / old_up)) $((origin_y - 40))) \
      $(at $((origin_x + 240 * old_across / old_up)) $((origin_y - 240))))
  fi
  echo "red time axis at $across across for $up up: $now%${old_up:+; at the old slope still $old%}" >&2
  ((now >= 90 && old <= 10))
}

e2e_begin speed "$binary" "$artifacts"
shots=$artifacts/speed
mkdir -p "$shots"

e2e_poll_shot "$shots/start.png" 10 "${canvas[*]}" red_time_axis 3 4 ||
  e2e_fail "the red time axis does not stand at the tilt of speed 0.6 (see $shots/start.png)"
e2e_log "the red time axis starts at the tilt of speed 0.6"

# Three clicks select the field's whole text; typing replaces it key by key.
e2e_click $((speed_field[0] + speed_field[2] / 2)) $((speed_field[1] + speed_field[3] / 2)) 3
sleep 0.2
e2e_type "0.8"

e2e_poll_shot "$shots/typed.png" 15 "${canvas[*]}" red_time_axis 4 3 3 4 ||
  e2e_fail "after typing 0.8 the red time axis is not at the tilt of 0.8 (see $shots/typed.png)"
e2e_log "after typing 0.8 the red time axis stands at its new tilt"

moved=$(e2e_region_diff "$shots/start.png" "$shots/typed.png" "${speed_slider[@]}")
((moved > 0)) || e2e_fail "the speed slider did not move after typing 0.8 (see $shots/typed.png)"
e2e_log "the speed slider moved with the typed speed"

# at_rest SHOT: speed 0, no red axis leans to the right at any slope above.
at_rest() {
  local shot=$1 slope leaning=0
  for slope in "3 4" "4 3"; do
    # shellcheck disable=SC2086
    red_time_axis "$shot" $slope 2>/dev/null && leaning=1
  done
  echo "speed 0: the red time axis $( ((leaning)) && echo "still leans" || echo "stands upright")" >&2
  ((leaning == 0))
}

# edit STEP CHECK [ARGS...] -- KEYS...: presses KEYS in the speed field, then
# waits until CHECK holds for the diagram.
edit() {
  local step=$1 check=() keys=()
  shift
  while [[ $1 != -- ]]; do check+=("$1"); shift; done
  shift
  keys=("$@")
  e2e_x xdotool key --delay 150 "${keys[@]}"
  e2e_poll_shot "$shots/$step.png" 10 "${canvas[*]}" "${check[@]}" ||
    e2e_fail "the Edit menu's $step from the keyboard did not act on the speed field (see $shots/$step.png)"
  e2e_log "Edit > $step from the keyboard acted on the field's selection"
}

e2e_click $((speed_field[0] + speed_field[2] / 2)) $((speed_field[1] + speed_field[3] / 2)) 3
e2e_type "0.6"
edit cut at_rest -- End shift+Left alt+e t                 # "0.6" -> "0."
edit paste red_time_axis 3 4 -- alt+e p                    # -> "0.6"
edit delete at_rest -- shift+Left alt+e d                  # -> "0."
edit undo red_time_axis 3 4 -- alt+e u                     # -> "0.6"
edit copy at_rest -- Home shift+Right alt+e c End shift+Left alt+e p   # "0" over "6": "0.0"
edit select-all red_time_axis 3 4 -- alt+e a 0 period 6    # "0.0" replaced by "0.6"
edit arrows at_rest -- shift+Left alt+e Down Return        # Undo, then Cut: "0."

e2e_finish speed
