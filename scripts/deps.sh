#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kestrane
# Diagram need, and nothing when they are all present already.
#
#   scripts/deps.sh [build] [display] [test]     (no argument: all of them)
#
#   build    compiler, make, CMake, Qt 6 and the fonts the diagram is drawn with
#   display  a virtual X server and the tools that drive and photograph it
#   test     build + display + GoogleTest, Google Benchmark and PDF tools
#
# As root it runs apt-get (with one `apt-get update` first, and only when
# something is missing). Anyone else is told what is missing and how to
# install it, and the script fails.
set -euo pipefail

build_packages=(g++ make cmake qt6-base-dev fonts-liberation)
display_packages=(xvfb xdotool imagemagick x11-utils)
test_packages=(libgtest-dev libbenchmark-dev poppler-utils)

groups=("$@")
[[ ${#groups[@]} -gt 0 ]] || groups=(build display test)

wanted=()
for group in "${groups[@]}"; do
  case $group in
    build) wanted+=("${build_packages[@]}") ;;
    display) wanted+=("${display_packages[@]}") ;;
    test) wanted+=("${build_packages[@]}" "${display_packages[@]}" "${test_packages[@]}") ;;
    *)
      echo "deps.sh: unknown group '$group' (expected build, display or test)" >&2
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
