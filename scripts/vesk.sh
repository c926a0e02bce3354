#!/usr/bin/env bash
# Sets up a Debian 12 machine for this project, builds, and then either starts the program
# ("run") or runs every test ("test"). Installs only what is missing; quiet when all is there.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-run}
build=${VESK_BUILD_DIR:-$root/build}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# What building and running the program need: the compiler, Qt, the fonts, OpenCV to run the
# pose model, and Python with ONNX and Node to convert the pinned model at build time.
BuildPackages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins
    qt6-image-formats-plugins libgl-dev fonts-liberation2 fonts-comic-neue
    libopencv-dnn-dev libopencv-imgproc-dev libopencv-imgcodecs-dev python3 python3-onnx
    python3-numpy nodejs npm)
# What only the tests and benchmarks need: checkers, the Windows cross-compiler and Wine, the database
# readers, a virtual X server with the accessibility bus and a reader of it, the desktop's file
# type tools, and Node for the npm packages of package.json.
TestPackages=(file dpkg-dev xvfb xdotool mdbtools clang-format clang-tidy python3 imagemagick
    poppler-utils libjpeg62-turbo-dev g++-mingw-w64-x86-64-posix wine wine64
    dbus at-spi2-core python3-pyatspi shared-mime-info desktop-file-utils xdg-utils
    libglib2.0-bin nodejs npm)

# Installs the Debian packages named that are missing; with "npm", also the Node packages of the
# lock file.
install_packages() {
    local missing=()
    for package in "$@"; do
        # Node from elsewhere (nvm, a tarball) serves as well as Debian's.
        case $package in nodejs | npm) command -v npm >/dev/null && continue ;; esac
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
    [[ " $* " == *" npm "* ]] || return 0
    # Node packages, pinned by the lock file: the pose models the build converts, and what the
    # tests read the databases back and check the converted models with.
    if ! cmp -s "$root/package-lock.json" "$root/node_modules/.vesk-lock" 2>/dev/null; then
        (cd "$root" && npm ci --silent --no-audit --no-fund >/dev/null)
        cp "$root/package-lock.json" "$root/node_modules/.vesk-lock"
    fi
}

# configure_and_build <folder> <target> <cmake options...>
configure_and_build() {
    local dir=$1 target=$2
    shift 2
    # CMake's own warnings (developer, deprecation) fail the set-up like compiler warnings;
    # any other warning it gives is shown.
    local log
    if ! log=$(cmake -S "$root" -B "$dir" -G Ninja -Werror=dev -Werror=deprecated \
        -DVESK_WERROR=ON "$@" 2>&1); then
        grep -vE '^-- ' <<<"$log"
        return 1
    fi
    grep -A8 'CMake Warning' <<<"$log" || true
    local output
    if ! output=$(cmake --build "$dir" --target "$target" -j"$(nproc)" 2>&1); then
        grep -vE '^\[[0-9]+/[0-9]+\] ' <<<"$output"
        return 1
    fi
}

# No library may link in a circle, no file include another around a circle, arrows point
# app -> gui -> core, and the core stays free of Qt Widgets.
check_layers() {
    cmake -S "$root" -B "$1" --graphviz="$1/layers/deps.dot" >/dev/null
    python3 "$root/tools/check-layers.py" "$1/layers/deps.dot"
    python3 "$root/tools/check-includes.py" "$root/src"
}

# clang-tidy's bugprone checks over every source file the build compiles (.clang-tidy).
run_clang_tidy() {
    local log=$1/clang-tidy.log
    if ! run-clang-tidy -p "$1" -quiet -j "$(nproc)" "$root/src/" >"$log" 2>&1; then
        grep -E 'warning:|error:' -A3 "$log" | head -100
        echo "clang-tidy found problems (all of them in $log)" >&2
        return 1
    fi
    echo "clang-tidy: no findings"
}

case "$mode" in
run)
    install_packages "${BuildPackages[@]}"
    configure_and_build "$build" vesk -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec "$build/src/app/vesk"
    ;;
test)
    install_packages "${BuildPackages[@]}" "${TestPackages[@]}"
    # The sanitizer build runs first; the plain build's summary ends the output.
    configure_and_build "$build-asan" all -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=ON
    LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0 \
        ctest --test-dir "$build-asan" --output-on-failure -j2 -E 'walk|format|setup'
    configure_and_build "$build" all -DCMAKE_BUILD_TYPE=RelWithDebInfo
    check_layers "$build"
    run_clang_tidy "$build"
    "$root/tools/cross-compile-core.sh" "$build-windows-core"
    "$root/tests/windows/run-under-wine.sh" "$build-windows-core"
    ctest --test-dir "$build" --output-on-failure -j2
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
