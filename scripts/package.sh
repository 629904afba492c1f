#!/usr/bin/env bash
# Builds Kestrane Diagram (Release, in build-package/) and its Debian package
# with CPack, and prints the package's path. Install it with
#
#   apt install ./build-package/kestrane_<version>_<architecture>.deb
#
# The build uses Debian's hardening flags, and every time stamp in the package
# is the time of the last commit: the same commit gives the same package, byte
# for byte, wherever the work tree lies and whatever the builder's umask.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-package

bash "$repo/scripts/deps.sh" build package

# CPack copies the modes of the parts it writes (control, data) into the
# package's archive headers; the builder's umask must not show there.
umask 022

cd "$repo"
# The package's time stamps: the last commit's time, unless the caller sets one.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) ||
    { echo "package.sh: no commit to date the package by; set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
# All of the hardening flags (with bind-now); the compiler's build paths are
# mapped to "." (dpkg-buildflags maps the current folder).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

# A fresh build tree, so that no earlier configuration or file lingers.
rm -rf "$build"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTRANE_TESTS=OFF -DKESTRANE_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" -j"$(nproc)"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
packages=("$build"/*.deb)
if [[ ${#packages[@]} -ne 1 || ! -f ${packages[0]} ]]; then
  echo "package.sh: CPack did not leave exactly one .deb in $build" >&2
  exit 1
fi
echo "${packages[0]}"
