#!/usr/bin/env python3
"""Plants small faults in the core sources one at a time and counts how many the tests catch.

    tools/plant-faults.py BUILD_DIR [--faults 60] [--seed 1] [--folders src/core ...]

The sources are never touched where they are checked out: the committed tree (HEAD, or with
--working-tree the files as they are now) is copied into BUILD_DIR/tree and built in
BUILD_DIR/build. For each fault the tool changes one place of one file there (a relational or
logical operator flipped, + and - swapped, an integer constant moved by one, true and false
swapped, a call statement deleted, a returned expression replaced by {}), rebuilds the test
programs, runs the tests whose program changed (never walk, smoke or format), and writes the file
back byte for byte, also after a failed build, an error or Ctrl-C. A fault that does not build is
not counted. The gui folders are left out, but for the window files (Save*, OverwriteFile*,
Main2*, EmployeeDetails*, OptionFrame*, ...) with --with-windows. A fault that only moves, sizes or
styles a control (a constant in a position, size or font, or a deleted placing, font, palette,
word-wrap or alignment call) is planted and run like any other but set aside: it is listed, not
counted. The last lines give the
share caught and every fault that survived.

With --attribute every test program is run to its end for every fault, and the test functions
that failed are recorded: the last lines then also give, for each test function, the faults it
caught and the faults only it caught. A function that catches nothing alone is a candidate to
cut; one that catches nothing at all restates the code or tests what no fault here reaches.
"""
import argparse
import json
import os
import pathlib
import random
import re
import signal
import subprocess
import sys
import tarfile
import tempfile
import time

DEFAULT_FOLDERS = ["src/core", "src/gui/windows", "src/gui/widgets"]
WINDOW_FILES = ("Save", "OverwriteFile", "WriteReportFiles", "Main2", "EmployeeDetails",
                "OptionFrame")
EXCLUDED_TESTS = r"^(walk|smoke|format)$"
KEYWORDS = {"return", "if", "for", "while", "switch", "case", "delete", "throw", "sizeof",
            "static_assert", "else", "do", "co_return", "using", "typedef", "template"}

# ---------------------------------------------------------------------------------------------
# Finding the places to change


def mask(text):
    """The text with comments, string and character literals blanked out (newlines kept), so a
    pattern matches code only and every offset stays the same."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c == "R" and text.startswith('R"', i) and not (i and (text[i - 1].isalnum()
                                                                 or text[i - 1] == "_")):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            end = text.find(")" + m.group(1) + '"', i) if m else -1
            if end < 0:
                i += 1
                continue
            j = end + len(m.group(1)) + 2
        elif c in "\"'":
            if c == "'" and i and text[i - 1].isdigit():  # digit separator 1'000
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j += 1
        else:
            i += 1
            continue
        for k in range(i, min(j, n)):
            if out[k] != "\n":
                out[k] = " "
        if c in "\"'" or c == "R":
            out[i] = c if c != "R" else "R"  # keep the quotes so "x" + y is not read as a sum
            if j - 1 < n:
                out[j - 1] = text[j - 1]
        i = j
    return "".join(out)


RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
SWAPS = {"&&": "||", "||": "&&", "+": "-", "-": "+"}
CALL = re.compile(r"^(\s+)([A-Za-z_][\w:]*(?:\s*(?:\.|->)\s*[A-Za-z_]\w*)*)\s*\((.*)\)\s*;\s*$")
RETURN = re.compile(r"^(\s*)return\s+(.+);\s*$")
INTEGER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)(?![\w.'])")


# Where a changed constant only moves, sizes or styles a control: a rectangle or point in twips,
# or the arguments of a call that places, sizes or styles one.
LAYOUT_CALL = re.compile(r"\b(place|placeOnTab|designFont|pageFont|QSize|QSizeF|QRect|QRectF|QPoint|"
                         r"setGeometry|setFont|setFixedSize|setMinimumSize|setPalette|setWordWrap|"
                         r"setAlignment)\s*\(")
# A rectangle {left, top, width, height} or a point {left, top} in twips: a brace group of four
# or two integers, one of them at least 100 (the tables of scores hold small numbers only).
RECT = re.compile(r"\{\s*-?\d+(?:\s*,\s*-?\d+){3}\s*\}|\{\s*-?\d+\s*,\s*-?\d+\s*\}")


def is_layout(text, offset, kind):
    """Whether the fault at `offset` only moves, sizes or styles a control."""
    start = text.rfind("\n", 0, offset) + 1
    end = text.find("\n", offset)
    line = text[start:end if end >= 0 else len(text)]
    if kind == "call deleted":
        return bool(re.match(r"\s*([\w.]+(->|\.))?" + LAYOUT_CALL.pattern, line))
    if kind not in ("constant", "boolean"):
        return False
    column = offset - start
    spans = [m.span() for m in RECT.finditer(line)
             if max(abs(int(n)) for n in re.findall(r"-?\d+", m.group())) >= 100]
    for m in LAYOUT_CALL.finditer(line):
        depth, k = 0, m.end() - 1
        while k < len(line):
            depth += {"(": 1, ")": -1}.get(line[k], 0)
            if depth == 0:
                break
            k += 1
        spans.append((m.start(), k))
    return any(a <= column < b for a, b in spans)


def balanced(s):
    depth = 0
    for ch in s:
        depth += {"(": 1, ")": -1}.get(ch, 0)
        if depth < 0:
            return False
    return depth == 0


def sites(path, text):
    """Every fault that can be planted in one file: (offset, old text, new text, kind)."""
    code = mask(text)
    found = []
    offset = 0
    for line in code.split("\n"):
        start, offset = offset, offset + len(line) + 1
        if line.lstrip().startswith("#"):
            continue
        for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>|&&|\|\||\+|-)(?=\s)", line):
            op = m.group(1)
            found.append((start + m.start(), op, RELATIONAL.get(op) or SWAPS[op], "operator"))
        for m in re.finditer(r"\b(true|false)\b", line):
            found.append((start + m.start(), m.group(1),
                          "false" if m.group(1) == "true" else "true", "boolean"))
        for m in INTEGER.finditer(line):
            old = m.group(1)
            if old.lower().startswith("0x"):
                value = int(old, 16)
                new = value + 1 if value == 0 or random.random() < 0.5 else value - 1
                digits = len(old) - 2
                new = old[:2] + (f"{new:0{digits}X}" if old[2:].isupper() or old[2:].isdigit()
                                 else f"{new:0{digits}x}")
            else:
                value = int(old)
                new = str(value + 1 if value == 0 or random.random() < 0.5 else value - 1)
            found.append((start + m.start(), old, new, "constant"))
        call = CALL.match(line)
        if call and re.split(r"\W", call.group(2))[0] not in KEYWORDS and balanced(call.group(3)):
            found.append((start, line, " " * len(line), "call deleted"))
        ret = RETURN.match(line)
        if ret and ret.group(2).strip() != "{}" and balanced(ret.group(2)):
            indent = ret.group(1)
            found.append((start, line, indent + "return {};".ljust(len(line) - len(indent)),
                          "return {}"))
    # The old text of a line-wide fault is the original text, not the masked one.
    return [(o, text[o:o + len(old)], new, kind) for o, old, new, kind in found
            if kind in ("call deleted", "return {}") or text[o:o + len(old)] == old]


# ---------------------------------------------------------------------------------------------
# Running commands so that nothing outlives an interruption


def run(cmd, cwd=None, timeout=None):
    """Runs a command in its own process group; returns (exit code, output). On any exception
    (Ctrl-C included) the whole group is killed before the exception goes on."""
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except BaseException:
        # TERM first: ninja then deletes the outputs of the commands it was running.
        for sig, grace in ((signal.SIGTERM, 10), (signal.SIGKILL, None)):
            try:
                os.killpg(proc.pid, sig)
            except ProcessLookupError:
                break
            try:
                proc.wait(timeout=grace)
                break
            except subprocess.TimeoutExpired:
                pass
        proc.wait()
        raise


def interrupt(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


# ---------------------------------------------------------------------------------------------
# The copy of the tree


def export_tree(repo, tree, working_tree):
    """Makes `tree` hold exactly the chosen sources. Files whose bytes are unchanged keep their
    time stamps, so a second run rebuilds only what changed."""
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        if working_tree:
            code, out = run(["git", "-C", str(repo), "ls-files", "-z", "--cached", "--others",
                             "--exclude-standard"])
            names = [n for n in out.split("\0") if n and (repo / n).is_file()]
            for name in names:
                (tmp / name).parent.mkdir(parents=True, exist_ok=True)
                (tmp / name).write_bytes((repo / name).read_bytes())
        else:
            archive = tmp / "head.tar"
            code, out = run(["git", "-C", str(repo), "archive", "-o", str(archive), "HEAD"])
            if code:
                sys.exit(f"git archive failed:\n{out}")
            with tarfile.open(archive) as tar:
                tar.extractall(tmp / "x")
            archive.unlink()
            for p in (tmp / "x").rglob("*"):
                if p.is_file() or p.is_symlink():
                    dest = tmp / p.relative_to(tmp / "x")
                    dest.parent.mkdir(parents=True, exist_ok=True)
                    p.rename(dest)
            for p in sorted((tmp / "x").rglob("*"), reverse=True):
                p.rmdir()
            (tmp / "x").rmdir()
        wanted = {p.relative_to(tmp) for p in tmp.rglob("*") if p.is_file()}
        tree.mkdir(parents=True, exist_ok=True)
        for folder, _, files in os.walk(tree):  # never into a linked folder
            for name in files:
                p = pathlib.Path(folder) / name
                if p.relative_to(tree) not in wanted:
                    p.unlink()
        for rel in wanted:
            new = (tmp / rel).read_bytes()
            dest = tree / rel
            if not dest.is_file() or dest.read_bytes() != new:
                dest.parent.mkdir(parents=True, exist_ok=True)
                dest.write_bytes(new)
                os.chmod(dest, (tmp / rel).stat().st_mode)


# ---------------------------------------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build_dir", type=pathlib.Path,
                        help="folder for the copy of the tree and its build (reused across runs)")
    parser.add_argument("--faults", type=int, default=60, help="how many faults to plant")
    parser.add_argument("--seed", type=int, default=None, help="random seed (printed)")
    parser.add_argument("--folders", nargs="+", default=DEFAULT_FOLDERS,
                        help="folders, relative to the repository, to plant faults in")
    parser.add_argument("--working-tree", action="store_true",
                        help="copy the files as they are now instead of the last commit")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--test-timeout", type=int, default=300)
    parser.add_argument("--with-windows", action="store_true",
                        help="plant faults in the window files too")
    parser.add_argument("--attribute", action="store_true",
                        help="run every test to its end and count the faults each function catches")
    parser.add_argument("--list", action="store_true",
                        help="only print the chosen faults; build and run nothing")
    args = parser.parse_args()

    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, interrupt)
    repo = pathlib.Path(__file__).resolve().parent.parent
    root = args.build_dir.resolve()
    tree, build = root / "tree", root / "build"
    if repo == root or repo in tree.parents and not root.name.startswith("build"):
        sys.exit("the build folder must be outside the sources, or a build* folder in them")
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    random.seed(seed)
    print(f"seed {seed}", flush=True)

    # The database tests read files back with Node packages installed beside the sources.
    modules = tree / "node_modules"
    if (repo / "node_modules").is_dir() and not modules.exists():
        tree.mkdir(parents=True, exist_ok=True)
        modules.symlink_to(repo / "node_modules", target_is_directory=True)
    if not args.list:
        # An interrupted earlier run may have left a planted file's object behind.
        state = root / "planted"
        export_tree(repo, tree, args.working_tree)
        if state.exists():
            planted = tree / state.read_text().strip()
            if planted.exists():
                os.utime(planted)
            state.unlink()
    else:
        export_tree(repo, tree, args.working_tree)

    candidates = []
    for folder in args.folders:
        for path in sorted((tree / folder).rglob("*")):
            in_gui = "gui" in path.relative_to(tree).parts
            if path.suffix not in (".cpp", ".h") or (
                    in_gui and not (args.with_windows and path.name.startswith(WINDOW_FILES))):
                continue
            text = path.read_text(encoding="utf-8")
            candidates += [(path, *site) for site in sites(path, text)]
    if not candidates:
        sys.exit("no place to plant a fault in " + " ".join(args.folders))
    chosen = sorted(random.sample(candidates, min(args.faults, len(candidates))),
                    key=lambda c: (str(c[0]), c[1]))
    print(f"{len(candidates)} places in {' '.join(args.folders)}; planting {len(chosen)}",
          flush=True)

    def describe(path, offset, old, new, kind):
        text = path.read_text(encoding="utf-8")
        line_no = text.count("\n", 0, offset) + 1
        line = text.split("\n")[line_no - 1].strip()
        what = kind if kind in ("call deleted", "return {}") else f"{old!r} -> {new!r}"
        return f"{path.relative_to(tree)}:{line_no}  {what}  | {line}"

    if args.list:
        for c in chosen:
            print(describe(*c))
        return

    code, out = run(["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja",
                     "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0",
                     "-DVESK_WERROR=OFF"])
    if code:
        sys.exit(f"configuring the copy failed:\n{out}")
    def list_tests():
        """Test name -> its program in the build, or None for a test that runs a script. A test
        whose program is not built yet has no command; its target bears its name."""
        code, out = run(["ctest", "--show-only=json-v1"], cwd=build)
        found = {}
        for t in json.loads(out)["tests"]:
            if re.match(EXCLUDED_TESTS, t["name"]):
                continue
            if "command" not in t:
                found[t["name"]] = build / t["name"]
                continue
            exe = pathlib.Path(t["command"][0]).resolve()
            found[t["name"]] = exe if build in exe.parents else None
        return found

    tests = list_tests()
    targets = sorted({exe.name for exe in tests.values() if exe})

    def build_tests():
        return run(["cmake", "--build", str(build), "-j", str(args.jobs), "--target", *targets])

    durations = {}

    def run_tests(names, stop=True):
        """Runs the quick tests first and the rest only if they all pass; stops at the first
        failure. Returns (all passed, what failed). With --attribute nothing stops early and
        what failed names the failing test functions (or the program, where it crashed)."""
        stop = stop and not args.attribute
        quick = {n for n in names if durations.get(n, 0) < 5}
        failed = []
        for batch in (quick, set(names) - quick):
            if not batch or (failed and stop):
                continue
            pattern = "^(" + "|".join(re.escape(n) for n in sorted(batch)) + ")$"
            code, out = run(["ctest", "-R", pattern, "-j", str(args.jobs), "--timeout",
                             str(args.test_timeout)] + ["--stop-on-failure"] * stop
                            + ["--output-on-failure"] * args.attribute, cwd=build)
            for name, seconds in re.findall(r"Test +#\d+: (\S+) .*? ([\d.]+) sec", out):
                durations.setdefault(name, float(seconds))
            if code:
                programs = re.findall(r"^\s*\d+ - (\S+) \(", out, re.M) or [out.strip()[-200:]]
                functions = sorted(set(re.findall(r"^FAIL!  : (\w+::\w+)\(", out, re.M)))
                classes = {f.split("::")[0].lower() for f in functions}
                failed += functions if args.attribute else programs
                if args.attribute:  # a crash names no function: the program stands for it
                    failed += [p for p in programs if p.replace("_", "") not in classes]
        return not failed, ", ".join(failed)

    started = time.monotonic()
    code, out = build_tests()
    if code:
        sys.exit(f"the unchanged copy does not build:\n{out[-3000:]}")
    tests = list_tests()
    ok, failed = run_tests(tests, stop=False)
    if not ok:
        print(f"left out, failing without a fault: {failed}")
        for name in failed.split(", "):
            tests.pop(name, None)
    print(f"baseline built and tested in {time.monotonic() - started:.0f} s; "
          f"{len(tests)} tests", flush=True)

    results = []
    state = root / "planted"
    try:
        for number, (path, offset, old, new, kind) in enumerate(chosen, 1):
            label = describe(path, offset, old, new, kind)
            original = path.read_bytes()
            stamps = {n: e.stat().st_mtime_ns for n, e in tests.items() if e and e.exists()}
            state.write_text(str(path.relative_to(tree)))
            try:
                text = original.decode("utf-8")
                path.write_bytes((text[:offset] + new + text[offset + len(old):]).encode("utf-8"))
                code, _ = build_tests()
                if code:
                    verdict, detail = "no-build", ""
                else:
                    changed = {n for n, e in tests.items()
                               if e is None or not e.exists()
                               or e.stat().st_mtime_ns != stamps.get(n)}
                    passed, detail = run_tests(changed)
                    verdict = "missed" if passed else "caught"
                    if is_layout(text, offset, kind):
                        verdict = "layout " + verdict
                    if passed:
                        detail = f"ran {len(changed)} tests"
            finally:
                path.write_bytes(original)
            state.unlink()
            results.append((verdict, label, detail))
            print(f"{number:3}/{len(chosen)} {verdict:14} {label}  [{detail}]", flush=True)
    except KeyboardInterrupt:
        print("\ninterrupted; the planted file is back as it was", flush=True)

    aside = [r for r in results if r[0].startswith("layout")]
    if aside:
        print(f"\n{len(aside)} faults only moved, sized or styled a control; set aside "
              f"({sum(1 for r in aside if r[0] == 'layout caught')} of them caught):")
        for verdict, label, _ in aside:
            print(f"  {verdict[7:]:7} {label}")
    counted = [r for r in results if r[0] in ("caught", "missed")]
    caught = sum(1 for r in counted if r[0] == "caught")
    unbuilt = sum(1 for r in results if r[0] == "no-build")
    print(f"\n{len(results)} faults planted, {unbuilt} did not build, {len(aside)} set aside; "
          f"caught {caught} of {len(counted)}"
          + (f" = {100 * caught / len(counted):.0f} %" if counted else ""))
    for verdict, label, _ in results:
        if verdict == "missed":
            print("  missed: " + label)
    if args.attribute:
        caught_by, alone = {}, {}
        for verdict, _, detail in results:
            if verdict != "caught":
                continue
            names = detail.split(", ")
            for name in names:
                caught_by[name] = caught_by.get(name, 0) + 1
                alone[name] = alone.get(name, 0) + (len(names) == 1)
        print("\ncaught / caught alone, per test function:")
        for name in sorted(caught_by, key=lambda n: (-alone[n], -caught_by[n], n)):
            print(f"  {caught_by[name]:4} {alone[name]:4}  {name}")
    print(f"({time.monotonic() - started:.0f} s, seed {seed})")


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("interrupted before any fault was planted")
