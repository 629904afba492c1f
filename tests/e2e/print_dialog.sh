#!/usr/bin/env bash
# Ctrl+P in the running program, pressed in the middle of dragging the
# origin, opens a print dialog in a window of its own; Escape cancels it: the
# dialog goes, nothing is printed to a file, the drag it interrupted is over
# (the next press away from the origin picks a point and drags nothing), and
# the program keeps running until Ctrl+Q ends it with status 0.
#
#   print_dialog.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: print_dialog.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: print_dialog.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# A home of its own, so that a print to a file would land where we look.
home=$E2E_TMP/home
mkdir -p "$home"

# Prints the ids of the visible windows whose name contains "Print".
print_windows() {
  e2e_x xdotool search --onlyvisible --name 'Print' 2>/dev/null || true
}

e2e_begin print_dialog "$binary" "$artifacts" HOME="$home"
shots=$artifacts/print_dialog
mkdir -p "$shots"
e2e_settled_shot "$shots/start.png" 10 || e2e_fail "the window does not settle after start-up"

# Grab the origin and drag it to (250, 350); Ctrl+P with the button still down.
# shellcheck disable=SC2046
e2e_pointer_to $(at "$origin_x" "$origin_y")
e2e_x xdotool mousedown 1
# shellcheck disable=SC2046
e2e_pointer_to $(at 275 375)
# shellcheck disable=SC2046
e2e_pointer_to $(at 250 350)
e2e_poll_shot "$shots/dragging.png" 15 "${canvas[*]}" axes_at 250 350 300 ||
  e2e_fail "the origin did not follow the drag to (250, 350) (see $shots/dragging.png)"
e2e_focus
e2e_x xdotool key ctrl+p
dialog=$(timeout 20 env DISPLAY="$E2E_DISPLAY" xdotool search --sync --onlyvisible --name 'Print' 2>/dev/null |
  head -n 1) || true
if [[ -z $dialog ]]; then
  e2e_app_running || e2e_fail "the program ended after Ctrl+P"
  e2e_fail "no window named \"Print\" appeared within 20 s of Ctrl+P"
fi
[[ $dialog != "$E2E_WINDOW" ]] || e2e_fail "Ctrl+P renamed the main window instead of opening a dialog"
name=$(e2e_x xdotool getwindowname "$dialog" 2>/dev/null) || name="?"
e2e_log "Ctrl+P opened the window \"$name\" ($dialog)"
e2e_x import -window "$dialog" "$shots/dialog.png" 2>/dev/null || true

e2e_focus "$dialog"
e2e_x xdotool key --clearmodifiers Escape
deadline=$((SECONDS + 10))
while [[ -n $(print_windows) ]] && ((SECONDS < deadline)); do
  sleep 0.2
done
[[ -z $(print_windows) ]] || e2e_fail "the print dialog was still open 10 s after Escape"
e2e_log "Escape closed the print dialog"
e2e_x xdotool mouseup 1

sleep 0.5
e2e_app_running || {
  cat "$E2E_LOG" >&2
  e2e_fail "the program ended when the print dialog was cancelled"
}
e2e_x xdotool search --onlyvisible --name "^${E2E_MAIN_TITLE}\$" >/dev/null 2>&1 ||
  e2e_fail "the main window is gone after the print dialog was cancelled"
printed=$(find "$home" -iname '*.pdf' -o -iname '*.ps' | head -n 1)
[[ -z $printed ]] || e2e_fail "a cancelled print dialog still printed to $printed"
e2e_log "the program keeps running and printed nothing"

# The dialog took the drag's release; the drag ended all the same, so a press
# that picks a meeting point followed by a drag leaves the origin alone.
# shellcheck disable=SC2046
e2e_drag 5 $(at 444 256) $(at 380 200)
e2e_poll_shot "$shots/after.png" 15 "${canvas[*]}" axes_at 250 350 380 ||
  e2e_fail "a drag from a meeting point after the dialog moved the origin (see $shots/after.png)"
e2e_log "after the dialog a press away from the origin drags nothing"

e2e_finish print_dialog
