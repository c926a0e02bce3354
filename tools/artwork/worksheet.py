#!/usr/bin/env python3
"""Generates assets/pictures/worksheet.svg, the VESK worksheet picture.

The window shows the picture stretched to 14775 x 7935 twips with its
top-left corner at (120, 1560) twips, and lays value labels over it at fixed
twips rectangles (LABELS below). This script converts every label rectangle
into picture pixels, builds the boxes around them and checks that

  * every label of a plain box lies inside the box with a margin;
  * for a cut box (a box cut by the diagonal from its top-left to its
    bottom-right corner) the left value (L) lies wholly in the lower-left
    triangle and the right value (R) wholly in the upper-right triangle,
    each at least MIN_CLEAR pixels away from the diagonal and the border;
  * no caption overlaps a label.

Run:  python3 tools/artwork/worksheet.py        (writes the SVG)
      python3 tools/artwork/worksheet.py --table (also prints the geometry)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import Svg, text_width

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "assets", "pictures", "worksheet.svg")

PIC_W, PIC_H = 966, 595
ORIGIN = (120, 1560)        # twips, top-left of the picture in the window
SHOWN = (14775, 7935)       # twips, size the picture is stretched to
SX = PIC_W / SHOWN[0]
SY = PIC_H / SHOWN[1]

MIN_CLEAR = 2.5   # px, least distance of a label from a border or diagonal
BOX_PAD = 6.0     # px, padding of a plain box around its label

# name -> (left, top, width, height) in twips
LABELS = {
    "Label5": (960, 2640, 615, 615),     # Trunk
    "Label6": (2400, 2640, 615, 615),    # Neck
    "Label7": (3840, 2640, 615, 615),    # Legs
    "Label8": (6120, 2640, 615, 615),    # Upper Arms L
    "Label9": (7920, 2520, 615, 615),    # Upper Arms R
    "Label10": (9000, 2640, 615, 615),   # Wrists L
    "Label11": (10800, 2520, 615, 615),  # Wrists R
    "Label12": (11880, 2640, 615, 615),  # Lower Arms L
    "Label13": (13680, 2520, 615, 615),  # Lower Arms R
    "Label14": (1800, 4440, 615, 615),   # group A posture score
    "Label15": (4200, 4440, 615, 615),   # Load/Force
    "Label16": (7200, 4680, 615, 615),   # group B posture score L
    "Label17": (8520, 4440, 615, 615),   # group B posture score R
    "Label18": (10680, 4440, 615, 615),  # Coupling
    "Label19": (3000, 6120, 615, 615),   # Score A
    "Label20": (8760, 6120, 615, 615),   # Score B L
    "Label21": (10080, 6000, 615, 495),  # Score B R
    "Label22": (4800, 7800, 615, 495),   # Score C L
    "Label23": (6120, 7680, 615, 495),   # Score C R
    "Label24": (8880, 7680, 615, 615),   # Activity
    "Label25": (12240, 8040, 615, 615),  # VESK Score L
    "Label26": (13560, 7680, 615, 615),  # VESK Score R
}


def to_px(rect):
    left, top, w, h = rect
    return ((left - ORIGIN[0]) * SX, (top - ORIGIN[1]) * SY, w * SX, h * SY)


PX = {k: to_px(v) for k, v in LABELS.items()}

# Plain boxes: caption, label
PLAIN = [
    ("Trunk", "Label5"), ("Neck", "Label6"), ("Legs", "Label7"),
    (None, "Label14"), ("Load/Force", "Label15"), ("Coupling", "Label18"),
    ("Score A", "Label19"), ("Activity", "Label24"),
]

# Cut boxes: key, caption, L label, R label, allowed top range, allowed bottom range
CUT = [
    ("upper_arms", "Upper Arms", "Label8", "Label9", (48, 62), (132, 152)),
    ("wrists", "Wrists", "Label10", "Label11", (48, 62), (132, 152)),
    ("lower_arms", "Lower Arms", "Label12", "Label13", (48, 62), (132, 152)),
    ("group_b", None, "Label16", "Label17", (170, 205), None),
    ("score_b", "Score B", "Label20", "Label21", None, (392, 418)),
    ("score_c", "Score C", "Label22", "Label23", (428, 450), (509, 560)),
    ("vesk", "VESK Score", "Label25", "Label26", (428, 450), (536, 585)),
]
# The group B result box and the Score B box share the columns x 561..593:
# the first must end above SPLIT_RANGE's chosen line and the second start
# below it, SPLIT_GAP pixels apart.
SPLIT_RANGE = (292, 312)
SPLIT_GAP = 3.5


def corners(r):
    x, y, w, h = r
    return [(x, y), (x + w, y), (x, y + h), (x + w, y + h)]


def side_of_diagonal(box, p):
    """Signed distance of p from the box diagonal (top-left to bottom-right).

    Positive: below/left of it (lower-left triangle); negative: upper-right.
    """
    bx, by, bw, bh = box
    # line through (bx,by) with direction (bw,bh); normal pointing down-left
    nx, ny = -bh, bw
    n = math.hypot(nx, ny)
    return ((p[0] - bx) * nx + (p[1] - by) * ny) / n


def inside_margin(box, r):
    bx, by, bw, bh = box
    x, y, w, h = r
    return min(x - bx, y - by, bx + bw - (x + w), by + bh - (y + h))


def cut_clearance(box, l_rect, r_rect):
    """Least clearance of the two labels from the border and the diagonal."""
    m = min(inside_margin(box, l_rect), inside_margin(box, r_rect))
    dl = min(side_of_diagonal(box, c) for c in corners(l_rect))
    dr = min(-side_of_diagonal(box, c) for c in corners(r_rect))
    return min(m, dl, dr)


def fit_cut_box(l_rect, r_rect, top_rng, bottom_rng):
    """Search the box (integer/half pixel grid) that gives the labels most room."""
    lx, ly, lw, lh = l_rect
    rx, ry, rw, rh = r_rect
    left_lim = min(lx, rx)
    right_lim = max(lx + lw, rx + rw)
    best = None
    for i in range(0, 9):
        bx = left_lim - 2 - i
        for j in range(0, 9):
            right = right_lim + 2 + j
            t = top_rng[0]
            while t <= top_rng[1]:
                b = bottom_rng[0]
                while b <= bottom_rng[1]:
                    box = (bx, t, right - bx, b - t)
                    c = cut_clearance(box, l_rect, r_rect)
                    # prefer clearance, then a compact box
                    score = (round(c, 1), -(right - bx) * (b - t))
                    if best is None or score > best[0]:
                        best = (score, box, c)
                    b += 1
                t += 1
    return best[1], best[2]


def plain_box(r, pad=BOX_PAD):
    x, y, w, h = r
    return (x - pad, y - pad, w + 2 * pad, h + 2 * pad)


def rect_overlap(a, b):
    return not (a[0] + a[2] <= b[0] or b[0] + b[2] <= a[0] or
                a[1] + a[3] <= b[1] or b[1] + b[3] <= a[1])


def build():
    boxes = {}
    for cap, lab in PLAIN:
        boxes[lab] = ("plain", plain_box(PX[lab]), cap, lab, None)
    cut = {c[0]: c for c in CUT}
    # the shared boundary of the group B result box and the Score B box
    best = None
    for split in range(SPLIT_RANGE[0], SPLIT_RANGE[1] + 1):
        _, _, l, r, tr, _ = cut["group_b"]
        a, ca = fit_cut_box(PX[l], PX[r], tr, (split - SPLIT_GAP, split - SPLIT_GAP))
        _, _, l, r, _, br = cut["score_b"]
        b, cb = fit_cut_box(PX[l], PX[r], (split + SPLIT_GAP, split + SPLIT_GAP), br)
        if best is None or min(ca, cb) > best[0]:
            best = (min(ca, cb), a, b)
    fitted = {"group_b": best[1], "score_b": best[2]}
    for key, cap, l, r, tr, br in CUT:
        if key in fitted:
            box = fitted[key]
        else:
            box, _ = fit_cut_box(PX[l], PX[r], tr, br)
        boxes[key] = ("cut", box, cap, l, r)
    return boxes


def check(boxes, captions):
    for key, (kind, box, cap, l, r) in boxes.items():
        if kind == "plain":
            m = inside_margin(box, PX[l])
            assert m >= MIN_CLEAR, (key, m)
        else:
            for c in corners(PX[l]):
                assert side_of_diagonal(box, c) >= MIN_CLEAR, (key, "L", c)
            for c in corners(PX[r]):
                assert -side_of_diagonal(box, c) >= MIN_CLEAR, (key, "R", c)
            assert inside_margin(box, PX[l]) >= MIN_CLEAR, (key, "L border")
            assert inside_margin(box, PX[r]) >= MIN_CLEAR, (key, "R border")
    for text, rect in captions:
        for name, lr in PX.items():
            assert not rect_overlap(rect, lr), (text, name)


# --------------------------------------------------------------------------
# Drawing

FONT_CAP = 15
LINE = "#000000"


class Sheet:
    def __init__(self):
        self.s = Svg(PIC_W, PIC_H, title="VESK worksheet")
        self.s.rect(0, 0, PIC_W, PIC_H, fill="#ffffff")
        self.captions = []

    def caption(self, x, y, t, size=FONT_CAP, bold=True, anchor="middle"):
        w = text_width(t, size, bold)
        x0 = x - w / 2 if anchor == "middle" else (x - w if anchor == "end" else x)
        self.captions.append((t, (x0, y - size * 0.75, w, size * 0.95)))
        self.s.text(x, y, t, size, bold=bold, anchor=anchor, fill=LINE)

    def box(self, b, sw=2, ident=None):
        # The id lets the program's tests find the box a value label must lie in.
        extra = ' id="%s"' % ident if ident else ""
        self.s.rect(b[0], b[1], b[2], b[3], fill="#ffffff", stroke=LINE, sw=sw, extra=extra)

    def cut_box(self, b, sw=2, ident=None):
        self.box(b, sw, ident)
        self.s.line(b[0], b[1], b[0] + b[2], b[1] + b[3], stroke=LINE, sw=1.5, cap="butt")

    def plus(self, cx, cy, r=11, sw=4):
        self.s.line(cx - r, cy, cx + r, cy, stroke=LINE, sw=sw, cap="butt")
        self.s.line(cx, cy - r, cx, cy + r, stroke=LINE, sw=sw, cap="butt")

    def equals(self, cx, cy, r=11, sw=3.5):
        self.s.line(cx - r, cy - 5, cx + r, cy - 5, stroke=LINE, sw=sw, cap="butt")
        self.s.line(cx - r, cy + 5, cx + r, cy + 5, stroke=LINE, sw=sw, cap="butt")

    def arrow_down(self, x, y1, y2):
        self.s.arrow(x, y1, x, y2, stroke=LINE, sw=2, head=9, width=9)

    def bracket(self, xs, y_top, y, x_arrow, y_arrow):
        """Ticks down from each box bottom to a bar, then an arrow."""
        for x, yt in zip(xs, y_top):
            self.s.line(x, yt, x, y, stroke=LINE, sw=2, cap="butt")
        self.s.line(min(xs + [x_arrow]), y, max(xs + [x_arrow]), y, stroke=LINE, sw=2, cap="square")
        self.arrow_down(x_arrow, y, y_arrow)


def centre_x(b):
    return b[0] + b[2] / 2


def draw(boxes):
    sh = Sheet()
    s = sh.s
    B = {k: v[1] for k, v in boxes.items()}

    # separator between the group A and group B panels
    s.line(362, 10, 362, 285, stroke="#000000", sw=1.2, cap="butt")

    # ---- Group A ----------------------------------------------------------
    s.text(16, 24, "Group A", 18, bold=True)
    for lab, cap in (("Label5", "Trunk"), ("Label6", "Neck"), ("Label7", "Legs")):
        b = B[lab]
        sh.box(b, ident="box-" + lab)
        sh.caption(centre_x(b), b[1] - 7, cap)
    tr, nk, lg = B["Label5"], B["Label6"], B["Label7"]
    ga, load = B["Label14"], B["Label15"]
    ybar = 162
    sh.bracket([centre_x(tr), centre_x(nk), centre_x(lg)],
               [tr[1] + tr[3]] * 3, ybar, centre_x(ga), ga[1])
    s.text(centre_x(ga) + 8, (ybar + ga[1]) / 2 + 5, "Table A", 13, bold=False)
    sh.box(ga, ident="box-Label14")
    sh.plus((ga[0] + ga[2] + load[0]) / 2, ga[1] + ga[3] / 2)
    sh.box(load, ident="box-Label15")
    sh.caption(centre_x(load), load[1] - 7, "Load/Force")

    # ---- Group B ----------------------------------------------------------
    s.text(378, 24, "Group B", 18, bold=True)
    # legend: a small cut square with L and R
    lgx, lgy, lgs = 462, 3, 24
    sh.cut_box((lgx, lgy, lgs, lgs), sw=1.3)
    s.text(lgx + 2.5, lgy + lgs - 3, "L", 10, bold=True)
    s.text(lgx + lgs - 2.5, lgy + 10, "R", 10, bold=True, anchor="end")
    s.text(lgx + lgs + 7, lgy + 17, "L = left,  R = right", 13)
    tops = []
    cut_ids = {"upper_arms": "cut-Label8-Label9", "wrists": "cut-Label10-Label11",
               "lower_arms": "cut-Label12-Label13"}
    for key in ("upper_arms", "wrists", "lower_arms"):
        b = B[key]
        sh.cut_box(b, ident=cut_ids[key])
        sh.caption(centre_x(b), b[1] - 6, boxes[key][2])
        tops.append(b[1] + b[3])
    gb, cp = B["group_b"], B["Label18"]
    ybar = 162
    xs = [centre_x(B[k]) for k in ("upper_arms", "wrists", "lower_arms")]
    sh.bracket(xs, tops, ybar, centre_x(gb), gb[1])
    s.text(centre_x(gb) + 8, (ybar + gb[1]) / 2 + 5, "Table B", 13)
    sh.cut_box(gb, ident="cut-Label16-Label17")
    sh.plus((gb[0] + gb[2] + cp[0]) / 2, cp[1] + cp[3] / 2)
    sh.box(cp, ident="box-Label18")
    sh.caption(centre_x(cp), cp[1] - 7, "Coupling")

    # ---- Scores -----------------------------------------------------------
    sa, sb, sc = B["Label19"], B["score_b"], B["score_c"]
    act, vk = B["Label24"], B["vesk"]
    sh.box(sa, ident="box-Label19")
    sh.caption(centre_x(sa), sa[1] - 7, "Score A")
    sh.cut_box(sb, ident="cut-Label20-Label21")
    # To the right of its own box: on the left it sat under the group B result box, and under
    # the box it would crowd the Activity caption.
    sh.caption(sb[0] + sb[2] + 8, sb[1] + sb[3] / 2 + 5, "Score B", anchor="start")
    sh.cut_box(sc, ident="cut-Label22-Label23")
    sh.caption(centre_x(sc), sc[1] + sc[3] + 19, "Score C")
    # Score A -> Score C: right, then down
    xa = sc[0] + sc[2] * 0.25
    ya = sa[1] + sa[3] / 2
    s.polyline([(sa[0] + sa[2], ya), (xa, ya)], stroke=LINE, sw=2)
    sh.arrow_down(xa, ya - 1, sc[1])
    # Score B -> Score C: left, then down
    xb = sc[0] + sc[2] * 0.75
    yb = sb[1] + sb[3] * 0.72
    s.polyline([(sb[0], yb), (xb, yb)], stroke=LINE, sw=2)
    sh.arrow_down(xb, yb - 1, sc[1])
    s.text((xa + xb) / 2, sc[1] - 10, "Table C", 13, anchor="middle")
    sh.plus((sc[0] + sc[2] + act[0]) / 2, act[1] + act[3] / 2)
    sh.box(act, ident="box-Label24")
    sh.caption(centre_x(act), act[1] - 7, "Activity")
    sh.equals((act[0] + act[2] + vk[0]) / 2, act[1] + act[3] / 2)
    sh.cut_box(vk, sw=3, ident="cut-Label25-Label26")
    sh.caption(centre_x(vk), vk[1] - 8, "VESK Score", size=17)
    return sh


def main():
    boxes = build()
    sh = draw(boxes)
    check(boxes, sh.captions)
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    sh.s.save(OUT)
    if "--table" in sys.argv:
        for k, r in PX.items():
            print("%-8s label px x=%.1f y=%.1f w=%.1f h=%.1f" % ((k,) + r))
        for k, (kind, b, cap, l, r) in boxes.items():
            if kind == "cut":
                c = cut_clearance(b, PX[l], PX[r])
            else:
                c = inside_margin(b, PX[l])
            print("%-10s %-5s box x=%.1f y=%.1f w=%.1f h=%.1f clearance=%.1f" % (
                k, kind, b[0], b[1], b[2], b[3], c))


if __name__ == "__main__":
    main()
