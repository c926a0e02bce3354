#!/usr/bin/env python3
"""Generates assets/icon/vesk.svg: a figure bending forward with its trunk
angle marked, over a green-amber-red risk bar. Bold shapes so that it still
reads at 32 px.

Run:  python3 tools/artwork/icon.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svgkit import Svg, f

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "assets", "icon", "vesk.svg")


def pt(o, length, ang):
    a = math.radians(ang)
    return (o[0] + length * math.sin(a), o[1] - length * math.cos(a))


def main():
    s = Svg(256, 256, title="VESK")
    s.rect(8, 8, 240, 240, fill="#1f3a93", rx=44)
    hip = (96, 144)
    trunk = 50
    sh = pt(hip, 78, trunk)
    head = pt(sh, 36, trunk + 10)
    # angle wedge between the vertical and the trunk
    r = 70
    p1, p2 = pt(hip, r, 0), pt(hip, r, trunk)
    s.path("M%s,%s L%s,%s A%s,%s 0 0 1 %s,%s Z" % (f(hip[0]), f(hip[1]), f(p1[0]), f(p1[1]),
                                                 f(r), f(r), f(p2[0]), f(p2[1])), fill="#f6c343")
    # vertical reference
    s.line(hip[0], hip[1], hip[0], 44, stroke="#ffffff", sw=7, dash="12,9", cap="butt")
    white = "#ffffff"
    # legs
    s.polyline([hip, (90, 204)], stroke=white, sw=18)
    s.polyline([hip, (112, 202)], stroke="#c9d3f3", sw=14)
    # trunk, arm, head
    s.line(hip[0], hip[1], sh[0], sh[1], stroke=white, sw=20)
    s.polyline([sh, (170, 150), (182, 172)], stroke=white, sw=15)
    s.circle(head[0], head[1], 21, fill=white, stroke=None)
    # risk bar
    x0, y0, w, h = 36, 218, 184, 18
    cols = ["#5cb85c", "#f6c343", "#e0483e"]
    seg = w / 3
    for i, c in enumerate(cols):
        s.rect(x0 + i * seg, y0, seg + (0.5 if i < 2 else 0), h, fill=c)
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    s.save(OUT)


if __name__ == "__main__":
    main()
