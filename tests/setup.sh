#!/usr/bin/env bash
# "scripts/vesk.sh run" on a machine that has nothing yet: it asks for what building and running
# need and for nothing only the tests need, and leaves npm alone. The package tools, sudo and
# cmake are stand-ins that record how they were called; cmake fails, which ends the run there.
set -euo pipefail
source=$1
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
for tool in dpkg-query apt-get sudo npm cmake; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n[ %s != cmake ]\n' "$tool" "$stubs" "$tool" \
        >"$stubs/$tool"
    chmod +x "$stubs/$tool"
done
if PATH="$stubs:$PATH" "$source/scripts/vesk.sh" run >/dev/null 2>&1; then
    echo "the run went on without cmake"
    exit 1
fi
installed=$(grep -E '^(sudo )?apt-get .*install' "$stubs/calls")
for package in g++ qt6-base-dev qt6-svg-dev fonts-comic-neue; do
    grep -qw -- "$package" <<<"$installed" || { echo "run does not install $package"; exit 1; }
done
for package in clang-tidy xvfb mdbtools nodejs g++-mingw-w64-x86-64-posix python3-pyatspi; do
    ! grep -qw -- "$package" <<<"$installed" || { echo "run installs $package"; exit 1; }
done
! grep -q '^npm' "$stubs/calls" || { echo "run calls npm"; exit 1; }
echo "run installs what building and running need, and no more"
