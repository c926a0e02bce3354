"""Small helpers shared by the VESK artwork generators.

Everything here writes plain SVG that Qt's QSvgRenderer draws: paths, lines,
circles, rects, polygons and text with presentation attributes only.
Text widths are measured from the Liberation Sans font files (metric twins of
Arial) so that boxed texts can be wrapped and centred by the generator.
"""
import math
import os
import struct

INK = "#222222"        # dark lines and text
GREY = "#8c8c8c"       # body parts that are not being scored
FOCUS = "#1f3a93"      # the body part being scored
WEDGE = "#cdd7f3"      # shaded angle range
WEDGE2 = "#e6ebf8"     # second, lighter range
REF = "#555555"        # dashed reference lines
FONT = "Arial"

_FONT_DIRS = ["/usr/share/fonts/truetype/liberation2",
              "/usr/share/fonts/truetype/liberation"]


class _Metrics:
    """Advance widths from a TrueType file (cmap format 4 + hmtx)."""

    def __init__(self, path):
        data = open(path, "rb").read()
        num = struct.unpack(">H", data[4:6])[0]
        tables = {}
        for i in range(num):
            tag, _, off, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
            tables[tag.decode("latin-1")] = (off, length)
        off = tables["head"][0]
        self.upem = struct.unpack(">H", data[off + 18:off + 20])[0]
        off = tables["hhea"][0]
        nhm = struct.unpack(">H", data[off + 34:off + 36])[0]
        off = tables["hmtx"][0]
        self.adv = [struct.unpack(">H", data[off + 4 * i:off + 4 * i + 2])[0] for i in range(nhm)]
        self.cmap = {}
        coff = tables["cmap"][0]
        n = struct.unpack(">H", data[coff + 2:coff + 4])[0]
        sub = None
        for i in range(n):
            pid, eid, so = struct.unpack(">HHI", data[coff + 4 + 8 * i:coff + 12 + 8 * i])
            if pid == 3 and eid == 1:
                sub = coff + so
        fmt = struct.unpack(">H", data[sub:sub + 2])[0]
        assert fmt == 4
        segx2 = struct.unpack(">H", data[sub + 6:sub + 8])[0]
        seg = segx2 // 2
        ends = struct.unpack(">%dH" % seg, data[sub + 14:sub + 14 + segx2])
        starts = struct.unpack(">%dH" % seg, data[sub + 16 + segx2:sub + 16 + 2 * segx2])
        deltas = struct.unpack(">%dh" % seg, data[sub + 16 + 2 * segx2:sub + 16 + 3 * segx2])
        ro_pos = sub + 16 + 3 * segx2
        ranges = struct.unpack(">%dH" % seg, data[ro_pos:ro_pos + segx2])
        for s in range(seg):
            for c in range(starts[s], ends[s] + 1):
                if c == 0xFFFF:
                    continue
                if ranges[s] == 0:
                    g = (c + deltas[s]) & 0xFFFF
                else:
                    p = ro_pos + 2 * s + ranges[s] + 2 * (c - starts[s])
                    g = struct.unpack(">H", data[p:p + 2])[0]
                    if g:
                        g = (g + deltas[s]) & 0xFFFF
                self.cmap[c] = g

    def width(self, text, size):
        total = 0
        for ch in text:
            g = self.cmap.get(ord(ch), 0)
            total += self.adv[min(g, len(self.adv) - 1)]
        return total * size / self.upem


_cache = {}


def text_width(text, size, bold=False):
    key = bold
    if key not in _cache:
        name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
        m = None
        for d in _FONT_DIRS:
            p = os.path.join(d, name)
            if os.path.exists(p):
                m = _Metrics(p)
                break
        _cache[key] = m
    m = _cache[key]
    if m is None:  # rough fallback when the font is missing
        return len(text) * size * (0.6 if bold else 0.55)
    return m.width(text, size)


def f(v):
    """Compact number formatting."""
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def esc(t):
    return t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


class Svg:
    def __init__(self, w, h, vw=None, vh=None, title=None):
        self.w, self.h = w, h
        self.vw, self.vh = vw or w, vh or h
        self.items = []
        self.title = title

    def add(self, s):
        self.items.append(s)

    # primitives -----------------------------------------------------------
    def rect(self, x, y, w, h, fill="none", stroke=None, sw=1, rx=0, extra=""):
        s = '<rect x="%s" y="%s" width="%s" height="%s" fill="%s"' % (f(x), f(y), f(w), f(h), fill)
        if rx:
            s += ' rx="%s" ry="%s"' % (f(rx), f(rx))
        if stroke:
            s += ' stroke="%s" stroke-width="%s"' % (stroke, f(sw))
        self.add(s + extra + "/>")

    def line(self, x1, y1, x2, y2, stroke=INK, sw=3, dash=None, cap="round"):
        s = '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="%s" stroke-linecap="%s"' % (
            f(x1), f(y1), f(x2), f(y2), stroke, f(sw), cap)
        if dash:
            s += ' stroke-dasharray="%s"' % dash
        self.add(s + "/>")

    def polyline(self, pts, stroke=INK, sw=3, fill="none", dash=None):
        s = '<polyline points="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"' % (
            " ".join("%s,%s" % (f(x), f(y)) for x, y in pts), fill, stroke, f(sw))
        if dash:
            s += ' stroke-dasharray="%s"' % dash
        self.add(s + "/>")

    def polygon(self, pts, fill=INK, stroke=None, sw=1):
        s = '<polygon points="%s" fill="%s"' % (" ".join("%s,%s" % (f(x), f(y)) for x, y in pts), fill)
        if stroke:
            s += ' stroke="%s" stroke-width="%s" stroke-linejoin="round"' % (stroke, f(sw))
        self.add(s + "/>")

    def circle(self, cx, cy, r, fill="none", stroke=INK, sw=3):
        s = '<circle cx="%s" cy="%s" r="%s" fill="%s"' % (f(cx), f(cy), f(r), fill)
        if stroke:
            s += ' stroke="%s" stroke-width="%s"' % (stroke, f(sw))
        self.add(s + "/>")

    def path(self, d, fill="none", stroke=None, sw=1, dash=None, cap="round"):
        s = '<path d="%s" fill="%s"' % (d, fill)
        if stroke:
            s += ' stroke="%s" stroke-width="%s" stroke-linecap="%s" stroke-linejoin="round"' % (stroke, f(sw), cap)
        if dash:
            s += ' stroke-dasharray="%s"' % dash
        self.add(s + "/>")

    def text(self, x, y, t, size=12, bold=False, anchor="start", fill=INK, family=FONT, italic=False):
        s = '<text x="%s" y="%s" font-family="%s" font-size="%s" fill="%s"' % (f(x), f(y), family, f(size), fill)
        if bold:
            s += ' font-weight="bold"'
        if italic:
            s += ' font-style="italic"'
        if anchor != "start":
            s += ' text-anchor="%s"' % anchor
        self.add(s + ">" + esc(t) + "</text>")

    def rich_line(self, cx, y, runs, size, fill=INK, anchor="middle"):
        """One line made of (text, bold) runs in a single text element: the renderer lays the
        runs out one after another, so the spaces between them come from the font the picture
        is shown in rather than from measured positions that hinting can make overlap."""
        s = '<text x="%s" y="%s" font-family="%s" font-size="%s" fill="%s" xml:space="preserve"' % (
            f(cx), f(y), FONT, f(size), fill)
        if anchor != "start":
            s += ' text-anchor="%s"' % anchor
        body = ""
        for t, b in runs:
            body += '<tspan font-weight="bold">%s</tspan>' % esc(t) if b else esc(t)
        self.add(s + ">" + body.strip() + "</text>")

    def arrow(self, x1, y1, x2, y2, stroke=INK, sw=1.5, head=7, width=None):
        """A line with a filled triangular head at (x2, y2)."""
        ang = math.atan2(y2 - y1, x2 - x1)
        width = width or head * 0.8
        bx, by = x2 - head * math.cos(ang), y2 - head * math.sin(ang)
        self.line(x1, y1, bx, by, stroke=stroke, sw=sw, cap="butt")
        px, py = -math.sin(ang) * width / 2, math.cos(ang) * width / 2
        self.polygon([(x2, y2), (bx + px, by + py), (bx - px, by - py)], fill=stroke)

    def save(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
               'width="%s" height="%s" viewBox="0 0 %s %s">' % (f(self.w), f(self.h), f(self.vw), f(self.vh))]
        if self.title:
            out.append("<title>%s</title>" % esc(self.title))
        out.extend(self.items)
        out.append("</svg>")
        with open(path, "w", encoding="utf-8") as fh:
            fh.write("\n".join(out) + "\n")


def wrap_runs(words, size, maxw):
    """Greedy wrap of [(word, bold)] into lines of runs no wider than maxw."""
    lines, cur, curw = [], [], 0.0
    for w, b in words:
        if w == "|":  # forced line break
            if cur:
                lines.append(cur)
            cur, curw = [], 0.0
            continue
        piece = ((" " if cur else "") + w)
        pw = text_width(piece, size, b)
        if cur and curw + pw > maxw:
            lines.append(cur)
            cur, curw = [(w, b)], text_width(w, size, b)
        else:
            cur.append((piece, b))
            curw += pw
    if cur:
        lines.append(cur)
    return lines


def line_width(runs, size):
    return sum(text_width(t, size, b) for t, b in runs)


def parse_marked(text):
    """'Back *twisted* or' -> [('Back', False), ('twisted', True), ('or', False)].

    A bold run starts at a word beginning with '*' and ends at one ending with '*'."""
    out, bold = [], False
    for w in text.split(" "):
        if not w:
            continue
        starts = w.startswith("*")
        ends = w.endswith("*") and (len(w) > 1 or not starts)
        out.append((w.replace("*", ""), bold or starts))
        if starts and not ends:
            bold = True
        elif ends:
            bold = False
    return out
