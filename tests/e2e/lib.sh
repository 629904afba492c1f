#!/usr/bin/env bash
# Shared helpers for the real-display tests and scripts/run.sh: a private
# Xvfb server on a free display, the program started on it, its main window
# found, photographed and closed again. Source it; everything it starts is
# stopped by an EXIT trap.
#
# Functions return non-zero and print why when something does not work; the
# caller decides whether that is a failure or a skip (e2e_skip).

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  echo "lib.sh holds helpers for the other scripts in this folder; it is not a test itself."
  exit 77
fi

E2E_DISPLAY=
E2E_XVFB_PID=
E2E_WM_PID=
E2E_APP_PID=
E2E_APP_STATUS=
E2E_WINDOW=
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/kestrane-e2e.XXXXXX")

e2e_log() { echo "[$(date +%H:%M:%S)] $*"; }
e2e_fail() { echo "FAIL: $*" >&2; exit 1; }
e2e_skip() { echo "SKIP: $*" >&2; exit 77; }

# Prints the commands among the arguments that are not on PATH; non-zero if any.
e2e_missing_tools() {
  local tool missing=()
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "${missing[*]}"
  return 1
}

# e2e_start_xvfb [WIDTHxHEIGHT]: starts Xvfb (default 1280x1024, 24 bits) on
# the first free display from :99 upwards and waits until it accepts clients.
# Sets E2E_DISPLAY and E2E_XVFB_PID.
e2e_start_xvfb() {
  local size=${1:-1280x1024} n ready deadline
  for ((n = 99; n < 160; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    ready=$E2E_TMP/xvfb-$n.ready
    # -displayfd writes the display number once the server is ready; a display
    # taken in the meantime makes this server exit at once (the lock is atomic).
    # No reset when the last client leaves: a program connecting just then
    # would find its connection closed under it (and die of SIGPIPE).
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset -displayfd 3 \
      3>"$ready" >"$E2E_TMP/xvfb-$n.log" 2>&1 &
    E2E_XVFB_PID=$!
    deadline=$((SECONDS + 15))
    while ((SECONDS < deadline)); do
      if [[ -s $ready ]]; then
        E2E_DISPLAY=:$n
        return 0
      fi
      kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
      kill "$E2E_XVFB_PID" 2>/dev/null
      wait "$E2E_XVFB_PID" 2>/dev/null
      E2E_XVFB_PID=
      echo "Xvfb on :$n did not get ready within 15 s:" >&2
      cat "$E2E_TMP/xvfb-$n.log" >&2
      return 1
    fi
    wait "$E2E_XVFB_PID" 2>/dev/null
    E2E_XVFB_PID=
  done
  echo "Xvfb could not start on any display from :99 to :159" >&2
  [[ -f $E2E_TMP/xvfb-99.log ]] && cat "$E2E_TMP/xvfb-99.log" >&2
  return 1
}

# Runs an X client against the private server.
e2e_x() { DISPLAY=$E2E_DISPLAY "$@"; }

# e2e_start_wm [OPENBOX-ARGS...]: starts openbox on the private server and
# waits until it manages the screen (announced on the root window).
e2e_start_wm() {
  local deadline
  e2e_x openbox --sm-disable "$@" >"$E2E_TMP/openbox.log" 2>&1 &
  E2E_WM_PID=$!
  deadline=$((SECONDS + 15))
  while ((SECONDS < deadline)); do
    e2e_x xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$E2E_WM_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "openbox did not start: $(cat "$E2E_TMP/openbox.log")" >&2
  return 1
}

# e2e_start_app BINARY LOGFILE [NAME=VALUE...]: starts the program on the
# private server with Qt's X11 platform, whatever the caller's environment asks
# for; further arguments are added to the program's environment.
e2e_start_app() {
  local binary=$1 logfile=$2
  shift 2
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="$E2E_DISPLAY" "$@" \
    "$binary" </dev/null >"$logfile" 2>&1 &
  E2E_APP_PID=$!
  E2E_APP_STATUS=
}

# Collects the program's exit status into E2E_APP_STATUS once it has ended.
e2e_reap_app() {
  local status=0
  wait "$E2E_APP_PID" 2>/dev/null || status=$?
  E2E_APP_STATUS=$status
}

e2e_app_running() {
  [[ -n $E2E_APP_PID && -z $E2E_APP_STATUS ]] && kill -0 "$E2E_APP_PID" 2>/dev/null
}

# e2e_wait_window TITLE SECONDS: waits for a visible window of exactly that
# title and sets E2E_WINDOW. Fails early when the program ends first.
e2e_wait_window() {
  local title=$1 limit=$2 deadline id
  deadline=$((SECONDS + limit))
  while ((SECONDS < deadline)); do
    if ! e2e_app_running; then
      e2e_reap_app
      echo "the program ended with status $E2E_APP_STATUS before its window \"$title\" appeared" >&2
      return 1
    fi
    id=$(e2e_x xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
    if [[ -n $id ]]; then
      E2E_WINDOW=$id
      return 0
    fi
    sleep 0.2
  done
  echo "no window titled \"$title\" appeared within $limit s" >&2
  return 1
}

# e2e_window_size: prints "WIDTH HEIGHT" of E2E_WINDOW as the X server has it.
e2e_window_size() {
  e2e_x xwininfo -id "$E2E_WINDOW" |
    awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { if (w == "" || h == "") exit 1; print w, h }'
}

# e2e_screenshot FILE: saves a PNG of E2E_WINDOW. Retries for a few seconds
# until the picture has some detail, so a window that has been mapped but not
# yet painted is not taken for the result.
e2e_screenshot() {
  local file=$1 colours=0 deadline
  deadline=$((SECONDS + 20))
  while :; do
    if e2e_x import -window "$E2E_WINDOW" "$file" 2>"$E2E_TMP/import.log"; then
      colours=$(identify -format '%k' "$file" 2>/dev/null || echo 0)
      ((colours >= 8)) && return 0
    fi
    ((SECONDS < deadline)) || break
    sleep 0.5
  done
  if [[ -s $file ]]; then
    echo "the screenshot $file shows only $colours colours: the window looks unpainted" >&2
  else
    echo "could not take a screenshot of window $E2E_WINDOW:" >&2
    cat "$E2E_TMP/import.log" >&2
  fi
  return 1
}

# e2e_focus [WINDOW]: gives the keyboard focus to WINDOW (default E2E_WINDOW).
e2e_focus() {
  local window=${1:-$E2E_WINDOW}
  timeout 5 env DISPLAY="$E2E_DISPLAY" xdotool windowfocus --sync "$window" >/dev/null 2>&1 ||
    e2e_x xdotool windowfocus "$window" >/dev/null 2>&1 || true
}

# e2e_quit_app SECONDS: gives the window the keyboard focus, presses Ctrl+Q
# and waits for the program to end; E2E_APP_STATUS then holds its status.
# Fails when it is still running after SECONDS (it is killed then).
e2e_quit_app() {
  local limit=$1 deadline
  e2e_focus "$E2E_WINDOW"
  e2e_x xdotool key --clearmodifiers ctrl+q
  deadline=$((SECONDS + limit))
  while e2e_app_running && ((SECONDS < deadline)); do
    sleep 0.1
  done
  if e2e_app_running; then
    echo "the program was still running $limit s after Ctrl+Q; killing it" >&2
    e2e_stop_app
    return 1
  fi
  [[ -n $E2E_APP_STATUS ]] || e2e_reap_app
  return 0
}

# ---------------------------------------------------------------------------
# The main window's client area. Positions given to the helpers below are
# client coordinates: (0, 0) is the top-left corner of the window's content,
# just below the menu bar. Screenshots taken with e2e_client_shot are cut to
# the client area, so a pixel at (x, y) in them is at client (x, y).

E2E_CLIENT_X=      # screen position of the client area's top-left corner
E2E_CLIENT_Y=
E2E_CLIENT_WIDTH=
E2E_CLIENT_HEIGHT=
E2E_MENU_HEIGHT=   # rows of the window above the client area

# e2e_locate_client CLIENT_HEIGHT: reads where E2E_WINDOW stands on the screen
# and how large it is; the rows above the lowest CLIENT_HEIGHT are the menu bar.
e2e_locate_client() {
  local client_height=$1 geometry x y w h
  geometry=$(e2e_x xwininfo -id "$E2E_WINDOW" | awk '
    /Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $2 }
    /^ *Height:/ { h = $2 }
    END { if (x == "" || y == "" || w == "" || h == "") exit 1; print x, y, w, h }') || {
    echo "cannot read the geometry of window $E2E_WINDOW" >&2
    return 1
  }
  read -r x y w h <<<"$geometry"
  if ((h < client_height)); then
    echo "the window is $h pixels high, less than its client area of $client_height" >&2
    return 1
  fi
  E2E_MENU_HEIGHT=$((h - client_height))
  E2E_CLIENT_X=$x
  E2E_CLIENT_Y=$((y + E2E_MENU_HEIGHT))
  E2E_CLIENT_WIDTH=$w
  E2E_CLIENT_HEIGHT=$client_height
}

# e2e_pointer_to X Y: moves the pointer to client position (X, Y). (xdotool's
# --sync would wait in vain when the pointer is there already.)
e2e_pointer_to() {
  local x=$((E2E_CLIENT_X + $1)) y=$((E2E_CLIENT_Y + $2))
  [[ $(e2e_x xdotool getmouselocation 2>/dev/null) == "x:$x y:$y "* ]] && return 0
  timeout 5 env DISPLAY="$E2E_DISPLAY" xdotool mousemove --sync "$x" "$y" >/dev/null 2>&1 ||
    e2e_x xdotool mousemove "$x" "$y"
}

# e2e_click X Y [COUNT]: clicks the left button COUNT times (default once) at
# client position (X, Y); three clicks select a text field's whole text.
e2e_click() {
  e2e_pointer_to "$1" "$2" || return 1
  sleep 0.05
  e2e_x xdotool click --repeat "${3:-1}" --delay 80 1
}

# e2e_drag STEPS X1 Y1 X2 Y2 [X3 Y3 ...]: presses the left button at client
# (X1, Y1), moves through the further points, each reached in STEPS even steps,
# and releases the button at the last one.
e2e_drag() {
  local steps=$1 x y nx ny i
  shift
  x=$1 y=$2
  shift 2
  e2e_pointer_to "$x" "$y" || return 1
  sleep 0.05
  e2e_x xdotool mousedown 1 || return 1
  sleep 0.1
  while (($# >= 2)); do
    nx=$1 ny=$2
    shift 2
    for ((i = 1; i <= steps; i++)); do
      e2e_pointer_to $((x + (nx - x) * i / steps)) $((y + (ny - y) * i / steps))
      sleep 0.03
    done
    x=$nx y=$ny
    sleep 0.1
  done
  e2e_x xdotool mouseup 1
}

# e2e_type TEXT: types TEXT key by key into the window that has the focus.
e2e_type() {
  e2e_x xdotool type --delay 60 -- "$1"
}

# e2e_client_shot FILE: a screenshot of E2E_WINDOW's client area.
e2e_client_shot() {
  local raw=$E2E_TMP/window-shot.png
  e2e_screenshot "$raw" || return 1
  convert "$raw" -crop "${E2E_CLIENT_WIDTH}x${E2E_CLIENT_HEIGHT}+0+${E2E_MENU_HEIGHT}" +repage "$1"
}

# e2e_pixels FILE X Y W H: prints "x y red green blue" (0 to 255) for every
# pixel of the rectangle, in the picture's own coordinates.
e2e_pixels() {
  local file=$1 x=$2 y=$3 w=$4 h=$5
  convert "$file" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- |
    awk -F'[ ,:()]+' -v ox="$x" -v oy="$y" '/^[0-9]+,[0-9]+:/ { print $1 + ox, $2 + oy, $3, $4, $5 }'
}

# e2e_region_diff A B X Y W H: prints how many pixels of the rectangle differ
# between the pictures A and B (0 when they are alike there).
e2e_region_diff() {
  local a=$1 b=$2 region="${5}x${6}+${3}+${4}" out status=0
  out=$(compare -metric AE "${a}[$region]" "${b}[$region]" null: 2>&1) || status=$?
  if ((status > 1)) || [[ ! $out =~ ^[0-9.e+]+ ]]; then
    echo "compare failed on $a and $b: $out" >&2
    return 1
  fi
  awk '{ printf "%d\n", $1 }' <<<"$out"
}

# e2e_settled_shot FILE SECONDS [X Y W H]: takes client screenshots until two
# in a row agree within the rectangle (default: the whole client area), so
# that a repaint in progress is not taken for the result. A rectangle leaves
# out what changes by itself, such as a blinking text cursor.
e2e_settled_shot() {
  local file=$1 limit=$2 deadline previous=$E2E_TMP/settle.png diff
  local x=${3:-0} y=${4:-0} w=${5:-$E2E_CLIENT_WIDTH} h=${6:-$E2E_CLIENT_HEIGHT}
  deadline=$((SECONDS + limit))
  e2e_client_shot "$previous" || return 1
  while :; do
    sleep 0.15
    e2e_client_shot "$file" || return 1
    diff=$(e2e_region_diff "$previous" "$file" "$x" "$y" "$w" "$h") || return 1
    ((diff == 0)) && return 0
    ((SECONDS < deadline)) || break
    cp "$file" "$previous"
  done
  echo "the window kept changing for $limit s" >&2
  return 1
}

# e2e_poll_shot FILE SECONDS REGION CHECK [ARGS...]: takes settled client
# screenshots (REGION: "X Y W H" that must hold still, or "" for all) into FILE
# until `CHECK FILE ARGS...` succeeds. Fails when SECONDS pass first; FILE then
# holds the last screenshot and CHECK has printed why it failed. With
# E2E_DEBUG set, the output of every failed check is shown.
e2e_poll_shot() {
  local file=$1 limit=$2 region=$3 deadline
  shift 3
  deadline=$((SECONDS + limit))
  while :; do
    # shellcheck disable=SC2086  # the region is four numbers or nothing
    e2e_settled_shot "$file" 5 $region || return 1
    "$1" "$file" "${@:2}" 2>"$E2E_TMP/check.log" && return 0
    [[ -n ${E2E_DEBUG:-} ]] && cat "$E2E_TMP/check.log" >&2
    ((SECONDS < deadline)) || break
    sleep 0.3
  done
  cat "$E2E_TMP/check.log" >&2
  return 1
}

# The colours that the pixel checks below know: the diagram's pure black and
# red, and the white of its background.
E2E_AWK_COLOUR='
  function matches(r, g, b) {
    if (colour == "black") return r < 80 && g < 80 && b < 80
    if (colour == "red") return r >= 180 && g < 80 && b < 80
    return r > 235 && g > 235 && b > 235
  }'
e2e_known_colour() {
  case $1 in
    black | red | white) return 0 ;;
    *) echo "unknown colour \"$1\" (black, red or white)" >&2; return 1 ;;
  esac
}

# e2e_line_coverage FILE COLOUR X1 Y1 X2 Y2: prints the percentage (0 to 100)
# of the whole-pixel steps along the segment from (X1, Y1) to (X2, Y2) that
# have a pixel of COLOUR at most one pixel away. COLOUR is black, red or white.
e2e_line_coverage() {
  local file=$1 colour=$2 x1=$3 y1=$4 x2=$5 y2=$6 left top
  e2e_known_colour "$colour" || return 1
  left=$((x1 < x2 ? x1 - 1 : x2 - 1))
  top=$((y1 < y2 ? y1 - 1 : y2 - 1))
  ((left >= 0)) || left=0
  ((top >= 0)) || top=0
  e2e_pixels "$file" "$left" "$top" $(((x1 > x2 ? x1 - x2 : x2 - x1) + 3)) \
    $(((y1 > y2 ? y1 - y2 : y2 - y1) + 3)) |
    awk -v colour="$colour" -v x1="$x1" -v y1="$y1" -v x2="$x2" -v y2="$y2" "$E2E_AWK_COLOUR"'
      matches($3, $4, $5) { hit[$1, $2] = 1 }
      END {
        n = (x2 > x1 ? x2 - x1 : x1 - x2)
        m = (y2 > y1 ? y2 - y1 : y1 - y2)
        if (m > n) n = m
        if (n == 0) n = 1
        found = 0
        for (i = 0; i <= n; i++) {
          x = int(x1 + (x2 - x1) * i / n + 0.5)
          y = int(y1 + (y2 - y1) * i / n + 0.5)
          near = 0
          for (dx = -1; dx <= 1; dx++)
            for (dy = -1; dy <= 1; dy++)
              if ((x + dx, y + dy) in hit) near = 1
          found += near
        }
        printf "%d\n", 100 * found / (n + 1)
      }'
}

# e2e_count_colour FILE COLOUR X Y W H: prints how many pixels of the
# rectangle have COLOUR (black, red or white, as for e2e_line_coverage).
e2e_count_colour() {
  e2e_known_colour "$2" || return 1
  e2e_pixels "$1" "$3" "$4" "$5" "$6" |
    awk -v colour="$2" "$E2E_AWK_COLOUR"'
      matches($3, $4, $5) { n++ }
      END { printf "%d\n", n }'
}

# e2e_begin NAME BINARY ARTIFACTS [NAME=VALUE...]: the start of a test of the
# main window: checks the tools (skips without them), starts Xvfb (skips when
# it cannot), starts the program with its output in ARTIFACTS/NAME.log and the
# given environment, waits for the main window and locates its client area.
# Sets E2E_ARTIFACTS and E2E_LOG; fails the test when the window never comes.
E2E_MAIN_TITLE="Kestrane Diagram"
E2E_MAIN_CLIENT_HEIGHT=813
E2E_ARTIFACTS=
E2E_LOG=
e2e_begin() {
  local name=$1 binary=$2 missing
  E2E_ARTIFACTS=$3
  shift 3
  [[ -x $binary ]] || e2e_fail "no program at $binary"
  if ! missing=$(e2e_missing_tools Xvfb xdotool xwininfo import identify convert compare); then
    e2e_skip "missing tools: $missing (scripts/deps.sh display installs them)"
  fi
  mkdir -p "$E2E_ARTIFACTS"
  e2e_start_xvfb || e2e_skip "Xvfb cannot start here"
  e2e_log "Xvfb is running on $E2E_DISPLAY"
  E2E_LOG=$E2E_ARTIFACTS/$name.log
  e2e_start_app "$binary" "$E2E_LOG" "$@"
  if ! e2e_wait_window "$E2E_MAIN_TITLE" 60; then
    cat "$E2E_LOG" >&2
    e2e_fail "the main window did not appear"
  fi
  e2e_locate_client "$E2E_MAIN_CLIENT_HEIGHT" || e2e_fail "cannot locate the main window's client area"
  e2e_log "main window $E2E_WINDOW, client area at screen ($E2E_CLIENT_X, $E2E_CLIENT_Y) below a ${E2E_MENU_HEIGHT}-pixel menu bar"
}

# e2e_finish NAME: ends the program with Ctrl+Q, fails unless its status is 0.
e2e_finish() {
  if ! e2e_quit_app 10; then
    cat "$E2E_LOG" >&2
    e2e_fail "Ctrl+Q did not end the program within 10 s"
  fi
  if [[ $E2E_APP_STATUS -ne 0 ]]; then
    cat "$E2E_LOG" >&2
    e2e_fail "the program ended with status $E2E_APP_STATUS after Ctrl+Q, expected 0"
  fi
  e2e_log "Ctrl+Q ended the program with status 0"
  echo "PASS: $1"
}

# Ends the program if it still runs: TERM, then KILL after 3 s.
e2e_stop_app() {
  local i
  e2e_app_running || return 0
  kill "$E2E_APP_PID" 2>/dev/null || true
  for ((i = 0; i < 30; i++)); do
    e2e_app_running || break
    sleep 0.1
  done
  e2e_app_running && kill -9 "$E2E_APP_PID" 2>/dev/null
  e2e_reap_app
}

e2e_cleanup() {
  e2e_stop_app
  [[ -z $E2E_WM_PID ]] || { kill "$E2E_WM_PID" && wait "$E2E_WM_PID"; } 2>/dev/null || true
  if [[ -n $E2E_XVFB_PID ]]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_XVFB_PID=
  fi
  rm -rf "$E2E_TMP"
}

trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The diagram canvas in the main window's client coordinates ("x y w h"), the
# diagram origin at start-up in canvas coordinates, and the client position
# of a canvas point.
canvas=(33 35 636 553)
origin_x=300 origin_y=400
at() { echo $((canvas[0] + $1)) $((canvas[1] + $2)); }

# axes_at SHOT X Y [OLD_X]: the black time axis runs through the column X and
# the black space axis through the row Y; the column OLD_X is no axis any more.
axes_at() {
  local shot=$1 x=$2 y=$3 old_x=${4:-} time space old=0
  # shellcheck disable=SC2046
  time=$(e2e_line_coverage "$shot" black $(at "$x" 30) $(at "$x" $((y - 20))))
  # shellcheck disable=SC2046
  space=$(e2e_line_coverage "$shot" black $(at 40 "$y") $(at $((x - 20)) "$y"))
  if [[ -n $old_x ]]; then
    # shellcheck disable=SC2046
    old=$(e2e_line_coverage "$shot" black $(at "$old_x" 30) $(at "$old_x" 520))
  fi
  echo "black axes through ($x, $y): time axis $time%, space axis $space%${old_x:+, old column $old_x still $old%}" >&2
  ((time >= 95 && space >= 95 && old <= 10))
}
