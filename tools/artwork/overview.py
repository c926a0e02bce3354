#!/usr/bin/env python3
"""Generates assets/pictures/overview.svg: the VESK procedure at a glance.

602 x 448 px on a light grey ground; numbered step boxes joined by arrows,
ending in the decision table of risk levels.

Run:  python3 tools/artwork/overview.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import Svg, text_width, wrap_runs, parse_marked, line_width

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "assets", "pictures", "overview.svg")

W, H = 602, 448
GROUND = "#d4d4d4"
TEXT = "#1a1a1a"
BORDER = "#3a3a3a"
STEP = "#1f3a93"

RISK = [("1", "Negligible", "#8fce8a"), ("2\u20133", "Low", "#d8ea86"),
        ("4\u20137", "Medium", "#f6d55c"), ("8\u201310", "High", "#f2a04e"),
        ("11\u201315", "Very High", "#e45f52")]


def step_box(s, x, y, w, h, num, head, body, size=11.5):
    s.rect(x, y, w, h, fill="#ffffff", stroke=BORDER, sw=1.2, rx=5)
    # step number
    cx, cy = x + 14, y + 14
    s.circle(cx, cy, 10, fill=STEP, stroke=None)
    s.text(cx, cy + 4.5, str(num), 13, bold=True, anchor="middle", fill="#ffffff")
    s.text(x + 30, y + 18, head, 13, bold=True, fill=TEXT)
    lines = wrap_runs(parse_marked(body), size, w - 40)
    ty = y + 18 + size * 1.35
    for l in lines:
        assert line_width(l, size) <= w - 38, head
        s.rich_line(x + 30, ty, l, size, fill=TEXT, anchor="start")
        ty += size * 1.25
    assert ty - size * 1.25 + 4 <= y + h, (head, ty, y + h)


def down(s, x, y1, y2):
    s.arrow(x, y1, x, y2, stroke=BORDER, sw=2, head=7, width=8)


def main():
    s = Svg(W, H, title="VESK assessment at a glance")
    s.rect(0, 0, W, H, fill=GROUND)
    s.text(W / 2, 25, "A VESK assessment, step by step", 18, bold=True, anchor="middle", fill=TEXT)
    s.text(W / 2, 44, "Consider the critical tasks of the job and assess each task in turn.",
           12.5, anchor="middle", fill=TEXT)

    m, gap = 14, 12
    cw = (W - 2 * m - gap) / 2
    xl, xr = m, m + cw + gap

    y = 54
    h1 = 56
    step_box(s, xl, y, cw, h1, 1, "Group A postures",
             "*Trunk,* *neck* and *legs:* each region on its scale, plus its adjustments.")
    step_box(s, xr, y, cw, h1, 2, "Group B postures",
             "*Upper* *arms,* *lower* *arms* and *wrists,* left and right: each on its scale, plus adjustments.")
    y2 = y + h1 + 12
    down(s, xl + cw / 2, y + h1, y2)
    down(s, xr + cw / 2, y + h1, y2)
    h2 = 40
    step_box(s, xl, y2, W - 2 * m, h2, 3, "Load, coupling and activity",
             "Score the *load/force,* the *coupling* (the grip, for each hand), then the *activity.*")
    y3 = y2 + h2 + 12
    down(s, xl + cw / 2, y2 + h2, y3)
    down(s, xr + cw / 2, y2 + h2, y3)
    h3 = 56
    step_box(s, xl, y3, cw, h3, 4, "Score A",
             "Read *table* *A* with the group A postures; add the load/force score.")
    step_box(s, xr, y3, cw, h3, 5, "Score B",
             "Read *table* *B* with the group B postures; add the coupling score, for each hand.")
    y4 = y3 + h3 + 14
    cx = W / 2
    # the two arrows meet in the table C box
    s.polyline([(xl + cw / 2, y3 + h3), (xl + cw / 2, y3 + h3 + 7), (cx - 40, y3 + h3 + 7)],
               stroke=BORDER, sw=2)
    s.polyline([(xr + cw / 2, y3 + h3), (xr + cw / 2, y3 + h3 + 7), (cx + 40, y3 + h3 + 7)],
               stroke=BORDER, sw=2)
    down(s, cx - 40, y3 + h3 + 6, y4)
    down(s, cx + 40, y3 + h3 + 6, y4)
    h4 = 40
    bw = 380
    step_box(s, cx - bw / 2, y4, bw, h4, 6, "Score C",
             "Read *table* *C* with score A and score B.")
    y5 = y4 + h4 + 12
    down(s, cx, y4 + h4, y5)
    h5 = 40
    step_box(s, cx - bw / 2, y5, bw, h5, 7, "VESK score",
             "The final score is *score* *C* *+* *activity* *score.*")
    y6 = y5 + h5 + 12
    down(s, cx, y5 + h5, y6)

    # decision table
    h6 = H - 10 - y6
    s.rect(m, y6, W - 2 * m, h6, fill="#ffffff", stroke=BORDER, sw=1.2, rx=5)
    s.circle(m + 14, y6 + 14, 10, fill=STEP, stroke=None)
    s.text(m + 14, y6 + 18.5, "8", 13, bold=True, anchor="middle", fill="#ffffff")
    s.text(m + 30, y6 + 18, "Degree of risk from the decision table", 13, bold=True, fill=TEXT)
    cells_y = y6 + 26
    cell_h = h6 - 32
    cw5 = (W - 2 * m - 20 - 4 * 4) / 5
    for i, (score, level, colour) in enumerate(RISK):
        x = m + 10 + i * (cw5 + 4)
        s.rect(x, cells_y, cw5, cell_h, fill=colour, stroke=BORDER, sw=1, rx=3)
        s.text(x + cw5 / 2, cells_y + cell_h / 2 - 3, score, 16, bold=True, anchor="middle", fill=TEXT)
        s.text(x + cw5 / 2, cells_y + cell_h / 2 + 15, level, 12.5, anchor="middle", fill=TEXT)
    assert y6 + h6 <= H - 5
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    s.save(OUT)


if __name__ == "__main__":
    main()
