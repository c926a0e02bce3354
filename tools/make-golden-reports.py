#!/usr/bin/env python3
"""Writes the golden text reports in tests/data from values worked out by hand, without the
program's code: 128 lines, entry n-1 on line n, texts in double quotes, integers bare, empty
entries as empty lines, CR LF line ends, Windows-1252 with the close character Windows writes
for each character it lacks, or "?" where there is none.
Run it from anywhere; it rewrites the report-*.txt files it names below."""
import pathlib

DATA = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data"

RESULTS = ["VESK Score - Left Arm", "Risk Level - Left Arm", "Upper Arm - Left", "Lower Arm - Left",
           "Wrist - Left", "VESK Score - Right Arm", "Risk Level - Right Arm", "Upper Arm - Right",
           "Lower Arm - Right", "Wrist - Right", "Trunk", "Neck", "Legs", "Load / Force",
           "Coupling", "Activity"]
REGIONS = [("Trunk", 5), ("Neck", 3), ("Legs", 4), ("Upper Arm Right", 7), ("Upper Arm Left", 7),
           ("Lower Arm Right", 2), ("Lower Arm Left", 2), ("Right Wrist", 2), ("Left Wrist", 2),
           ("Load", 4), ("Coupling", 4), ("Activity", 3)]
OPTIONS = [f"{region} - Option {n}" for region, count in REGIONS for n in range(1, count + 1)]
EMPLOYEE = ["Employee Name:", "Employee ID:", "Employee Location:"]


# Characters outside the code page that Windows writes as a close one (made from Windows' own
# conversion by tools/windows-best-fit.sh); any other is written as "?".
BEST_FIT = {int(c, 16): bytes([int(b, 16)]).decode("cp1252", "surrogateescape")
            for c, b in (line.split() for line in open(DATA / "windows-1252-best-fit.txt")
                         if not line.startswith("#"))}


def report(values, chosen, employee):
    """values: the 16 result values in entry order; chosen: captions of the chosen drawings;
    employee: (name, id, location) as typed, or None when never confirmed."""
    assert len(values) == 16 and set(chosen) <= set(OPTIONS)
    entries = [x for pair in zip(RESULTS, values) for x in pair]
    entries += [x for o in OPTIONS for x in (o, "True" if o in chosen else "False")]
    # The details window removes the apostrophes of what was typed.
    typed = [t.replace("'", "") for t in employee] if employee else [None] * 3
    entries += [x for pair in zip(EMPLOYEE, typed) for x in pair]
    lines = [str(e) if isinstance(e, int) else "" if e is None else '"' + e + '"' for e in entries]
    assert len(lines) == 128
    text = "".join(line + "\r\n" for line in lines).translate(BEST_FIT)
    return text.encode("cp1252", errors="replace")


# Trunk 3, neck 2, legs 2 -> A 5; load 1 -> Score A 6. Left: upper 2, lower 1, wrist 2 -> B 2,
# coupling 1 -> 3, C(6, 3) 6, activity 2 -> 8 High. Right: upper 3, lower 2, wrist 1 -> B 4 -> 5,
# C(6, 5) 8 -> 10 High.
WORKED = [8, "High", 2, 1, 2, 10, "High", 3, 2, 1, 3, 2, 2, 1, 1, 2]
WORKED_CHOSEN = {"Trunk - Option 3", "Neck - Option 2", "Legs - Option 2", "Load - Option 2",
                 "Upper Arm Left - Option 2", "Lower Arm Left - Option 1", "Left Wrist - Option 2",
                 "Upper Arm Right - Option 3", "Lower Arm Right - Option 2",
                 "Right Wrist - Option 1", "Coupling - Option 2", "Activity - Option 1",
                 "Activity - Option 3"}
# Trunk 1, neck 2, legs 2 + knee 1 = 3 -> A 3; load 0 -> Score A 3. Coupling 3. Left: upper 2,
# lower 1, wrist 1 -> B 1 -> 4, C(3, 4) 3, no activity -> 3 Low. Right: upper 4 + 1 + 1 = 6,
# lower 2, wrist 2 -> B 9 -> 12, C(3, 12) 8 -> 8 High.
LOW_HIGH = [3, "Low", 2, 1, 1, 8, "High", 6, 2, 2, 1, 2, 3, 0, 3, 0]
LOW_HIGH_CHOSEN = {"Trunk - Option 1", "Neck - Option 2", "Legs - Option 2", "Legs - Option 3",
                   "Upper Arm Right - Option 4", "Upper Arm Right - Option 5",
                   "Upper Arm Right - Option 6", "Upper Arm Left - Option 2",
                   "Lower Arm Right - Option 2", "Lower Arm Left - Option 1",
                   "Right Wrist - Option 2", "Left Wrist - Option 1", "Load - Option 1",
                   "Coupling - Option 4"}

REPORTS = {
    "report-full.txt": (WORKED, WORKED_CHOSEN, ("Anna Smith", "E-1234", "Line 3, Hall B")),
    "report-no-employee.txt": (WORKED, WORKED_CHOSEN, None),
    "report-empty-name.txt": (WORKED, WORKED_CHOSEN, ("", "E7", "Hall B")),
    "report-non-ascii.txt": (WORKED, WORKED_CHOSEN,
                             ("Zoë Dvořák", "€42", "東京 plant \U0001F600")),
    "report-low-high.txt": (LOW_HIGH, LOW_HIGH_CHOSEN,
                            ("D'Souza", "0'42", 'Bay "C"\u00a0\u2013 north \u2022 2\u00bd')),
}

if __name__ == "__main__":
    here = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data"
    for name, (values, chosen, employee) in REPORTS.items():
        (here / name).write_bytes(report(values, chosen, employee))
