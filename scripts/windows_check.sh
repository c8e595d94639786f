#!/usr/bin/env bash
# Cross-compiles the Windows build with MinGW-w64 (platform with its Win32 backends, the form
# logic, both tools and their tests) and runs the tests under Wine, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine64 cmake ninja-build
if [ ! -f build-win/build.ninja ]; then
  cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DVZ_BUILD_GUI=OFF -DVZ_WERROR=ON
fi
cmake --build build-win
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$PWD/build-win/wineprefix}"
wine build-win/tests/windows_tests.exe
