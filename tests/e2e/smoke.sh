#!/usr/bin/env bash
# The built program on a real X server: its main window appears at its fixed
# size, can be photographed, and Ctrl+Q ends the program cleanly.
#
#   smoke.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: smoke.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: smoke.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

title="Kestrane Diagram"
client_width=894
client_height=813

[[ -x $binary ]] || e2e_fail "no program at $binary"
if missing=$(e2e_missing_tools Xvfb xdotool xwininfo import identify); then :; else
  e2e_skip "missing tools: $missing (scripts/deps.sh display installs them)"
fi
mkdir -p "$artifacts"

e2e_start_xvfb || e2e_skip "Xvfb cannot start here"
e2e_log "Xvfb is running on $E2E_DISPLAY"

log=$artifacts/smoke.log
e2e_start_app "$binary" "$log"
if ! e2e_wait_window "$title" 60; then
  cat "$log" >&2
  e2e_fail "the main window did not appear"
fi
e2e_log "window \"$title\" is $E2E_WINDOW"

read -r width height < <(e2e_window_size) || e2e_fail "cannot read the window's geometry"
e2e_log "window geometry: ${width} x ${height} (the menu bar takes $((height - client_height)) of the height)"
[[ $width -eq $client_width ]] || e2e_fail "the window is $width pixels wide, expected $client_width"
[[ $height -ge $client_height ]] || e2e_fail "the window is $height pixels high, expected at least $client_height"

shot=$artifacts/smoke.png
e2e_screenshot "$shot" || e2e_fail "no usable screenshot"
e2e_log "screenshot: $shot"

if ! e2e_quit_app 5; then
  cat "$log" >&2
  e2e_fail "Ctrl+Q did not end the program within 5 s"
fi
if [[ $E2E_APP_STATUS -ne 0 ]]; then
  cat "$log" >&2
  e2e_fail "the program ended with status $E2E_APP_STATUS after Ctrl+Q, expected 0"
fi
e2e_log "Ctrl+Q ended the program with status 0"
echo "PASS: smoke"
