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

# Starts Xvfb (1280x1024x24) on the first free display from :99 upwards and
# waits until it accepts clients. Sets E2E_DISPLAY and E2E_XVFB_PID.
e2e_start_xvfb() {
  local n ready deadline
  for ((n = 99; n < 160; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    ready=$E2E_TMP/xvfb-$n.ready
    # -displayfd writes the display number once the server is ready; a display
    # taken in the meantime makes this server exit at once (the lock is atomic).
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 \
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

# e2e_start_app BINARY LOGFILE: starts the program on the private server with
# Qt's X11 platform, whatever the caller's environment asks for.
e2e_start_app() {
  local binary=$1 logfile=$2
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="$E2E_DISPLAY" \
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

# e2e_quit_app SECONDS: gives the window the keyboard focus, presses Ctrl+Q
# and waits for the program to end; E2E_APP_STATUS then holds its status.
# Fails when it is still running after SECONDS (it is killed then).
e2e_quit_app() {
  local limit=$1 deadline
  timeout 5 env DISPLAY="$E2E_DISPLAY" xdotool windowfocus --sync "$E2E_WINDOW" >/dev/null 2>&1 ||
    e2e_x xdotool windowfocus "$E2E_WINDOW" >/dev/null 2>&1 || true
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
