#!/usr/bin/env python3
"""Checks the library layering from CMake's dependency graph (cmake --graphviz=FILE).

Fails when the project's libraries link in a circle, or when a core library reaches Qt Widgets
(or, for scoring, safewrite and jet, any Qt at all). Run by the test command after configuring.

usage: check-layers.py build/deps.dot
"""
import re
import sys

CORE_NO_QT = {"scoring", "safewrite", "jet"}
CORE_NO_WIDGETS = {"report", "assessment", "pose"} | CORE_NO_QT


def main(path):
    names, edges = {}, {}
    for line in open(path, encoding="utf-8"):
        node = re.match(r'\s*"(node\d+)" \[ label = "([^"]+)"', line)
        if node:
            names[node.group(1)] = node.group(2)
        edge = re.match(r'\s*"(node\d+)" -> "(node\d+)"', line)
        if edge:
            edges.setdefault(edge.group(1), set()).add(edge.group(2))
    graph = {names[a]: {names[b] for b in bs} for a, bs in edges.items()}

    def reach(start):
        seen, todo = set(), list(graph.get(start, ()))
        while todo:
            name = todo.pop()
            if name not in seen:
                seen.add(name)
                todo.extend(graph.get(name, ()))
        return seen

    faults = []
    for library in sorted(graph):
        reached = reach(library)
        if library in reached:
            faults.append(f"{library} links in a circle")
        if library in CORE_NO_WIDGETS and "Qt6::Widgets" in reached:
            faults.append(f"{library} is core but reaches Qt6::Widgets")
        # Qt6::moc and Qt6::rcc are build tools that automatic moc adds to every target.
        used = {name for name in reached if name.startswith("Qt6::")} - {"Qt6::moc", "Qt6::rcc"}
        if library in CORE_NO_QT and used:
            faults.append(f"{library} must not use Qt")
    for fault in faults:
        print(f"check-layers: {fault}", file=sys.stderr)
    missing = (CORE_NO_WIDGETS - {"safewrite"}) - set(names.values())
    if missing:
        print(f"check-layers: libraries not found: {sorted(missing)}", file=sys.stderr)
        return 1
    if faults:
        return 1
    print(f"check-layers: {len(graph)} targets, no circle, core free of Widgets")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
