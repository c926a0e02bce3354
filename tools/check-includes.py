#!/usr/bin/env python3
"""Checks the include graph of the sources: no circles, and arrows pointing down the layers.

    tools/check-includes.py [SRC_DIR] [--widgets-dir DIR] [--verbose]

A unit is a .cpp and its .h (same folder, same name). An edge goes from a unit to every other
unit whose header one of its files includes with #include "...". The check fails when:
- units include each other, directly or around a circle (each circle is printed);
- a unit includes a unit of a layer above it: the layers are src/core, src/gui and src/app,
  arrows point app -> gui -> core;
- a file under src/core includes a Qt Widgets header (one of the headers in the QtWidgets
  include folder, found with qmake6 unless --widgets-dir names it).
It prints the number of units, edges and circles. Run by the test command.
"""
import argparse
import pathlib
import re
import subprocess
import sys

LAYERS = {"core": 0, "gui": 1, "app": 2}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def widgets_headers(folder):
    if folder is None:
        try:
            headers = subprocess.run(["qmake6", "-query", "QT_INSTALL_HEADERS"], check=True,
                                     capture_output=True, text=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            sys.exit("check-includes: qmake6 not found; give --widgets-dir")
        folder = pathlib.Path(headers) / "QtWidgets"
    folder = pathlib.Path(folder)
    names = {path.name for path in folder.iterdir()} if folder.is_dir() else set()
    if not names:
        sys.exit(f"check-includes: no Qt Widgets headers in {folder}")
    return names | {"QtWidgets"}


def circles(graph):
    """The strongly connected components with more than one unit (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(start):
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            node, edges = work[-1]
            for target in edges:
                if target not in index:
                    index[target] = low[target] = len(index)
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(graph[target]))))
                    break
                if target in on_stack:
                    low[node] = min(low[node], index[target])
            else:
                work.pop()
                if work:
                    low[work[-1][0]] = min(low[work[-1][0]], low[node])
                if low[node] == index[node]:
                    component = []
                    while True:
                        member = stack.pop()
                        on_stack.discard(member)
                        component.append(member)
                        if member == node:
                            break
                    if len(component) > 1:
                        found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("src", nargs="?", type=pathlib.Path,
                        default=pathlib.Path(__file__).resolve().parent.parent / "src")
    parser.add_argument("--widgets-dir")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    src = args.src.resolve()
    widgets = widgets_headers(args.widgets_dir)

    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    unit_of_header, faults = {}, []
    for path in files:
        if path.suffix == ".h":
            if path.name in unit_of_header:
                faults.append(f"two headers named {path.name}: includes are ambiguous")
            unit_of_header[path.name] = path.with_suffix("").relative_to(src).as_posix()

    graph = {}
    for path in files:
        unit = path.with_suffix("").relative_to(src).as_posix()
        graph.setdefault(unit, set())
        layer = unit.split("/")[0]
        for kind, name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            base = name.split("/")[-1]
            if kind == "<" and layer == "core" and (base in widgets or name.startswith("QtWidgets")):
                faults.append(f"{path.relative_to(src)} is core but includes <{name}>")
            if kind != '"' or base not in unit_of_header:
                continue
            target = unit_of_header[base]
            if target == unit:
                continue
            graph[unit].add(target)
            target_layer = target.split("/")[0]
            if LAYERS.get(target_layer, 0) > LAYERS.get(layer, 0):
                faults.append(f"{path.relative_to(src)} ({layer}) includes {name} ({target_layer})")

    found = circles(graph)
    for component in found:
        faults.append("circle: " + " <-> ".join(component))
    edges = sum(len(targets) for targets in graph.values())
    if args.verbose:
        for unit in sorted(graph):
            print(f"{unit} -> {', '.join(sorted(graph[unit]))}")
    for fault in faults:
        print(f"check-includes: {fault}", file=sys.stderr)
    in_circles = sum(len(component) for component in found)
    print(f"check-includes: {len(graph)} units, {edges} edges, {len(found)} circles "
          f"({in_circles} units in circles)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
