#!/usr/bin/env bash
# Builds the core without Qt (scoring, safewrite, jet) for Windows with Debian's mingw-w64, so
# that code which only compiles on one system is found here, with the programs that
# tests/windows/run-under-wine.sh runs. Usage:
#   tools/cross-compile-core.sh [build folder]      (default: build-windows-core)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-windows-core}

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "x86_64-w64-mingw32-g++-posix is missing (package g++-mingw-w64-x86-64-posix)" >&2
    exit 1
fi
cmake -S "$root/cmake/core-only" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/core-only/mingw-w64-x86_64.cmake" >/dev/null
if ! output=$(cmake --build "$build" -j"$(nproc)" 2>&1); then
    grep -vE '^\[[0-9]+/[0-9]+\] ' <<<"$output"
    exit 1
fi
echo "Windows build of the core: $build/core_check.exe, $build/test_safewrite_windows.exe"
