#!/usr/bin/env bash
# The program as users get it: installed with `cmake --install` into a prefix
# of its own and, where the Debian tools are at hand, packaged with CPack under
# umask 077 (its modes still 0755 and 0644) and extracted into a folder of its
# own. From either place it starts, File > About ... shows the picture
# installed with it, its launcher entry is valid, starts the installed program
# and matches its windows, the entry's icon is installed and shown on the
# window, and the software-centre entry is valid.
#
#   installed.sh PATH-TO-KESTRANE ARTIFACTS-DIR      (exit 77: skipped)
set -euo pipefail

binary=${1:?usage: installed.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
artifacts=${2:?usage: installed.sh PATH-TO-KESTRANE ARTIFACTS-DIR}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

build=$(cd "$(dirname "$binary")/.." && pwd)
entry=share/applications/org.example.Kestrane.desktop
picture=share/kestrane/resources/Odra2020.jpg
copyright=share/doc/kestrane/copyright
metainfo=share/metainfo/org.example.Kestrane.metainfo.xml
about_title="about Kestrane"
about_client_height=328
# The about window's picture canvas, "x y w h" in its client coordinates.
about_canvas=(304 36 194 251)

[[ -x $binary ]] || e2e_fail "no program at $binary"
[[ -f $build/cmake_install.cmake ]] || e2e_fail "no build tree at $build"
if ! missing=$(e2e_missing_tools Xvfb xdotool xwininfo xprop import identify convert compare desktop-file-validate appstreamcli); then
  e2e_skip "missing tools: $missing (scripts/deps.sh test installs them)"
fi
shots=$artifacts/installed
mkdir -p "$shots"
e2e_start_xvfb || e2e_skip "Xvfb cannot start here"
e2e_log "Xvfb is running on $E2E_DISPLAY"

# shows_picture SHOT PICTURE: the canvas in the about window's screenshot
# SHOT is PICTURE, but for a few pixels that a JPEG decoder rounds otherwise.
shows_picture() {
  local differ
  differ=$(compare -metric AE -fuzz 6% "$1[${about_canvas[2]}x${about_canvas[3]}+${about_canvas[0]}+${about_canvas[1]}]" "$2" null: 2>&1) || true
  [[ $differ =~ ^[0-9]+$ ]] || { echo "cannot compare the canvas with the picture: $differ" >&2; return 1; }
  ((differ < about_canvas[2] * about_canvas[3] / 100)) || { echo "$differ pixels of the canvas differ from the picture" >&2; return 1; }
}

# check_tree ROOT NAME: the installed tree below ROOT (a prefix such as /usr)
# is complete, its launcher entry valid, and its program shows its picture.
check_tree() {
  local root=$1 name=$2 file exec wm_class main icon
  icon=share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$root/$entry").svg
  for file in bin/kestrane "$picture" "$entry" "$copyright" "$icon" "$metainfo" share/man/man1/kestrane.1.gz; do
    [[ -f $root/$file ]] || e2e_fail "$name: $file is not installed"
  done
  desktop-file-validate --no-hints "$root/$entry" || e2e_fail "$name: the launcher entry is not valid"
  appstreamcli validate --no-net "$root/$metainfo" || e2e_fail "$name: the software-centre entry is not valid"
  exec=$(sed -n 's/^Exec=//p' "$root/$entry")
  [[ -x $root/bin/$exec ]] || e2e_fail "$name: the launcher entry starts \"$exec\", which is not in bin/"
  # The print client's waits are bounded only where the program's own
  # connection functions stand in for the library's.
  [[ $(nm -D --defined-only "$root/bin/kestrane" | grep -cwE 'httpReconnect2|cupsGetNamedDest') == 2 ]] ||
    e2e_fail "$name: the program does not export its print client functions"

  E2E_LOG=$artifacts/installed-$name.log
  e2e_start_app "$root/bin/kestrane" "$E2E_LOG"
  if ! e2e_wait_window "$E2E_MAIN_TITLE" 60; then
    cat "$E2E_LOG" >&2
    e2e_fail "$name: the main window did not appear"
  fi
  main=$E2E_WINDOW
  # Desktops on X find the entry of a window by its class's first part.
  wm_class=$(e2e_x xprop -id "$main" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)".*/\1/p')
  [[ $wm_class == "$(sed -n 's/^StartupWMClass=//p' "$root/$entry")" ]] ||
    e2e_fail "$name: the main window's class \"$wm_class\" is not the launcher entry's StartupWMClass"
  [[ $(e2e_x xprop -id "$main" _NET_WM_ICON) == *"Icon (16 x 16)"* ]] || e2e_fail "$name: the main window has no icon"

  e2e_focus
  e2e_x xdotool key --clearmodifiers alt+f
  sleep 0.7
  e2e_x xdotool key --clearmodifiers Return
  e2e_wait_window "$about_title" 20 || e2e_fail "$name: File > About ... opened no about window"
  e2e_locate_client "$about_client_height" || e2e_fail "$name: cannot locate the about window's client area"
  e2e_poll_shot "$shots/$name-about.png" 15 "" shows_picture "$root/$picture" ||
    e2e_fail "$name: the about window's canvas does not show $picture (see $shots/$name-about.png)"
  e2e_log "$name: the about window shows the installed picture"

  E2E_WINDOW=$main
  if ! e2e_quit_app 10; then
    cat "$E2E_LOG" >&2
    e2e_fail "$name: Ctrl+Q did not end the program within 10 s"
  fi
  [[ $E2E_APP_STATUS -eq 0 ]] || { cat "$E2E_LOG" >&2; e2e_fail "$name: the program ended with status $E2E_APP_STATUS"; }
}

prefix=$E2E_TMP/prefix
cmake --install "$build" --prefix "$prefix" >"$artifacts/installed-install.log" 2>&1 ||
  { cat "$artifacts/installed-install.log" >&2; e2e_fail "cmake --install into $prefix failed"; }
check_tree "$prefix" prefix

if missing=$(e2e_missing_tools cpack dpkg-deb dpkg-shlibdeps file); then
  # Packed under a builder's tight umask, it still lets everyone read what it installs.
  (umask 077 && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$E2E_TMP/package") >"$artifacts/installed-cpack.log" 2>&1 ||
    { cat "$artifacts/installed-cpack.log" >&2; e2e_fail "CPack could not build the Debian package"; }
  deb=$(find "$E2E_TMP/package" -maxdepth 1 -name '*.deb')
  [[ -f $deb ]] || e2e_fail "CPack built no single .deb in $E2E_TMP/package"
  odd=$(dpkg-deb -c "$deb" | awk '$1 !~ /^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x)$/')
  [[ -z $odd ]] || e2e_fail "built under umask 077, the package has modes other than 0755 and 0644:"$'\n'"$odd"
  depends=$(dpkg-deb --field "$deb" Depends)
  [[ $depends == *libqt6widgets6* && $depends == *fonts-dejavu-core* && $depends == *fonts-liberation* ]] ||
    e2e_fail "the package depends on \"$depends\", without Qt's widgets or the fonts"
  dpkg-deb -x "$deb" "$E2E_TMP/extracted"
  check_tree "$E2E_TMP/extracted/usr" package
else
  e2e_log "no Debian package built: missing $missing (scripts/deps.sh package installs them)"
fi
echo "PASS: installed"
