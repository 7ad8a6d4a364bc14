#!/usr/bin/python3
"""bridgeplan --drawing: the plan drawn from the run's own geometry.

For every deck: the run with --drawing writes the same report and plot as
without it, byte for byte. Then the SVG, read back with xml.etree and its
stated scale (data-scale, data-origin, data-mirror), and the DXF, read with
ezdxf, are checked against the points table the same run wrote:
- every T-line, bent and coordinate row has a marker at its CSV X, Y (Y
  mirrored for a road punched "L") to 0.001 ft, in the SVG and the DXF;
- every T-line and bent point of line N lies on a stroke of line N to
  0.001 ft; every arc's ends lie on its circle; a line that follows a
  circular mainline is an arc about the curve centre;
- the distance of every point from the drawn mainline is its DT TO ML;
- every station tick lies on the drawn mainline, at the arc length from
  the back station (read from the location card) that its station says;
- ezdxf audits the DXF without errors, it defines the linetypes it uses,
  and it holds as many CIRCLEs, ARCs, LINEs, POLYLINEs and TEXTs as the
  SVG has markers, arcs, lines, polylines and texts;
- rsvg-convert rasterises the SVG; headless Chromium loads it without an
  XML error, its screenshot is not blank, and the boxes Chromium gives the
  elevation labels of one span do not overlap.
Then: on the 400 ft tangent span every line is one straight segment;
several problems give numbered drawings; an existing drawing is kept
without --force; a name that is neither .svg nor .dxf is refused.
Usage: BRIDGEPLAN WORKDIR DECK...
"""
import csv
import html
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

import ezdxf

TOL = 0.001
SVG = "{http://www.w3.org/2000/svg}"
failures = []


def fail(msg):
    failures.append(msg)
    if len(failures) <= 40:
        print("FAILED: " + msg, file=sys.stderr)


def run(exe, args):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1788172800")
    return subprocess.run([exe] + args, capture_output=True, text=True, env=env)


# ---------------------------------------------------------------- geometry

def seg_dist(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    L2 = dx * dx + dy * dy
    t = 0 if L2 == 0 else max(0, min(1, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / L2))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def ang_between(a, a0, a1):
    """a on the counter-clockwise sweep from a0 to a1."""
    span = (a1 - a0) % (2 * math.pi)
    return (a - a0) % (2 * math.pi) <= span + 1e-9


class Stroke:
    def __init__(self, kind, pts, centre=None, radius=None, ccw=None):
        self.kind, self.pts, self.centre, self.radius, self.ccw = kind, pts, centre, radius, ccw

    def dist(self, p):
        if self.kind == "arc":
            c, r = self.centre, self.radius
            a0 = math.atan2(self.pts[0][1] - c[1], self.pts[0][0] - c[0])
            a1 = math.atan2(self.pts[1][1] - c[1], self.pts[1][0] - c[0])
            if not self.ccw:
                a0, a1 = a1, a0
            a = math.atan2(p[1] - c[1], p[0] - c[0])
            if ang_between(a, a0, a1):
                return abs(math.hypot(p[0] - c[0], p[1] - c[1]) - r)
            return min(math.hypot(p[0] - q[0], p[1] - q[1]) for q in self.pts)
        return min(seg_dist(p, a, b) for a, b in zip(self.pts, self.pts[1:]))

    def length(self):
        if self.kind == "arc":
            c = self.centre
            a0 = math.atan2(self.pts[0][1] - c[1], self.pts[0][0] - c[0])
            a1 = math.atan2(self.pts[1][1] - c[1], self.pts[1][0] - c[0])
            sweep = (a1 - a0) % (2 * math.pi) if self.ccw else (a0 - a1) % (2 * math.pi)
            return self.radius * sweep
        return sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(self.pts, self.pts[1:]))

    def length_to(self, p):
        """Length along the stroke from its start to the foot of p."""
        if self.kind == "arc":
            c = self.centre
            a0 = math.atan2(self.pts[0][1] - c[1], self.pts[0][0] - c[0])
            a = math.atan2(p[1] - c[1], p[0] - c[0])
            sweep = (a - a0) % (2 * math.pi) if self.ccw else (a0 - a) % (2 * math.pi)
            return self.radius * sweep
        s = 0
        for a, b in zip(self.pts, self.pts[1:]):
            L = math.hypot(b[0] - a[0], b[1] - a[1])
            if seg_dist(p, a, b) < 1e-6 * max(1, L) + 1e-6:
                return s + math.hypot(p[0] - a[0], p[1] - a[1])
            s += L
        return s


# ---------------------------------------------------------------- the SVG

class SvgPlan:
    """The SVG read back into sheet feet with the scale it states."""

    def __init__(self, path):
        self.root = ET.parse(path).getroot()
        r = self.root
        self.k = float(r.get("data-scale"))
        self.x0, self.y1 = (float(v) for v in r.get("data-origin").split())
        self.mirror = float(r.get("data-mirror"))
        self.project = r.get("data-frame") == "project"
        self.layers = {g.get("id"): g for g in r.findall(SVG + "g")}

    def ft(self, px, py):
        return (float(px) / self.k + self.x0, self.y1 - float(py) / self.k)

    def stroke(self, el):
        tag = el.tag[len(SVG):]
        if tag == "line":
            return Stroke("line", [self.ft(el.get("x1"), el.get("y1")), self.ft(el.get("x2"), el.get("y2"))])
        if tag == "polyline":
            pts = [self.ft(*p.split(",")) for p in el.get("points").split()]
            return Stroke("polyline", pts)
        if tag == "path":
            d = el.get("d").split()
            # M x y A rx ry rot large sweep x y; sweep 0 is counter-clockwise on the sheet
            a = self.ft(d[1], d[2])
            b = self.ft(d[9], d[10])
            cx, cy = (float(v) for v in el.get("data-centre").split())
            return Stroke("arc", [a, b], (cx, cy), float(el.get("data-radius")), d[8] == "0")
        return None

    def items(self, layer, cls=None):
        for el in self.layers[layer]:
            if cls is None or el.get("class") == cls or (cls.endswith("*") and (el.get("class") or "").startswith(cls[:-1])):
                yield el

    def marker_at(self, el):
        tag = el.tag[len(SVG):]
        if tag == "circle":
            return self.ft(el.get("cx"), el.get("cy"))
        w = float(el.get("width"))
        return self.ft(float(el.get("x")) + w / 2, float(el.get("y")) + w / 2)


def line_rows_of(rows, n):
    return [r for r in rows if r["row"] in ("T", "B") and int(r["long_line"]) == n]


def read_csv(path):
    with open(path, newline="") as f:
        return list(csv.DictReader(f))


def sheet_point(r, mirror, project):
    """Where a points-table row belongs on the sheet: its easting and
    northing when the problem is tied, else its plane X and Y (mirrored for
    a road punched "L")."""
    if project:
        if not r["easting_ft"]:
            fail(f"a drawing in project coordinates, but row {r['row']}{r['number']} has no easting")
            return (math.nan, math.nan)
        return (float(r["easting_ft"]), float(r["northing_ft"]))
    return (float(r["x_ft"]), mirror * float(r["y_ft"]))


def check_svg(name, svg_path, rows, deck_path):
    plan = SvgPlan(svg_path)
    sheet = lambda r: sheet_point(r, plan.mirror, plan.project)
    for layer in ("alignment", "stations", "lines", "bents", "tlines", "points", "requests", "labels", "title"):
        if layer not in plan.layers:
            fail(f"{name}: no layer group {layer}")
    # Markers at their CSV coordinates, one each.
    markers = [plan.marker_at(el) for el in plan.items("points", "point")]
    requests = [plan.marker_at(el) for el in plan.items("requests", "request")]
    line_rows = [r for r in rows if r["row"] in ("T", "B")]
    req_rows = [r for r in rows if r["row"] == "P"]
    if len(markers) != len(line_rows) or len(requests) != len(req_rows):
        fail(f"{name}: {len(markers)} point markers for {len(line_rows)} rows, "
             f"{len(requests)} request markers for {len(req_rows)} requests")
    for r in line_rows:
        p = sheet(r)
        if not markers or min(math.hypot(p[0] - m[0], p[1] - m[1]) for m in markers) > TOL:
            fail(f"{name}: no marker at line {r['long_line']} {r['row']}{r['number']} {p}")
    for r in req_rows:
        p = sheet(r)
        if not requests or min(math.hypot(p[0] - m[0], p[1] - m[1]) for m in requests) > TOL:
            fail(f"{name}: no marker at request {r['number']} {p}")
    # Every point of line N on a stroke of line N.
    strokes = {}
    for el in plan.items("lines", "line-*"):
        s = plan.stroke(el)
        if s:
            strokes.setdefault(int(el.get("class")[5:]), []).append(s)
    # A radial point of an RLG line (a T-line with C 0: angle 0) is its
    # reference line's crossing moved along that line's normal; on a curve it
    # lies a little off the chord the line is for the span (some 0.02 ft in
    # compound_curve), so it is held to 0.05 ft.
    rlg = {int(c[1:3]) for c in open(deck_path, encoding="ascii").read().splitlines()
           if c.startswith("7") and c[3:6] == "RLG"}
    for r in line_rows:
        p = sheet(r)
        mine = strokes.get(int(r["long_line"]), [])
        d = min((s.dist(p) for s in mine), default=1e9)
        radial = int(r["long_line"]) in rlg and r["row"] == "T" and float(r["angle_deg"]) == 0.0
        if d > (0.05 if radial else TOL):
            fail(f"{name}: line {r['long_line']} passes {d:.4f} ft from its point {r['row']}{r['number']} "
                 f"(span {r['span']})")
    # Arcs: ends on their circle.
    centre_marks = [plan.stroke(el) for el in plan.items("alignment", "centre")]
    centre = None
    if centre_marks:
        a, b = centre_marks[0].pts
        centre = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
    arcs = 0
    for n, ss in strokes.items():
        for s in ss:
            if s.kind != "arc":
                continue
            arcs += 1
            for q in s.pts:
                if abs(math.hypot(q[0] - s.centre[0], q[1] - s.centre[1]) - s.radius) > TOL:
                    fail(f"{name}: an arc of line {n} does not end on its circle")
    # The mainline: DT TO ML is the distance from it; ticks at their stations.
    main = [plan.stroke(el) for el in plan.items("alignment", "mainline")]
    arcs_main = [s for s in main if s.kind == "arc"]
    if centre and not any(math.hypot(s.centre[0] - centre[0], s.centre[1] - centre[1]) < TOL for s in arcs_main):
        fail(f"{name}: no mainline arc is about the marked curve centre")
    for r in rows:
        p = sheet(r)
        d = min(s.dist(p) for s in main)
        if abs(d - abs(float(r["dt_to_ml_ft"]))) > TOL:
            fail(f"{name}: {r['row']}{r['number']} line {r['long_line']} lies {d:.4f} ft from the drawn "
                 f"mainline, DT TO ML {r['dt_to_ml_ft']}")
    card = open(deck_path, encoding="ascii").read().splitlines()[1]
    back = float(card[1:11])
    ticks = 0
    for el in plan.items("stations"):
        cls = el.get("class")
        if cls not in ("major-tick", "minor-tick"):
            continue
        t = plan.stroke(el)
        mid = ((t.pts[0][0] + t.pts[1][0]) / 2, (t.pts[0][1] + t.pts[1][1]) / 2)
        before, found = 0.0, None
        for s in main:
            if s.dist(mid) < TOL:
                found = before + s.length_to(mid)
                break
            before += s.length()
        if found is None:
            fail(f"{name}: a station tick lies off the mainline at {mid}")
            continue
        station = back + found
        step = 100 if cls == "major-tick" else 20
        if abs(station - round(station / step) * step) > TOL:
            fail(f"{name}: a {cls} at station {station:.4f}, not a multiple of {step}")
        ticks += 1
    labels = [el.text for el in plan.items("stations", "station")]
    majors = sum(1 for el in plan.items("stations", "major-tick"))
    if ticks == 0 or len(labels) != majors:
        fail(f"{name}: {ticks} ticks, {len(labels)} station labels for {majors} major ticks")
    elevations = list(plan.items("labels", "elevation"))
    if len(elevations) != len(line_rows):
        fail(f"{name}: {len(elevations)} elevation labels for {len(line_rows)} points")
    counts = {"LINE": 0, "ARC": 0, "POLYLINE": 0, "CIRCLE": 0, "TEXT": 0}
    tag_kind = {"line": "LINE", "path": "ARC", "polyline": "POLYLINE", "circle": "CIRCLE", "rect": "CIRCLE",
                "text": "TEXT"}
    # Leaders are left out: the DXF places its labels for its own text size.
    for g in plan.layers.values():
        for el in g:
            if el.get("class") != "leader":
                counts[tag_kind[el.tag[len(SVG):]]] += 1
    return plan, strokes, counts


def check_dxf(name, dxf_path, rows, mirror, project, svg_counts):
    doc = ezdxf.readfile(dxf_path)
    auditor = doc.audit()
    if auditor.has_errors:
        fail(f"{name}: ezdxf audit finds {len(auditor.errors)} errors in the DXF")
    msp = doc.modelspace()
    for lt in ("CONTINUOUS", "CENTER", "DASHED", "PHANTOM"):
        if lt not in doc.linetypes:
            fail(f"{name}: the DXF does not define the linetype {lt}")
    for e in msp:
        if e.dxf.linetype not in doc.linetypes:
            fail(f"{name}: a {e.dxftype()} uses the undefined linetype {e.dxf.linetype}")
            break
    layers = {l.dxf.name for l in doc.layers}
    for l in ("ALIGNMENT", "STATIONS", "LINES", "BENTS", "TLINES", "POINTS", "LABELS", "TITLE"):
        if l not in layers:
            fail(f"{name}: the DXF has no layer {l}")
    counts = {k: len(msp.query(k)) for k in svg_counts}
    counts["LINE"] -= len(msp.query('LINE[layer=="LABELS"]'))
    if counts != svg_counts:
        fail(f"{name}: DXF entities {counts}, SVG items {svg_counts}")
    circles = [(c.dxf.center.x, c.dxf.center.y) for c in msp.query('CIRCLE[layer=="POINTS"]')]
    reqs = [(c.dxf.center.x, c.dxf.center.y) for c in msp.query('CIRCLE[layer=="REQUESTS"]')]
    for r in rows:
        p = sheet_point(r, mirror, project)
        pool = reqs if r["row"] == "P" else circles
        if not pool or min(math.hypot(p[0] - c[0], p[1] - c[1]) for c in pool) > 1e-6:
            fail(f"{name}: no DXF marker at {r['row']}{r['number']} line {r['long_line']}")
    # Texts sized for the stated plot scale: 0.1 inch of paper.
    scale = None
    for t in msp.query('TEXT[layer=="TITLE"]'):
        if "SCALE 1 IN = " in t.dxf.text:
            scale = float(t.dxf.text.split("SCALE 1 IN = ")[1].split()[0])
    if scale is None:
        fail(f"{name}: the DXF states no plot scale")
    else:
        for t in msp.query('TEXT[layer=="LABELS"]'):
            if abs(t.dxf.height - 0.1 * scale) > 1e-9 and abs(t.dxf.height - 0.12 * scale) > 1e-9:
                fail(f"{name}: a label {t.dxf.height} ft high at 1 in = {scale} ft")
                break
    return doc


# ---------------------------------------------------------------- readers

def png_ink(path, bands=1):
    """Share of pixels of a PNG (8-bit RGB/RGBA, non-interlaced) that are not
    white, in each of `bands` horizontal bands of equal height."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return [0.0] * bands
    pos, idat, w = 8, b"", 0
    while pos < len(data):
        n, typ = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if typ == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or ctype not in (2, 6) or interlace:
                return [-1.0] * bands
            bpp = 3 if ctype == 2 else 4
        elif typ == b"IDAT":
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    stride = w * bpp
    prev = bytearray(stride)
    ink = [0] * bands
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        for x in range(0, stride, bpp * 4):   # every fourth pixel
            if line[x] < 200 or line[x + 1] < 200 or line[x + 2] < 200:
                ink[min(bands - 1, y * bands // h)] += 1
        prev = line
    return [i / (w * h / bands / 4) for i in ink]


def chromium():
    for exe in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(exe)
        if path:
            return path
    return None


CHROME_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--hide-scrollbars", "--no-first-run", "--no-default-browser-check"]

LABEL_SCRIPT = """
<script>
window.addEventListener('load', () => {
  const out = [];
  document.querySelectorAll('svg').forEach((svg, i) => {
    const bySpan = {};
    svg.querySelectorAll('text.elevation').forEach(t => {
      const b = t.getBBox();
      (bySpan[t.getAttribute('data-span')] = bySpan[t.getAttribute('data-span')] || []).push([b, t.textContent]);
    });
    let labels = 0, overlaps = [];
    for (const span in bySpan) {
      const l = bySpan[span];
      labels += l.length;
      for (let a = 0; a < l.length; a++) for (let b = a + 1; b < l.length; b++) {
        const p = l[a][0], q = l[b][0];
        const w = Math.min(p.x + p.width, q.x + q.width) - Math.max(p.x, q.x);
        const h = Math.min(p.y + p.height, q.y + q.height) - Math.max(p.y, q.y);
        if (w > 0.5 && h > 0.5) overlaps.push('span ' + span + ': ' + l[a][1] + ' / ' + l[b][1]);
      }
    }
    out.push(svg.getAttribute('data-name') + ' labels=' + labels + ' overlaps=' + overlaps.length + ' ' + overlaps.slice(0, 5).join('; '));
  });
  document.querySelectorAll('img.file').forEach(img => {
    out.push('image ' + img.getAttribute('data-name') + (img.complete && img.naturalWidth > 0 ? ' loaded' : ' failed to load'));
  });
  const pre = document.createElement('pre');
  pre.id = 'result';
  pre.textContent = out.join('\\n');
  document.body.appendChild(pre);
});
</script>
"""


def check_browsers(work, svgs):
    for name, path in svgs:
        png = os.path.join(work, name + ".rsvg.png")
        r = subprocess.run(["rsvg-convert", path, "-o", png], capture_output=True, text=True)
        if r.returncode != 0:
            fail(f"{name}: rsvg-convert fails: {r.stderr.strip()}")
        elif png_ink(png)[0] < 0.005:
            fail(f"{name}: the rsvg-convert picture is blank")
    exe = chromium()
    if exe is None:
        fail("headless Chromium is not installed (scripts/bootstrap installs the chromium package)")
        return
    # One page with every SVG inline, for Chromium's own boxes of the
    # labels, and every SVG file as an image, which loads only when
    # Chromium's SVG reader accepts the file.
    page = os.path.join(work, "labels.html")
    with open(page, "w", encoding="utf-8") as f:
        f.write("<!DOCTYPE html><html><body>\n")
        for name, path in svgs:
            text = open(path, encoding="utf-8").read()
            text = text[text.index("<svg"):].replace("<svg ", f'<svg data-name="{html.escape(name)}" ', 1)
            f.write(text)
            f.write(f'<img class="file" data-name="{html.escape(name)}" src="file://{os.path.abspath(path)}">\n')
        f.write(LABEL_SCRIPT + "</body></html>\n")
    r = subprocess.run([exe] + CHROME_FLAGS + ["--virtual-time-budget=20000", "--dump-dom", "file://" + page],
                       capture_output=True, text=True, timeout=300)
    dom = r.stdout
    if '<pre id="result">' not in dom:
        fail(f"Chromium did not run the label check: {r.stderr.strip()[:300]}")
    else:
        result = html.unescape(dom.split('<pre id="result">')[1].split("</pre>")[0])
        for line in result.splitlines():
            if line.startswith("image "):
                if not line.endswith(" loaded"):
                    fail("Chromium: " + line)
                continue
            fields = dict(f.split("=", 1) for f in line.split()[1:3])
            if int(fields["labels"]) == 0 or int(fields["overlaps"]) != 0:
                fail("elevation labels in Chromium: " + line)
        if result.count("\nimage ") + result.startswith("image ") != len(svgs):
            fail(f"Chromium reported {result.count('image ')} of {len(svgs)} images")
    # One screenshot of every drawing, one below the other: none is blank.
    band = 400
    shots = os.path.join(work, "shots.html")
    with open(shots, "w", encoding="utf-8") as f:
        f.write('<!DOCTYPE html><html><body style="margin:0;background:#fff">\n')
        for name, path in svgs:
            f.write(f'<img style="display:block;width:1000px;height:{band}px;object-fit:contain" '
                    f'src="file://{os.path.abspath(path)}">\n')
        f.write("</body></html>\n")
    shot = os.path.join(work, "shots.png")
    if os.path.exists(shot):
        os.remove(shot)
    r = subprocess.run([exe] + CHROME_FLAGS + [f"--screenshot={shot}", f"--window-size=1000,{band * len(svgs)}",
                                                "--virtual-time-budget=20000", "file://" + shots],
                       capture_output=True, text=True, timeout=300)
    if not os.path.exists(shot):
        fail(f"no Chromium screenshot: {r.stderr.strip()[:300]}")
        return
    for (name, _), ink in zip(svgs, png_ink(shot, len(svgs))):
        if ink < 0.001:
            fail(f"{name}: its Chromium screenshot is blank ({ink:.5f} of the pixels inked)")


# ---------------------------------------------------------------- the runs

def main():
    exe, work, decks = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    svgs = []
    for deck in decks:
        name = os.path.splitext(os.path.basename(deck))[0]
        base = os.path.join(work, name)
        plain = run(exe, ["--force", deck, base + ".plain.rpt", base + ".plain.plt"])
        r = run(exe, ["--force", "--points", base + ".csv", "--drawing", base + ".svg", deck, base + ".rpt",
                      base + ".plt"])
        if r.returncode != plain.returncode:
            fail(f"{name}: exit {r.returncode} with --drawing, {plain.returncode} without: {r.stderr}")
        for ext in ("rpt", "plt"):
            if open(base + "." + ext, "rb").read() != open(base + ".plain." + ext, "rb").read():
                fail(f"{name}: the {ext} file differs with --drawing")
        r = run(exe, ["--force", "--drawing", base + ".dxf", deck, base + ".rpt", base + ".plt"])
        if r.returncode != plain.returncode:
            fail(f"{name}: exit {r.returncode} with the DXF drawing: {r.stderr}")
        rows = read_csv(base + ".csv")
        plan, strokes, counts = check_svg(name, base + ".svg", rows, deck)
        check_dxf(name, base + ".dxf", rows, plan.mirror, plan.project, counts)
        # The title block carries the run's date, as the report's banner.
        date = open(base + ".rpt", encoding="ascii").read().splitlines()[0][1:10]
        if not any(date in (el.text or "") for el in plan.items("title", "date")):
            fail(f"{name}: the title block does not carry the run's date {date}")
        if name == "tangent_span":
            # One straight segment per line, as long as the line's length
            # between the bents (DT TO BT of its ahead-bent row).
            for n, ss in strokes.items():
                ahead = max(float(r["dt_to_bt_ft"]) for r in line_rows_of(rows, n))
                if len(ss) != 1 or ss[0].kind != "line" or abs(ss[0].length() - ahead) > TOL:
                    fail(f"tangent_span: line {n} is not one straight of {ahead:.4f} ft: "
                         f"{[(s.kind, round(s.length(), 4)) for s in ss]}")
        svgs.append((name, base + ".svg"))
    check_browsers(work, svgs)

    # Several problems: numbered drawings, as the renderer numbers them.
    both = os.path.join(work, "two_problems.deck")
    with open(both, "w", encoding="ascii") as f:
        for deck in decks[:2]:
            f.write(open(deck, encoding="ascii").read())
    for stale in ("two.svg", "two-1.svg", "two-2.svg"):
        if os.path.exists(os.path.join(work, stale)):
            os.remove(os.path.join(work, stale))
    r = run(exe, ["--force", "--drawing", os.path.join(work, "two.svg"), both, os.path.join(work, "two.rpt")])
    names = sorted(f for f in os.listdir(work) if f.startswith("two") and f.endswith(".svg"))
    if r.returncode != 0 or names != ["two-1.svg", "two-2.svg"]:
        fail(f"two problems give {names} (exit {r.returncode}: {r.stderr.strip()})")
    else:
        titles = [SvgPlan(os.path.join(work, n)).root.find(SVG + "title").text for n in names]
        for n, t, deck in zip(names, titles, decks[:2]):
            number = open(deck, encoding="ascii").readline()[4:8].lstrip("0")
            if "Problem " + open(deck, encoding="ascii").readline()[4:8] not in t:
                fail(f"{n} is titled {t!r}, not problem {number}")

    # An existing drawing is kept without --force; a bad name is refused.
    keep = os.path.join(work, "keep.svg")
    with open(keep, "w") as f:
        f.write("mine")
    r = run(exe, ["--drawing", keep, decks[0], os.path.join(work, "keep.rpt")])
    if r.returncode == 0 or open(keep).read() != "mine" or "--force" not in r.stderr:
        fail(f"an existing drawing was not kept: exit {r.returncode}, {r.stderr.strip()}")
    r = run(exe, ["--force", "--drawing", os.path.join(work, "plan.png"), decks[0], os.path.join(work, "x.rpt")])
    if r.returncode == 0 or ".svg or .dxf" not in r.stderr or os.path.exists(os.path.join(work, "x.rpt")):
        fail(f"a drawing named .png was not refused before the run: exit {r.returncode}, {r.stderr.strip()}")

    if failures:
        print(f"{len(failures)} failures", file=sys.stderr)
        return 1
    print(f"plan drawings of {len(decks)} decks checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
