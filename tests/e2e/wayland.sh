#!/usr/bin/env bash
# Under Wayland (weston on a 1366x768 output, Qt's own Wayland backend): the
# main window lies within the output below weston's panel, takes the maximized
# and fullscreen sizes and comes back as it was; Shift+Tab brings Quit into
# view, where a click ends the program with status 0.
#
#   wayland.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: wayland.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: wayland.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[[ -x $binary ]] || e2e_fail "no program at $binary"
missing=$(e2e_missing_tools Xvfb weston xdotool import convert) ||
  e2e_skip "missing tools: $missing (scripts/deps.sh test installs them)"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  e2e_skip "no Qt Wayland backend (scripts/deps.sh test installs qt6-wayland)"
mkdir -p "$artifacts"
e2e_start_xvfb 1366x768 || e2e_skip "Xvfb cannot start here"

# weston, in the virtual X screen, on a plain background: what is not
# background below its 32-pixel panel is the window. Stopped as the WM is.
bg=204060 shot=$E2E_TMP/screen.png log=$artifacts/wayland.log runtime=$E2E_TMP/runtime
mkdir -m 700 "$runtime"
printf '[shell]\nbackground-image=\nbackground-color=0xff%s\nlocking=false\n' $bg >"$E2E_TMP/weston.ini"
env DISPLAY="$E2E_DISPLAY" XDG_RUNTIME_DIR="$runtime" weston --config="$E2E_TMP/weston.ini" --use-pixman \
  --backend=x11-backend.so --width=1366 --height=768 --socket=kestrane-test >"$artifacts/weston.log" 2>&1 &
E2E_WM_PID=$!

# box: "W H X Y" of what is not background below the panel.
box() {
  convert "$shot" -crop +0+32 +repage -fill black -opaque "#$bg" -fill white +opaque black -bordercolor black \
    -border 1 -format '%@' info: 2>/dev/null | awk -F'[x+]' '{ print $1, $2, $3 - 1, $4 + 31 }'
}
# until_shot SECONDS WHAT CHECK...: photographs the screen until CHECK holds.
until_shot() {
  local deadline=$((SECONDS + $1)) what=$2
  shift 2
  until e2e_x import -window root "$shot" 2>/dev/null && "$@"; do
    if [[ -n $E2E_APP_PID ]] && ! e2e_app_running; then
      e2e_reap_app
      cat "$log" >&2
      e2e_fail "the program ended with status $E2E_APP_STATUS while waiting for: $what"
    fi
    ((SECONDS < deadline)) || { cp "$shot" "$artifacts/wayland-failed.png"; e2e_fail "no $what within $1 s"; }
    sleep 0.3
  done
}
until_shot 30 "weston desktop" eval '[[ $(convert "$shot" -format "%[hex:p{100,700}]" info:) == $bg* ]]'
e2e_x xdotool mousemove 1000 0  # weston draws the pointer: it stays on the panel
e2e_start_app "$binary" "$log" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=kestrane-test XDG_RUNTIME_DIR="$runtime"
previous=
stable() { local b; b=$(box); [[ $b == "$previous" && ${b%% *} -gt 100 ]] || { previous=$b; return 1; }; }
until_shot 60 "main window holding still" stable
read -r w h x y <<<"$previous"
cp "$shot" "$artifacts/wayland.png"
# (A window cut off by the output's edge reaches it.)
((y + h < 768 && x + w < 1366)) || e2e_fail "the window ($w x $h at $x, $y) is cut off by the 1366x768 output's edge"

is_box() { [[ $(box) == "$*" ]]; }
maximized() { is_box 1366 736 0 32; }
fullscreen() { maximized && [[ $(convert "$shot" -crop 1366x32+0+0 -colorspace gray -format '%[fx:mean>0.5]' info:) == 1 ]]; }
# Weston's keys toggle the state; the window takes it, then comes back as it was.
for state in "m maximized" "f fullscreen"; do
  read -r key name <<<"$state"
  e2e_x xdotool key "super+shift+$key"
  until_shot 30 "$name window" "$name"
  cp "$shot" "$artifacts/wayland-$name.png"
  e2e_x xdotool key "super+shift+$key"
  until_shot 30 "window back from $name" is_box "$w" "$h" "$x" "$y"
done

# Quit's centre lies 823 pixels right of the window's left edge and 42 above its bottom.
e2e_x xdotool key shift+Tab
until_shot 30 "Quit in view" eval '[[ $(convert "$shot" -crop 60x1+$((x + 793))+$((y + h - 42)) -format %k info:) -gt 3 ]]'
e2e_x xdotool mousemove $((x + 823)) $((y + h - 42)) click 1
deadline=$((SECONDS + 10))
while e2e_app_running && ((SECONDS < deadline)); do sleep 0.1; done
e2e_app_running && e2e_fail "a click where Quit shows after Shift+Tab did not end the program"
e2e_reap_app
((E2E_APP_STATUS == 0)) || { cat "$log" >&2; e2e_fail "the program ended with status $E2E_APP_STATUS, expected 0"; }
echo "PASS: wayland"
