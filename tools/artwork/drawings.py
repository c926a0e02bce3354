#!/usr/bin/env python3
"""Generates the 34 VESK posture drawings in assets/drawings/.

Each drawing is sized to the picture area of its clickable frame:
(frame twips - 240) / 15 pixels. It carries its own white background, a thin
dark border and its score value in a badge at the top-right corner.

Angles used by the figure code are screen angles in degrees, measured
clockwise from "straight up": 0 = up, 90 = forward (to the right, the way
the figure faces), 180 = down, 270 = backward.

Run:  python3 tools/artwork/drawings.py   (from anywhere)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import (Svg, INK, GREY, FOCUS, WEDGE, WEDGE2, REF, f, text_width,
                    wrap_runs, line_width, parse_marked)

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "assets", "drawings")

LW = 3.2          # line width of the figure at 1x
GHOST = "#b8b8b8"  # alternative posture drawn dashed
TORSO = "#cfcfcf"  # trunk band when the trunk is not scored
LIMB = "#7d7d7d"   # limbs that are not scored


def frame_px(tw, th):
    return (tw - 240) / 15.0, (th - 240) / 15.0


def pt(o, length, ang):
    a = math.radians(ang)
    return (o[0] + length * math.sin(a), o[1] - length * math.cos(a))


# --------------------------------------------------------------------------
# Drawing scaffolding

def start(tw, th, title):
    w, h = frame_px(tw, th)
    s = Svg(round(w), round(h), title=title)
    s.rect(0.5, 0.5, s.w - 1, s.h - 1, fill="#ffffff", stroke="#5a5a5a", sw=1)
    return s


def badge(s, value):
    size = 13
    tw = text_width(value, size, True)
    bw = max(20, tw + 9)
    bh = 18
    x = s.w - bw - 3
    y = 3
    s.rect(x, y, bw, bh, fill="#333333", rx=3)
    s.text(x + bw / 2, y + 13.5, value, size, bold=True, anchor="middle", fill="#ffffff")
    return bw


def wedge(s, c, r, a1, a2, fill=WEDGE, edge=FOCUS):
    a1, a2 = min(a1, a2), max(a1, a2)
    p1, p2 = pt(c, r, a1), pt(c, r, a2)
    large = 1 if a2 - a1 > 180 else 0
    d = "M%s,%s L%s,%s A%s,%s 0 %d 1 %s,%s Z" % (
        f(c[0]), f(c[1]), f(p1[0]), f(p1[1]), f(r), f(r), large, f(p2[0]), f(p2[1]))
    s.path(d, fill=fill)
    # arc edge only (the radii stay soft)
    d = "M%s,%s A%s,%s 0 %d 1 %s,%s" % (f(p1[0]), f(p1[1]), f(r), f(r), large, f(p2[0]), f(p2[1]))
    s.path(d, stroke=edge, sw=1.2)
    s.line(c[0], c[1], p1[0], p1[1], stroke=edge, sw=0.8, cap="butt")
    s.line(c[0], c[1], p2[0], p2[1], stroke=edge, sw=0.8, cap="butt")


def ref_line(s, c, length, ang=0, start_at=0):
    p0 = pt(c, start_at, ang)
    p1 = pt(c, length, ang)
    s.line(p0[0], p0[1], p1[0], p1[1], stroke=REF, sw=1.3, dash="4,3", cap="butt")


def label(s, x, y, t, size=12.5, anchor="start", fill=FOCUS):
    # white halo so the label stays readable over lines
    w = text_width(t, size, True)
    x0 = x - (w / 2 if anchor == "middle" else (w if anchor == "end" else 0))
    s.rect(x0 - 1.5, y - size * 0.82, w + 3, size * 1.05, fill="#ffffff")
    s.text(x, y, t, size, bold=True, anchor=anchor, fill=fill)


def ground(s, y, x1, x2):
    s.line(x1, y, x2, y, stroke="#9a9a9a", sw=1.2, cap="butt")
    for x in range(int(x1) + 3, int(x2), 7):
        s.line(x, y, x - 4, y + 4, stroke="#b0b0b0", sw=0.8, cap="butt")


# --------------------------------------------------------------------------
# The figure

class Figure:
    """A side-view stick figure facing right.

    hip:   position of the hip joint
    k:     scale (1.0 = a standing figure 98 px tall)
    trunk: trunk angle from vertical (flexion positive)
    neck:  neck flexion relative to the trunk
    arm:   screen angle of the upper arm (180 = hanging)
    elbow: elbow flexion (forearm turns forward/up from the upper arm line)
    wrist: wrist flexion relative to the forearm (positive = palm side, down
           when the forearm is horizontal)
    legs:  [(thigh screen angle, knee flexion)] far leg first, near leg last
    """

    T, N, HR, UA, FA, HA, TH, SH, FT = 30, 7, 7.5, 18, 16, 6, 23, 23, 7

    def __init__(self, hip, k=1.0, trunk=0, neck=0, arm=180, elbow=15, wrist=0,
                 legs=((180, 0), (180, 0)), far_arm=None, focus=(), bust=False,
                 lw=LW):
        self.hip, self.k = hip, k
        self.trunk, self.neck = trunk, neck
        self.arm, self.elbow, self.wrist = arm, elbow, wrist
        self.legs = legs
        self.far_arm = far_arm
        self.focus = set(focus)
        self.bust = bust
        self.lw = lw

    # joints -----------------------------------------------------------------
    @property
    def shoulder(self):
        return pt(self.hip, self.T * self.k, self.trunk)

    @property
    def neck_top(self):
        return pt(self.shoulder, self.N * self.k, self.trunk + self.neck)

    @property
    def head_c(self):
        return pt(self.neck_top, self.HR * self.k, self.trunk + self.neck)

    @property
    def elbow_p(self):
        return pt(self.shoulder, self.UA * self.k, self.arm)

    @property
    def forearm_ang(self):
        return self.arm - self.elbow

    @property
    def wrist_p(self):
        return pt(self.elbow_p, self.FA * self.k, self.forearm_ang)

    def knee(self, i):
        return pt(self.hip, self.TH * self.k, self.legs[i][0])

    def ankle(self, i):
        th, kf = self.legs[i]
        return pt(self.knee(i), self.SH * self.k, th + kf)

    def lowest(self):
        return max(self.ankle(i)[1] for i in range(len(self.legs)))

    # drawing ----------------------------------------------------------------
    def col(self, part):
        return FOCUS if part in self.focus else LIMB

    def seg(self, s, a, b, part, sw=None, colour=None):
        s.line(a[0], a[1], b[0], b[1], stroke=colour or self.col(part), sw=(sw or self.lw))

    def draw_leg(self, s, i, colour=None):
        hip, kn, an = self.hip, self.knee(i), self.ankle(i)
        c = colour or self.col("legs")
        s.polyline([hip, kn, an], stroke=c, sw=self.lw)
        th, kf = self.legs[i]
        shin = th + kf
        foot_ang = 90 if abs(((shin - 180 + 180) % 360) - 180) < 70 else shin - 90
        ft = pt(an, self.FT * self.k, foot_ang)
        s.line(an[0], an[1], ft[0], ft[1], stroke=c, sw=self.lw)

    def draw_arm(self, s, arm, elbow, wrist, colour_upper, colour_lower, colour_hand):
        sh = self.shoulder
        el = pt(sh, self.UA * self.k, arm)
        fa = arm - elbow
        wr = pt(el, self.FA * self.k, fa)
        ha = pt(wr, self.HA * self.k, fa + wrist)
        s.line(sh[0], sh[1], el[0], el[1], stroke=colour_upper, sw=self.lw)
        s.line(el[0], el[1], wr[0], wr[1], stroke=colour_lower, sw=self.lw)
        s.line(wr[0], wr[1], ha[0], ha[1], stroke=colour_hand, sw=self.lw * 1.25)

    def draw(self, s):
        far_leg_col = "#b5b5b5" if "legs" not in self.focus else "#6f84c4"
        if not self.bust and len(self.legs) > 1:
            self.draw_leg(s, 0, colour=far_leg_col)
        if self.far_arm is not None:
            arm, elbow = self.far_arm
            fc = "#b5b5b5" if "upper_arm" not in self.focus else "#6f84c4"
            self.draw_arm(s, arm, elbow, 0, fc, "#b5b5b5", "#b5b5b5")
        # trunk: a wide band, so that arms in front of it stay visible
        tcol = FOCUS if "trunk" in self.focus else TORSO
        tw = self.lw * 2.4 * max(1.0, self.k ** 0.5)
        if self.bust:  # cut flat at the border, rounded at the shoulder
            s.line(self.hip[0], self.hip[1], self.shoulder[0], self.shoulder[1], stroke=tcol,
                   sw=tw, cap="butt")
            s.circle(self.shoulder[0], self.shoulder[1], tw / 2, fill=tcol, stroke=None)
        else:
            s.line(self.hip[0], self.hip[1], self.shoulder[0], self.shoulder[1], stroke=tcol, sw=tw)
        if not self.bust:
            self.draw_leg(s, len(self.legs) - 1)
        # neck and head
        self.seg(s, self.shoulder, self.neck_top, "neck")
        hc = self.head_c
        hcol = FOCUS if "neck" in self.focus else LIMB
        s.circle(hc[0], hc[1], self.HR * self.k, fill="#ffffff", stroke=hcol, sw=self.lw)
        # nose: small triangle on the face side
        face = self.trunk + self.neck + 90
        r = self.HR * self.k
        n1 = pt(hc, r, face - 18)
        n2 = pt(hc, r, face + 22)
        n3 = pt(hc, r + 4 * self.k, face + 4)
        s.polygon([n1, n3, n2], fill=hcol)
        # near arm
        if self.arm is not None:
            self.draw_arm(s, self.arm, self.elbow, self.wrist, self.col("upper_arm"),
                          self.col("lower_arm"), self.col("wrist"))
        return self


def ghost_head_neck(s, fig, neck):
    """Alternative neck posture, dashed and light."""
    sh = fig.shoulder
    top = pt(sh, fig.N * fig.k, fig.trunk + neck)
    hc = pt(top, fig.HR * fig.k, fig.trunk + neck)
    s.line(sh[0], sh[1], top[0], top[1], stroke=GHOST, sw=fig.lw * 0.8, dash="3,2.5", cap="butt")
    s.circle(hc[0], hc[1], fig.HR * fig.k, fill="none", stroke=GHOST, sw=fig.lw * 0.7)


def ghost_segment(s, a, length, ang, sw=2.6, head=None):
    b = pt(a, length, ang)
    s.line(a[0], a[1], b[0], b[1], stroke=GHOST, sw=sw, dash="4,3", cap="butt")
    return b


# --------------------------------------------------------------------------
# Boxed text options

def text_option(name, tw, th, text, score, title=None, sub=None):
    s = start(tw, th, title or " ".join(text.replace("*", "").replace("|", "").split()))
    bw = badge(s, score)
    x0, x1 = 6, s.w - bw - 8
    y0, y1 = 6, s.h - 6
    words = parse_marked(text)
    best = None
    for size in [x / 2.0 for x in range(40, 19, -1)]:
        lines = wrap_runs(words, size, 1e9 if "|" in text else x1 - x0)
        lh = size * 1.18
        sub_lines, sub_size = [], 0
        total = len(lines) * lh
        if sub:
            sub_size = max(10.5, size * 0.62)
            sub_lines = wrap_runs(parse_marked(sub), sub_size, s.w - 12)
            total += len(sub_lines) * sub_size * 1.2 + 2
        widest = max(line_width(l, size) for l in lines)
        sub_widest = max([line_width(l, sub_size) for l in sub_lines] + [0])
        if widest <= x1 - x0 and sub_widest <= s.w - 12 and total <= y1 - y0:
            best = (size, lines, lh, sub_size, sub_lines, total)
            break
    assert best, name
    size, lines, lh, sub_size, sub_lines, total = best
    cx = (x0 + x1) / 2
    y = y0 + (y1 - y0 - total) / 2 + size * 0.86
    for l in lines:
        s.rich_line(cx, y, l, size)
        y += lh
    if sub:
        y += 2 - lh + size * 0.14 + sub_size * 1.0
        for l in sub_lines:
            s.rich_line(s.w / 2, y, l, sub_size, fill="#444444")
            y += sub_size * 1.2
    s.save(os.path.join(OUT, name + ".svg"))


# --------------------------------------------------------------------------
# Trunk

def trunk(n):
    s = start(2295, 2055, "")
    hip = (52, 67)
    angs = {1: 0, 2: 13, 3: 40, 4: 78}
    a = angs[n]
    if n == 4:
        hip = (42, 67)
    fig = Figure(hip, trunk=a, arm=180 - max(0, a - 10) * 0.2, elbow=10,
                 legs=((184, -4), (176, 4)), focus=("trunk",))
    titles = {1: "Trunk upright (0°)", 2: "Trunk 0°–20° flexion or extension",
              3: "Trunk 20°–60° flexion or extension", 4: "Trunk flexion beyond 60°"}
    s.title = titles[n]
    R = 40
    if n == 2:
        wedge(s, hip, R, 0, 20)
        wedge(s, hip, R, -20, 0, fill=WEDGE2)
    elif n == 3:
        wedge(s, hip, R, 20, 60)
        wedge(s, hip, R, -60, -20, fill=WEDGE2)
    elif n == 4:
        wedge(s, hip, R, 60, 110)
    ref_line(s, hip, 58, 0)
    ground(s, fig.lowest() + 1.5, 8, s.w - 8)
    fig.draw(s)
    if n == 3:  # the extension alternative, dashed
        ghost_segment(s, hip, fig.T, -32)
    if n == 2:
        ghost_segment(s, hip, fig.T, -12)
    s.circle(hip[0], hip[1], 2.6, fill=INK, stroke=None)
    badge(s, str(n))
    lab = {1: "0°", 2: "0°–20°", 3: "20°–60°", 4: ">60°"}[n]
    label(s, 6, 16, lab)
    s.save(os.path.join(OUT, "trunk-%d.svg" % n))


# --------------------------------------------------------------------------
# Neck (bust, larger scale)

def neck(n):
    s = start(2535, 2175, "")
    k = 2.2
    hip = (60, 112 + 30 * k)  # below the bottom edge: only the upper trunk shows
    a = 12 if n == 1 else 42
    fig = Figure(hip, k=k, trunk=0, neck=a, arm=None, bust=True,
                 focus=("neck",), lw=3.4)
    sh = fig.shoulder
    s.title = "Neck 0°–20° flexion" if n == 1 else "Neck more than 20° flexion, or in extension"
    # trunk drawn only down to the border
    R = 76
    if n == 1:
        wedge(s, sh, R, 0, 20)
    else:
        wedge(s, sh, R, 20, 75)
        wedge(s, sh, R, -40, 0, fill=WEDGE2)
    ref_line(s, sh, R + 12, 0)
    fig_draw_bust(s, fig)
    if n == 2:
        ghost_head_neck(s, fig, -25)
    s.circle(sh[0], sh[1], 2.8, fill=INK, stroke=None)
    badge(s, str(n))
    if n == 1:
        label(s, 6, 17, "0°–20°")
    else:
        label(s, 6, 17, "extension", size=12)
        label(s, s.w - 6, 50, ">20°", anchor="end")
    s.save(os.path.join(OUT, "neck-%d.svg" % n))


def fig_draw_bust(s, fig):
    """Draw a bust figure whose trunk is cut at the bottom border."""
    bottom = s.h - 1
    sh = fig.shoulder
    # trunk line from the shoulder down to the border
    t = (bottom - sh[1]) / max(0.2, math.cos(math.radians(fig.trunk)))
    end = pt(sh, t, fig.trunk + 180)
    saved = fig.hip
    fig.hip = end
    # keep the shoulder fixed: temporarily shorten the trunk
    T = fig.T
    fig.T = t / fig.k
    fig.draw(s)
    fig.T = T
    fig.hip = saved


# --------------------------------------------------------------------------
# Legs

def legs(n):
    if n in (1, 2):
        s = start(2295, 2055, "")
    else:
        s = start(2175, 2055 - 120, "")
    gy = s.h - 10
    if n == 1:
        s.title = "Bilateral weight bearing, walking or seated"
        k = 0.78
        figs = [
            Figure((0, 0), k=k, legs=((181, 0), (179, 0)), focus=("legs",), lw=2.8),
            Figure((0, 0), k=k, trunk=4, arm=165, elbow=20, far_arm=(200, 20),
                   legs=((205, 15), (158, 12)), focus=("legs",), lw=2.8),
            Figure((0, 0), k=k, trunk=3, arm=170, elbow=60,
                   legs=((94, 86), (90, 90)), focus=("legs",), lw=2.8),
        ]
        xs = [22, 58, 96]
        for fig, x in zip(figs, xs):
            dy = fig.lowest()
            fig.hip = (x, gy - dy)
        ground(s, gy + 1.5, 6, s.w - 6)
        # chair for the seated figure
        sf = figs[2]
        seat_y = sf.hip[1] + 2.5
        cx0, cx1 = sf.hip[0] - 8, sf.hip[0] + 12
        s.line(cx0, seat_y, cx1, seat_y, stroke="#777777", sw=2.2)
        s.line(cx0, seat_y - 26, cx0, gy, stroke="#777777", sw=2.2)
        s.line(cx1 - 2, seat_y, cx1 - 2, gy, stroke="#777777", sw=2.2)
        for fig in figs:
            fig.draw(s)
        badge(s, "1")
    elif n == 2:
        s.title = "Unilateral or feather weight bearing, or an unstable posture"
        fig = Figure((0, 0), trunk=-3, arm=100, elbow=5, far_arm=(250, 10),
                     legs=((140, 95), (181, 0)), focus=("legs",))
        fig.hip = (62, gy - fig.ankle(1)[1])
        ground(s, gy + 1.5, 8, s.w - 8)
        fig.draw(s)
        badge(s, "2")
        label(s, 6, 16, "one leg", size=12)
    else:
        s.title = ("Knee(s) between 30° and 60° flexion" if n == 3 else
                   "Knee(s) beyond 60° flexion (not for seated work)")
        kf = 45 if n == 3 else 100
        hipf = 35 if n == 3 else 70
        th = 180 - hipf
        fig = Figure((0, 0), trunk=22 if n == 3 else 38, arm=165 if n == 3 else 150,
                     elbow=25, legs=((th - 4, kf), (th, kf)), focus=("legs",))
        ank = fig.ankle(1)
        fig.hip = (48 if n == 3 else 44, gy - ank[1])
        knee = fig.knee(1)
        lo, hi = (30, 60) if n == 3 else (60, 125)
        wedge(s, knee, 30, th + lo, th + hi)
        ref_line(s, knee, 34, th, start_at=3)
        ground(s, gy + 1.5, 8, s.w - 8)
        fig.draw(s)
        s.circle(knee[0], knee[1], 2.6, fill=INK, stroke=None)
        badge(s, "+1" if n == 3 else "+2")
        label(s, 6, 16, "30°–60°" if n == 3 else ">60°")
    s.save(os.path.join(OUT, "legs-%d.svg" % n))


# --------------------------------------------------------------------------
# Upper arm (bust)

def upper_arm(n):
    s = start(2415, 2055, "")
    k = 1.3
    hip = (50, 160)
    flex = {1: 8, 2: 32, 3: 68, 4: 128}[n]
    arm = 180 - flex
    elbow = {1: 20, 2: 25, 3: 15, 4: 10}[n]
    fig = Figure(hip, k=k, arm=arm, elbow=elbow, bust=True, focus=("upper_arm",), lw=3.3)
    # place the shoulder
    sh_y = {1: 48, 2: 48, 3: 52, 4: 66}[n]
    fig.hip = (50 if n != 1 else 60, sh_y + fig.T * k)
    sh = fig.shoulder
    s.title = {1: "Upper arm 0°–20° flexion or extension",
               2: "Upper arm 20°–45° flexion, or extension beyond 20°",
               3: "Upper arm 45°–90° flexion", 4: "Upper arm flexion beyond 90°"}[n]
    R = 40
    if n == 1:
        wedge(s, sh, R, 160, 180)
        wedge(s, sh, R, 180, 200, fill=WEDGE2)
        ref_line(s, sh, 52, 180)
    elif n == 2:
        wedge(s, sh, R, 135, 160)
        wedge(s, sh, R, 200, 245, fill=WEDGE2)
        ref_line(s, sh, 52, 180)
    elif n == 3:
        wedge(s, sh, R, 90, 135)
        ref_line(s, sh, 52, 180)
    else:
        wedge(s, sh, R, 0, 90)
        ref_line(s, sh, 52, 180)
        ref_line(s, sh, 48, 0)
    fig_draw_bust(s, fig)
    if n == 2:
        ghost_segment(s, sh, fig.UA * k, 222, sw=3)
    s.circle(sh[0], sh[1], 2.6, fill=INK, stroke=None)
    badge(s, str(n))
    if n == 1:
        label(s, 6, 16, "0°–20°")
    elif n == 2:
        label(s, s.w - 6, s.h - 8, "20°–45°", anchor="end")
        label(s, 5, s.h - 8, ">20°", size=11.5)
    elif n == 3:
        label(s, s.w - 6, s.h - 8, "45°–90°", anchor="end")
    else:
        label(s, 6, 16, ">90°")
    s.save(os.path.join(OUT, "upper-arm-%d.svg" % n))


# --------------------------------------------------------------------------
# Lower arm (bust, large)

def lower_arm(n):
    s = start(3255, 3375, "")
    k = 2.2
    fig = Figure((0, 0), k=k, arm=182, elbow=80 if n == 1 else 32, wrist=0,
                 bust=True, focus=("lower_arm",), lw=4)
    fig.hip = (62, 62 + fig.T * k)
    el = fig.elbow_p
    ua = fig.arm
    s.title = ("Lower arm 60°–100° elbow flexion" if n == 1 else
               "Elbow flexion below 60° or above 100°")
    R = 56
    if n == 1:
        wedge(s, el, R, ua - 100, ua - 60)
    else:
        wedge(s, el, R, ua - 60, ua - 0)
        wedge(s, el, R, ua - 150, ua - 100)
    ref_line(s, el, 70, ua, start_at=2)
    fig_draw_bust(s, fig)
    if n == 2:
        ghost_segment(s, el, fig.FA * k, ua - 130, sw=4)
    s.circle(el[0], el[1], 3.2, fill=INK, stroke=None)
    badge(s, str(n))
    if n == 1:
        label(s, s.w - 8, 146, "60°–100°", size=15, anchor="end")
    else:
        label(s, s.w - 8, 196, "<60°", size=15, anchor="end")
        label(s, s.w - 8, 56, ">100°", size=15, anchor="end")
    s.save(os.path.join(OUT, "lower-arm-%d.svg" % n))


# --------------------------------------------------------------------------
# Wrist (forearm and hand, side view)

def hand_shape(wr, ang, L=46, W=19):
    """Mitten-like hand outline starting at the wrist, pointing along ang."""
    # local (u along, v across; v>0 on the palm side = clockwise of ang)
    pts_local = [(-2, -W * 0.45), (L * 0.62, -W * 0.52), (L * 0.86, -W * 0.42),
                 (L * 0.98, -W * 0.22), (L, 0), (L * 0.98, W * 0.22),
                 (L * 0.86, W * 0.40), (L * 0.55, W * 0.50),
                 (L * 0.40, W * 0.78), (L * 0.22, W * 0.80),  # thumb
                 (L * 0.12, W * 0.50), (-2, W * 0.45)]
    a = math.radians(ang)
    ux, uy = math.sin(a), -math.cos(a)
    vx, vy = -uy, ux  # clockwise normal
    vx, vy = math.sin(a + math.pi / 2), -math.cos(a + math.pi / 2)
    return [(wr[0] + u * ux + v * vx, wr[1] + u * uy + v * vy) for u, v in pts_local]


def wrist(n):
    s = start(3255, 3375, "")
    s.title = ("Wrist 0°–15° flexion or extension" if n == 1 else
               "Wrist more than 15° flexion or extension")
    el = (18, 108)
    wr = (112, 108)
    R = 62
    if n == 1:
        wedge(s, wr, R, 90, 105)
        wedge(s, wr, R, 75, 90, fill=WEDGE2)
        hang = 98
    else:
        wedge(s, wr, R, 105, 160)
        wedge(s, wr, R, 20, 75, fill=WEDGE2)
        hang = 135
    ref_line(s, wr, R + 14, 90, start_at=4)
    # forearm as a tapered band
    s.polygon([(el[0], el[1] - 11), (wr[0], wr[1] - 8), (wr[0], wr[1] + 8), (el[0], el[1] + 12)],
              fill="#d9d9d9", stroke=GREY, sw=2.5)
    if n == 2:
        s.polygon(hand_shape(wr, 45), fill="none", stroke=GHOST, sw=2)
    s.polygon(hand_shape(wr, hang), fill=FOCUS, stroke=FOCUS, sw=2)
    s.circle(wr[0], wr[1], 3.2, fill="#ffffff", stroke=INK, sw=1.5)
    badge(s, str(n))
    if n == 1:
        label(s, 6, 20, "0°–15°", size=16)
        label(s, s.w - 8, 58, "15°", size=13, anchor="end")
        label(s, s.w - 8, 170, "15°", size=13, anchor="end")
    else:
        label(s, 6, 20, ">15°", size=16)
        label(s, s.w - 8, 48, "ext.", size=13, anchor="end")
        label(s, s.w - 8, 196, "flex.", size=13, anchor="end")
    s.save(os.path.join(OUT, "wrist-%d.svg" % n))


# --------------------------------------------------------------------------

NB = "\u00a0"  # keeps a number and its unit on one line

# "*" marks bold words, "|" forces a line break
TEXTS = [
    ("trunk-5", 3135, 1215, "Back *twisted* or | *tilted* to the side", "+1", None),
    ("neck-3", 2895, 1575, "Neck *twisted* or | *tilted* to the side", "+1", None),
    ("upper-arm-5", 3015, 1455, "Arm *abducted* | or *rotated*", "+1", None),
    ("upper-arm-6", 3015, 1455, "Shoulder *raised*", "+1", None),
    ("upper-arm-7", 3015, 1455, "Arm *supported* | (or person *leaning*)", "\u22121", None),
    ("load-1", 2295, 1455, "Load | *below" + NB + "5" + NB + "kg* | (below 11" + NB + "lb)", "0", None),
    ("load-2", 2295, 1455, "Load | *5\u201310" + NB + "kg* | (11\u201322" + NB + "lb)", "1", None),
    ("load-3", 2295, 1455, "Load | *above" + NB + "10" + NB + "kg* | (above 22" + NB + "lb)", "2", None),
    ("load-4", 3135, 1095, "*Shock* or *rapid* | *build-up* of force", "+1", None),
    ("coupling-1", 2175, 1215, "*Good*", "0", "well-fitting handle, | mid-range power grip"),
    ("coupling-2", 2175, 1215, "*Fair*", "1", "hand hold acceptable | but not ideal"),
    ("coupling-3", 2175, 1215, "*Poor*", "2", "hand hold | not acceptable"),
    ("coupling-4", 2175, 1215, "*Unacceptable*", "3", "awkward, unsafe grip, | no handles"),
    ("activity-1", 2895, 1815, "One or more | body parts *static* | for longer than | 1" + NB + "minute", "+1", None),
    ("activity-2", 2895, 1815, "*Repeated* small | range motions, | more than 4 | per minute", "+1", None),
    ("activity-3", 2895, 1815, "*Rapid large* | *changes* in | posture or | *unstable base*", "+1", None),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    for n in range(1, 5):
        trunk(n)
    for n in (1, 2):
        neck(n)
    for n in range(1, 5):
        legs(n)
    for n in range(1, 5):
        upper_arm(n)
    for n in (1, 2):
        lower_arm(n)
        wrist(n)
    for name, tw, th, text, score, sub in TEXTS:
        text_option(name, tw, th, text, score, sub=sub)


if __name__ == "__main__":
    main()
