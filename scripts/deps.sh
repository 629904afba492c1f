#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kestrane
# Diagram need, and nothing when they are all present already.
#
#   scripts/deps.sh [build] [display] [package] [test]   (no argument: all)
#
#   build    compiler, make, CMake, Qt 6, the print client library, the fonts
#            the program is drawn with and the SVG renderer that draws its icon
#   display  a virtual X server, a window manager and the tools that drive
#            and photograph it
#   package  what CPack needs to build the Debian package and work out its
#            dependencies
#   test     build + display + package + GoogleTest, Google Benchmark, PDF
#            tools, the validators of the launcher and software-centre entries,
#            a Wayland compositor with Qt's Wayland plugin, and a print server
#
# As root it runs apt-get (with one `apt-get update` first, and only when
# something is missing). Anyone else is told what is missing and how to
# install it, and the script fails.
set -euo pipefail

build_packages=(g++ make cmake qt6-base-dev libcups2-dev fonts-dejavu-core fonts-liberation librsvg2-bin)
display_packages=(xvfb xdotool imagemagick x11-utils openbox)
package_packages=(dpkg-dev file)
test_packages=(libgtest-dev libbenchmark-dev poppler-utils desktop-file-utils appstream weston qt6-wayland
  cups-daemon)

groups=("$@")
[[ ${#groups[@]} -gt 0 ]] || groups=(build display package test)

wanted=()
for group in "${groups[@]}"; do
  case $group in
    build) wanted+=("${build_packages[@]}") ;;
    display) wanted+=("${display_packages[@]}") ;;
    package) wanted+=("${package_packages[@]}") ;;
    test)
      wanted+=("${build_packages[@]}" "${display_packages[@]}" "${package_packages[@]}" "${test_packages[@]}")
      ;;
    *)
      echo "deps.sh: unknown group '$group' (expected build, display, package or test)" >&2
      exit 2
      ;;
  esac
done

installed() {
  [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) == installed ]]
}

missing=()
for package in "${wanted[@]}"; do
  if ! installed "$package" && [[ " ${missing[*]} " != *" $package "* ]]; then
    missing+=("$package")
  fi
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  {
    echo "Missing Debian packages: ${missing[*]}"
    echo "Install them as root, for example:"
    echo "  sudo apt-get update && sudo apt-get install --no-install-recommends ${missing[*]}"
  } >&2
  exit 1
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
