#!/usr/bin/env bash
# "scripts/vesk.sh run" on a machine that has nothing yet: it asks for what building and running
# need and for nothing only the tests need. The package tools, sudo, npm and cmake are stand-ins
# that record how they were called (Node found on the path is used as it is); cmake fails, which
# ends the run there.
set -euo pipefail
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
for tool in dpkg-query apt-get sudo npm cmake; do
    printf '#!/bin/sh\necho "%s $*" >>%s/calls\n[ %s != cmake ]\n' $tool "$stubs" $tool >"$stubs/$tool"
    chmod +x "$stubs/$tool"
done
! PATH="$stubs:$PATH" "$1/scripts/vesk.sh" run >/dev/null 2>&1 || { echo "ran without cmake"; exit 1; }
asked=" $(grep -E '^(sudo )?apt-get .*install' "$stubs/calls") $(grep '^npm' "$stubs/calls" || true) "
# What run must ask for, and (-) what it must not.
for wanted in g++ qt6-base-dev qt6-svg-dev fonts-comic-neue libopencv-dnn-dev python3-onnx \
    -clang-tidy -xvfb -mdbtools -wine -g++-mingw-w64-x86-64-posix -python3-pyatspi; do
    want=yes found=no
    [[ $wanted == -* ]] && want=no
    [[ $asked == *" ${wanted#-} "* ]] && found=yes
    [ $found = $want ] || { echo "run and ${wanted#-}: asked for$asked"; exit 1; }
done
echo "run installs what building and running need, and no more"
