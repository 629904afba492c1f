#!/usr/bin/env bash
# Start-up never waits on the print system. The print client is pointed at a
# server on the loopback address that takes connections and holds every
# request (a status line, then a header line a second) until the test lets it
# fall silent; the main window must still appear within 10 s, and the program
# must not connect to that server until the user asks to print (Ctrl+P then
# does, which shows that the print client really uses it). The time until the
# main window appears is measured against a bare Qt window of the same size,
# started the same way on the same display; both are printed for every run,
# with medians. While Ctrl+P waits on the held server the window keeps
# answering (a drag moves the diagram's origin); once the server is silent a
# file dialog prints the diagram into a PDF; Page Setup then says the print
# system does not answer, without asking it again, and Ctrl+Q ends the
# program with status 0 at once, also while it is still waiting on the server.
# Then, with a private cupsd whose printer's own paper is A4: the A5 confirmed
# in Page Setup is the paper of the job, also after Page Setup is confirmed
# again as it opens; and a server that falls silent under an open print
# dialog makes Print bring the PDF file dialog rather than a freeze.
#
#   startup_print.sh PATH-TO-KESTRANE ARTIFACTS-DIR SILENT-SERVER BARE-WINDOW
#   (exit 77: skipped; E2E_STARTUP_RUNS sets the number of runs, default 5)
set -euo pipefail

usage="usage: startup_print.sh PATH-TO-KESTRANE ARTIFACTS-DIR SILENT-SERVER BARE-WINDOW"
binary=${1:?$usage}
artifacts=${2:?$usage}
server=${3:?$usage}
bare=${4:?$usage}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

limit_ms=10000
runs=${E2E_STARTUP_RUNS:-5}
bare_title="Kestrane bare window"

for program in "$binary" "$server" "$bare"; do
  [[ -x $program ]] || e2e_fail "no program at $program"
done
if ! missing=$(e2e_missing_tools Xvfb xdotool xwininfo import identify convert compare); then
  e2e_skip "missing tools: $missing (scripts/deps.sh display installs them)"
fi
mkdir -p "$artifacts"

# The print server: it holds every request until the test lets it fall
# silent (SIGUSR1), and ends with this script.
server_out=$E2E_TMP/server.out
"$server" hold >"$server_out" 2>&1 &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null || true; e2e_cleanup' EXIT
for ((i = 0; i < 50; i++)); do
  [[ -s $server_out ]] && break
  sleep 0.1
done
port=$(head -n 1 "$server_out")
[[ $port =~ ^[0-9]+$ ]] || e2e_fail "the silent server did not start: $(cat "$server_out")"
connections() { grep -c '^connection' "$server_out" || true; }
e2e_log "a print server that holds its answers listens on 127.0.0.1:$port"

e2e_start_xvfb || e2e_skip "Xvfb cannot start here"
e2e_log "Xvfb is running on $E2E_DISPLAY"

# Both programs run with the same print client settings and a home of their
# own, so that no client.conf of the user's points elsewhere.
home=$E2E_TMP/home
mkdir -p "$home"
print_env=(HOME="$home" CUPS_SERVER="127.0.0.1:$port")

now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

# appear PROGRAM TITLE LOGFILE: starts PROGRAM and sets appear_ms to the time
# until a visible window of exactly TITLE exists (polled every 20 ms), and
# E2E_WINDOW to that window. Fails after limit_ms or when the program ends.
appear_ms=
appear() {
  local program=$1 title=$2 logfile=$3 start id
  start=$(now_us)
  e2e_start_app "$program" "$logfile" "${print_env[@]}"
  while :; do
    id=$(e2e_x xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
    if [[ -n $id ]]; then
      appear_ms=$((($(now_us) - start) / 1000))
      E2E_WINDOW=$id
      return 0
    fi
    if ! e2e_app_running; then
      e2e_reap_app
      echo "the program ended with status $E2E_APP_STATUS before its window \"$title\" appeared" >&2
      return 1
    fi
    if (($(now_us) - start > limit_ms * 1000)); then
      echo "no window \"$title\" appeared within $((limit_ms / 1000)) s" >&2
      return 1
    fi
    sleep 0.02
  done
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

log=$artifacts/startup_print.log
bare_times=() main_times=()
for ((run = 1; run <= runs; run++)); do
  appear "$bare" "$bare_title" "$artifacts/startup_print-bare.log" || e2e_fail "the bare Qt window did not appear"
  bare_times+=("$appear_ms")
  e2e_stop_app

  if ! appear "$binary" "$E2E_MAIN_TITLE" "$log"; then
    cat "$log" >&2
    e2e_fail "the main window did not appear: start-up waits on the print server that holds its answers"
  fi
  main_times+=("$appear_ms")
  e2e_log "run $run: bare Qt window ${bare_times[-1]} ms, main window ${main_times[-1]} ms"
  ((run == runs)) && break
  e2e_quit_app 10 || e2e_fail "Ctrl+Q did not end the program within 10 s"
done
e2e_log "median of $runs runs: bare Qt window $(median "${bare_times[@]}") ms, main window $(median "${main_times[@]}") ms"

e2e_screenshot "$artifacts/startup_print.png" || e2e_fail "no usable screenshot of the main window"
sleep 1
count=$(connections)
((count == 0)) || e2e_fail "start-up connected to the print server $count time(s); only printing may"
e2e_log "start-up made no connection to the print server"

# Printing does ask the print system: the connection shows that the print
# client uses the silent server, so the timings above were taken against it.
e2e_locate_client "$E2E_MAIN_CLIENT_HEIGHT" || e2e_fail "cannot locate the main window's client area"
e2e_focus
e2e_x xdotool key --clearmodifiers ctrl+p
deadline=$((SECONDS + 10))
while (($(connections) == 0)) && ((SECONDS < deadline)); do
  sleep 0.1
done
(($(connections) > 0)) ||
  e2e_skip "Ctrl+P did not contact the print server: this print system ignores CUPS_SERVER, so the silent server proved nothing"
e2e_log "Ctrl+P connected to the print server, as only printing may"

pdf_dialog() { e2e_x xdotool search --onlyvisible --name 'PDF File' 2>/dev/null | head -n 1 || true; }
# The server holds the answer for as long as this takes: the program waits on
# a server it still hears from, and a window that waits without answering
# never follows the drag.
# shellcheck disable=SC2046
e2e_drag 3 $(at "$origin_x" "$origin_y") $(at 250 350)
e2e_poll_shot "$artifacts/startup_print-waiting.png" 60 "${canvas[*]}" axes_at 250 350 300 ||
  e2e_fail "the window did not follow a drag while the print server was asked"
[[ -z $(pdf_dialog) ]] || e2e_fail "the program gave up on a print server that was still answering"
e2e_log "while the print server was asked, a drag moved the origin and the window repainted"
kill -USR1 "$server_pid"  # from now on the server says nothing more

deadline=$((SECONDS + 30))
while [[ -z $(pdf_dialog) ]] && ((SECONDS < deadline)); do
  sleep 0.2
done
dialog=$(pdf_dialog)
[[ -n $dialog ]] || e2e_fail "no dialog for a PDF file within 30 s of the print server falling silent"
pdf=$home/diagram.pdf
e2e_focus "$dialog"
e2e_x xdotool key --clearmodifiers ctrl+a
e2e_x xdotool type --delay 10 "$pdf"
e2e_x xdotool key --clearmodifiers Return
deadline=$((SECONDS + 10))
while ! tail -c 8 "$pdf" 2>/dev/null | grep -q '%%EOF' && ((SECONDS < deadline)); do
  sleep 0.2
done
if [[ $(head -c 4 "$pdf" 2>/dev/null) != %PDF ]] || ! tail -c 8 "$pdf" | grep -q '%%EOF'; then
  e2e_fail "no complete PDF at $pdf"
fi
e2e_log "the file dialog printed the diagram into $pdf"

# Page Setup (File menu: About, Quit, Page Setup) has no printer to set up:
# one message, at once, and the server is not asked again.
asked=$(connections)
main_windows() { e2e_x xdotool search --onlyvisible --name "^${E2E_MAIN_TITLE}\$" 2>/dev/null | wc -l; }
e2e_focus
e2e_x xdotool key --clearmodifiers alt+f Down Down Return
deadline=$((SECONDS + 3))
while (($(main_windows) < 2)) && ((SECONDS < deadline)); do
  sleep 0.1
done
(($(main_windows) == 2)) || e2e_fail "Page Setup showed no message within 3 s"
message=$(e2e_x xdotool search --onlyvisible --name "^${E2E_MAIN_TITLE}\$" | grep -vx "$E2E_WINDOW" | head -n 1)
e2e_x import -window "$message" "$artifacts/startup_print-message.png" 2>/dev/null || true
e2e_focus "$message"
e2e_x xdotool key --clearmodifiers Return
sleep 0.5
(($(main_windows) == 1)) || e2e_fail "the message of Page Setup did not close with Return"
(($(connections) == asked)) || e2e_fail "Page Setup asked the print server again after it did not answer"
e2e_log "Page Setup showed one message and did not ask the print server again"

start=$(now_us)
e2e_quit_app 3 || e2e_fail "Ctrl+Q did not end the program while a question to the print server was pending"
((E2E_APP_STATUS == 0)) || e2e_fail "the program ended with status $E2E_APP_STATUS after Ctrl+Q, expected 0"
e2e_log "Ctrl+Q ended the program with status 0 in $((($(now_us) - start) / 1000)) ms"

# Ctrl+Q while Ctrl+P still waits on the server.
appear "$binary" "$E2E_MAIN_TITLE" "$log" || e2e_fail "the main window did not appear again"
asked=$(connections)
e2e_focus
e2e_x xdotool key --clearmodifiers ctrl+p
deadline=$((SECONDS + 10))
while (($(connections) == asked)) && ((SECONDS < deadline)); do
  sleep 0.1
done
start=$(now_us)
e2e_quit_app 3 || e2e_fail "Ctrl+Q did not end the program while it waited on the print server"
((E2E_APP_STATUS == 0)) || e2e_fail "the program ended with status $E2E_APP_STATUS after Ctrl+Q, expected 0"
e2e_log "Ctrl+Q during the wait ended the program with status 0 in $((($(now_us) - start) / 1000)) ms"

# A real print server: a private cupsd with a file printer whose own paper is
# A4 (held, so nothing is printed), reached through the test's server, which
# passes its requests on until it is told to fall silent.
command -v cupsd >/dev/null || e2e_skip "no cupsd to print on (scripts/deps.sh test installs it)"
cups=$E2E_TMP/cups
mkdir -p "$cups/ppd" "$cups/spool/tmp"
{
  printf '*PPD-Adobe: "4.3"\n*FormatVersion: "4.3"\n*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n'
  printf '*ModelName: "Paper"\n*NickName: "Paper"\n*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n'
  for paper in "A4 595 842" "Letter 612 792" "A5 420 595" "A3 842 1191"; do
    read -r name width height <<<"$paper"
    printf '*PageSize %s: "<</PageSize[%s %s]>>setpagedevice"\n' "$name" "$width" "$height"
    printf '*ImageableArea %s: "18 18 %s %s"\n*PaperDimension %s: "%s %s"\n' \
      "$name" $((width - 18)) $((height - 18)) "$name" "$width" "$height"
  done
  printf '*CloseUI: *PageSize\n'
} >"$cups/ppd/Paper.ppd"
printf '<DefaultPrinter Paper>\nDeviceURI file:///dev/null\nState Stopped\nAccepting Yes\n</Printer>\n' \
  >"$cups/printers.conf"
printf 'FileDevice Yes\nServerRoot %s\nRequestRoot %s\nTempDir %s\nCacheDir %s\nStateDir %s\nErrorLog %s\n' \
  "$cups" "$cups/spool" "$cups/spool/tmp" "$cups" "$cups" "$cups/error_log" >"$cups/cups-files.conf"
for ((try = 0; try < 5; try++)); do
  cups_port=$((10000 + RANDOM % 20000))  # below the ports the system hands out
  (exec 3<>"/dev/tcp/127.0.0.1/$cups_port") 2>/dev/null && continue  # taken
  printf 'Listen 127.0.0.1:%s\nBrowsing No\nDefaultAuthType None\n' "$cups_port" >"$cups/cupsd.conf"
  cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >>"$cups/cupsd.out" 2>&1 &
  cupsd_pid=$!
  for ((i = 0; i < 50; i++)); do
    (exec 3<>"/dev/tcp/127.0.0.1/$cups_port") 2>/dev/null && break 2
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$cupsd_pid" 2>/dev/null || true
done
((try < 5)) || e2e_skip "no private cupsd could be started here: $(tail -n 3 "$cups/error_log" "$cups/cupsd.out")"
kill "$server_pid"
"$server" forward "$cups_port" >"$E2E_TMP/forward.out" 2>&1 &
server_pid=$!
trap 'kill "$server_pid" "$cupsd_pid" 2>/dev/null || true; e2e_cleanup' EXIT
for ((i = 0; i < 50; i++)); do
  [[ $(head -n 1 "$E2E_TMP/forward.out") =~ ^[0-9]+$ ]] && break
  sleep 0.1
done
print_env=(HOME="$home" CUPS_SERVER="127.0.0.1:$(head -n 1 "$E2E_TMP/forward.out")")
e2e_log "a private cupsd on port $cups_port, reached through the test's server"

# dialog TITLE SECONDS: waits for a visible window of that title, and focuses it.
dialog() {
  local deadline=$((SECONDS + $2)) id=
  while [[ -z $id ]] && ((SECONDS < deadline)); do
    id=$(e2e_x xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [[ -n $id ]] || sleep 0.1
  done
  [[ -n $id ]] && e2e_focus "$id"
}
# print_dialog: Ctrl+P until the print dialog shows (Ctrl+P does nothing while
# the last page is still being handed to the print server).
print_dialog() {
  for ((try = 0; try < 3; try++)); do
    e2e_focus
    e2e_x xdotool key --clearmodifiers ctrl+p
    dialog '^Print$' 20 && return 0
  done
  e2e_fail "no print dialog after Ctrl+P"
}
# print_a_page: prints, and checks that the job's page is A5.
jobs=0
print_a_page() {
  print_dialog
  e2e_x xdotool key --clearmodifiers Return
  jobs=$((jobs + 1))
  for ((i = 0; i < 300; i++)); do
    [[ -s $cups/spool/d0000$jobs-001 ]] && pdfinfo "$cups/spool/d0000$jobs-001" >"$E2E_TMP/job" 2>&1 && break
    sleep 0.1
  done
  grep -q '^Page size: *420 x 595 pts' "$E2E_TMP/job" ||
    e2e_fail "job $jobs was not printed on the A5 chosen in Page Setup: $(grep -i 'page size' "$E2E_TMP/job")"
  print_dialog  # once it shows, the page has gone to the server
  e2e_x xdotool key --clearmodifiers Escape
}
appear "$binary" "$E2E_MAIN_TITLE" "$log" || e2e_fail "the main window did not appear with cupsd"
e2e_screenshot "$artifacts/startup_print-cups.png" || e2e_fail "no usable screenshot of the main window"
e2e_focus
e2e_x xdotool key --clearmodifiers alt+f Down Down Return
dialog '^Page Setup$' 30 || e2e_fail "no Page Setup dialog within 30 s"
e2e_x xdotool type --delay 20 A5  # the paper's box has the focus
e2e_x xdotool key --clearmodifiers Return
print_a_page
# Page Setup opens with the paper confirmed in it: confirmed again as it is,
# the next page is A5 too.
e2e_focus
e2e_x xdotool key --clearmodifiers alt+f Down Down Return
dialog '^Page Setup$' 30 || e2e_fail "no Page Setup dialog within 30 s the second time"
e2e_x xdotool key --clearmodifiers Return
print_a_page
e2e_log "Page Setup's A5 reached the printer, twice"

# The server falls silent under an open print dialog: Print brings the PDF
# file dialog, where the print client on its own would wait minutes.
print_dialog
kill -USR1 "$server_pid"
e2e_x xdotool key --clearmodifiers Return
dialog 'PDF File' 30 || e2e_fail "Print froze on a print server that fell silent under the print dialog"
e2e_x xdotool key --clearmodifiers Escape
start=$(now_us)
e2e_quit_app 3 || e2e_fail "Ctrl+Q did not end the program after the print server fell silent"
((E2E_APP_STATUS == 0)) || e2e_fail "the program ended with status $E2E_APP_STATUS after Ctrl+Q, expected 0"
e2e_log "Print in a dialog whose server fell silent brought the PDF dialog; Ctrl+Q then took $((($(now_us) - start) / 1000)) ms"
echo "PASS: startup_print"
