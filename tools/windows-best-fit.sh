#!/usr/bin/env bash
# Asks Windows' own conversion (Wine's WideCharToMultiByte, which carries Windows' best-fit
# tables) what every character of the Basic Multilingual Plane becomes in Windows-1252, and writes
# the characters outside the code page that it writes as a close character instead of "?":
#   tests/data/windows-1252-best-fit.txt   one "XXXX YY" line each (code point, byte)
#   src/core/report/BestFit1252.cpp         the same as the table the report writer uses
# Needs mingw-w64 and wine (both installed by the test command). Usage:
#   tools/windows-best-fit.sh [build folder]      (default: build-windows-core)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-windows-core}
mkdir -p "$build/best-fit"
cd "$build/best-fit"
cat >best-fit.cpp <<'SOURCE'
#include <windows.h>
#include <cstdio>
int main()
{
    for (unsigned c = 0x100; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const wchar_t w = wchar_t(c);
        char out[4] = {};
        BOOL usedDefault = FALSE;
        if (WideCharToMultiByte(1252, 0, &w, 1, out, sizeof out, nullptr, &usedDefault) == 1 &&
            !usedDefault && out[0] != '?')
            std::printf("%04X %02X\n", c, unsigned(static_cast<unsigned char>(out[0])));
    }
}
SOURCE
x86_64-w64-mingw32-g++-posix -O2 -static -o best-fit.exe best-fit.cpp
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
wine best-fit.exe | tr -d '\r' >map.txt
python3 - "$root" <<'PYTHON'
import sys
root = sys.argv[1]
code_page = {ord(bytes([b]).decode("cp1252", "ignore") or chr(b)) for b in range(256)}
pairs = [line.split() for line in open("map.txt")]
pairs = [(int(c, 16), int(b, 16)) for c, b in pairs if int(c, 16) not in code_page]
with open(f"{root}/tests/data/windows-1252-best-fit.txt", "w") as out:
    out.write("# Characters outside Windows-1252 that Windows writes as a close character of the\n"
              "# code page (its best fit) rather than \"?\": code point, byte. Made by\n"
              "# tools/windows-best-fit.sh from Wine's WideCharToMultiByte.\n")
    for c, b in pairs:
        out.write(f"{c:04X} {b:02X}\n")
rows = []
for i in range(0, len(pairs), 6):
    rows.append("    " + " ".join(f"{{0x{c:04X}, 0x{b:02X}}}," for c, b in pairs[i:i + 6]))
with open(f"{root}/src/core/report/BestFit1252.cpp", "w") as out:
    out.write("// Made by tools/windows-best-fit.sh from Windows' own conversion: do not edit.\n"
              "#include \"BestFit1252.h\"\n\n"
              f"const std::array<BestFit, {len(pairs)}> BestFit1252{{{{\n" + "\n".join(rows) + "\n}};\n")
print(f"{len(pairs)} characters written as a close character")
PYTHON
clang-format -i "$root/src/core/report/BestFit1252.cpp"
