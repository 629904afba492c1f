#!/usr/bin/env bash
# Builds Kestrane Diagram (Release, in build-package/) and its Debian package
# with CPack, and prints the package's path. Install it with
#
#   apt install ./build-package/kestrane_<version>_<architecture>.deb
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-package

bash "$repo/scripts/deps.sh" build package

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTRANE_TESTS=OFF -DKESTRANE_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/*.deb
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
packages=("$build"/*.deb)
if [[ ${#packages[@]} -ne 1 || ! -f ${packages[0]} ]]; then
  echo "package.sh: CPack did not leave exactly one .deb in $build" >&2
  exit 1
fi
echo "${packages[0]}"
