#!/usr/bin/env python3
"""Whole-run checks of bridgeplan-import on the LandXML files beside this
script.

A road: import a window, append a mainline line (ARC at DR 0), a line 12 ft
to the left (ARC at DR +12), spans whose bents and T-lines stand at the
file's own stations (element starts and ends, every 25 ft, the tie station),
run bridgeplan with the points table, and compare every point with the file:

- the file's coordinates: Start and End as written, points between them
  along the file's line or circle (computed here from Start, Center and End);
  Center: every computed point of a curve lies R from it; PI: the computed
  tangents meet at it;
- the line at DR +12 lies 12 ft to the left of the road's travel (to the
  right of a left-turning road, which the deck describes mirrored);
- the elevations follow the file's PVIs and parabolic curves;
all to 0.0005 ft.

The report's X and Y are in the deck's plane frame. With --plane the tie
card is taken off the deck before the run and the frame is carried to
northing and easting here: the plane point P0 and direction of travel a0
(counter-clockwise from +X) at the tie station come from the run itself,
and the tie's northing N0, easting E0 and azimuth z0 give
    (for direction letter L first y -> -y, a0 -> -a0)
    w = (90 deg - z0) - a0
    E = E0 + cos w (x - x0) - sin w (y - y0)
    N = N0 + sin w (x - x0) + cos w (y - y0).
Without --plane the tie card stays on the deck and bridgeplan's own northing
and easting columns are compared.

A refusal: the file and window must be refused with exit status 2, nothing
on standard output and the expected words in the message.
"""
import csv
import io
import math
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
FILES = os.path.join(HERE, "files")
TOL = 0.0005
FAILURES = []


def fail(msg):
    FAILURES.append(msg)
    print("FAIL:", msg)


def local(tag):
    return tag.split("}")[-1]


def nums(text):
    return [float(v) for v in text.split()]


class FileRoad:
    """The alignment and design profile as the file gives them (feet)."""

    def __init__(self, path, alignment=None, profile=None):
        root = ET.parse(path).getroot()
        units = next(e for e in root.iter() if local(e.tag) in ("Imperial", "Metric"))
        self.scale = 1 / 0.3048 if units.get("linearUnit") in ("meter", "metre") else 1.0
        al = [e for e in root.iter() if local(e.tag) == "Alignment"]
        a = next(x for x in al if alignment is None or x.get("name") == alignment)
        s = self.scale
        self.elements = []
        sta = float(a.get("staStart")) * s
        for el in next(e for e in a if local(e.tag) == "CoordGeom"):
            kind = local(el.tag)
            pts = {local(c.tag): [v * s for v in nums(c.text)] for c in el}
            e = {"kind": kind, "begin": sta}
            for k, v in pts.items():
                e[k] = (v[1], v[0])  # x = easting, y = northing
            if kind == "Line":
                e["len"] = math.dist(e["Start"], e["End"])
            elif kind == "Spiral":
                e["len"] = float(el.get("length")) * s
            else:
                c, p0, p1 = e["Center"], e["Start"], e["End"]
                e["R"] = math.dist(c, p0)
                a0 = math.atan2(p0[1] - c[1], p0[0] - c[0])
                a1 = math.atan2(p1[1] - c[1], p1[0] - c[0])
                pi = e["PI"]
                cw = ((pi[0] - p0[0]) * (p1[1] - pi[1]) - (pi[1] - p0[1]) * (p1[0] - pi[0])) < 0
                d = (a0 - a1) if cw else (a1 - a0)
                d %= 2 * math.pi
                e["cw"], e["a0"], e["delta"] = cw, a0, d
                e["len"] = e["R"] * d
            sta += e["len"]
            self.elements.append(e)
        # CrossSects: the first design surface's points, offset right, elevation
        self.sections = []
        surface = None
        for cs in (e for e in a.iter() if local(e.tag) == "CrossSect"):
            pts = set()
            for srf in (e for e in cs if local(e.tag) == "DesignCrossSectSurf"):
                surface = surface or srf.get("name")
                if srf.get("name") == surface:
                    pts |= {tuple(v * s for v in nums(p.text)) for p in srf}
            self.sections.append((float(cs.get("sta")) * s, sorted(pts)))
        self.profile = []
        for pa in (e for e in a.iter() if local(e.tag) == "ProfAlign"):
            if profile is None or pa.get("name") == profile:
                for p in pa:
                    v = nums(p.text)
                    self.profile.append((local(p.tag), v[0] * s, v[1] * s, float(p.get("length", 0)) * s))
                break

    def element_at(self, sta):
        return next((e for e in self.elements if sta <= e["begin"] + e["len"] + 1e-9), self.elements[-1])

    def point(self, sta):
        """(x, y) and direction of travel at a station of the file."""
        for e in self.elements:
            if sta <= e["begin"] + e["len"] + 1e-9:
                break
        u = sta - e["begin"]
        if e["kind"] == "Line":
            d = math.atan2(e["End"][1] - e["Start"][1], e["End"][0] - e["Start"][0])
            return (e["Start"][0] + u * math.cos(d), e["Start"][1] + u * math.sin(d)), d
        ang = e["a0"] + (-u if e["cw"] else u) / e["R"]
        c = e["Center"]
        return (c[0] + e["R"] * math.cos(ang), c[1] + e["R"] * math.sin(ang)), \
            ang + (-math.pi / 2 if e["cw"] else math.pi / 2)

    def surface(self, sta, right):
        """The design surface at a station and an offset to the right of
        travel: its height above the profile grade at the sections either
        side, each read off the section's own points, taken linearly in
        station between them."""
        def height(sec_sta, pts):
            o = [p[0] for p in pts]
            i = max(0, min(len(o) - 2, next((k for k in range(len(o) - 1) if right <= o[k + 1]), len(o) - 2)))
            e = pts[i][1] + (pts[i + 1][1] - pts[i][1]) * (right - o[i]) / (o[i + 1] - o[i])
            return e - self.elevation(sec_sta)
        secs = self.sections
        k = next(k for k in range(len(secs) - 1) if secs[k][0] <= sta <= secs[k + 1][0])
        (s0, p0), (s1, p1) = secs[k], secs[k + 1]
        t = (sta - s0) / (s1 - s0)
        return self.elevation(sta) + (1 - t) * height(s0, p0) + t * height(s1, p1)

    def elevation(self, sta):
        p = self.profile
        for i in range(1, len(p) - 1):
            kind, t, el, length = p[i]
            if kind == "ParaCurve" and abs(sta - t) < length / 2:
                g1 = (el - p[i - 1][2]) / (t - p[i - 1][1])
                g2 = (p[i + 1][2] - el) / (p[i + 1][1] - t)
                x = sta - (t - length / 2)
                return el - g1 * length / 2 + g1 * x + (g2 - g1) * x * x / (2 * length)
        for i in range(len(p) - 1):
            if p[i][1] <= sta <= p[i + 1][1]:
                g = (p[i + 1][2] - p[i][2]) / (p[i + 1][1] - p[i][1])
                return p[i][2] + g * (sta - p[i][1])
        raise ValueError(sta)


def field(card, col, width, decimals):
    text = card[col - 1:col - 1 + width].replace(" ", "")
    if not text:
        return 0.0
    if "." in text:
        return float(text)
    return int(text) / 10 ** decimals


def run_import(exe, xml, frm, to, extra=()):
    return subprocess.run([exe, os.path.join(FILES, xml), "--from", str(frm), "--to", str(to), *extra],
                          capture_output=True, text=True)


def layout(stations, back, ahead, offsets=()):
    """Longitudinal lines (the mainline, 12 ft left, then the offsets) and
    spans with bents and T-lines at the stations."""
    cards = ["7 1ARC         0.0                               MAINLINE",
             "7 2ARC        12.0                               12 FT LEFT"]
    cards += [f"7{n:2d}ARC{dr:12.1f}                               LINE AT DR {dr}" for n, dr in enumerate(offsets, 3)]
    cards.append(f"7{len(offsets) + 3:2d}END")
    # Not on the back and ahead stations themselves: a point found there by
    # projection may land a hair outside them.
    stations = sorted(set(round(s, 4) for s in stations if back + 0.001 < round(s, 4) < ahead - 0.001))
    groups = [stations[i:i + 22] for i in range(0, len(stations), 22)]
    for n, g in enumerate(groups, 1):
        if len(g) == 1:
            g = [g[0], g[0]]
        inner = g[1:-1]
        last = "LAST" if n == len(groups) else "    "
        cards.append(f"8SPAN{n:3d}{len(inner):3d} {last} SPAN {n}")
        cards.append(f"B {n % 100:2d}SKEW{g[0]:10.4f}       0    0.0000BENT")
        cards.append(f"A {(n + 1) % 100:2d}SKEW{g[-1]:10.4f}       0    0.0000BENT")
        for k, s in enumerate(inner, 1):
            cards.append(f"T{k:2d}SKEW     {s:10.4f}         0    0POINT")
    cards.append("9")
    return cards


def check_round_trip(name, road, xml_out):
    """The LandXML that bridgeplan writes of the imported deck gives back the
    file's alignment: every Line's and Curve's Start and End are the file's
    points at their stations, every Curve has the file's Center and radius."""
    ns = {"lx": "http://www.landxml.org/schema/LandXML-1.2"}
    geom = ET.parse(xml_out).getroot().find("lx:Alignments/lx:Alignment/lx:CoordGeom", ns)
    if geom is None:
        fail(f"{name}: the LandXML written has no CoordGeom")
        return
    def en(el, tag):  # northing easting in the file -> (easting, northing)
        n, e = map(float, el.find(f"lx:{tag}", ns).text.split()[:2])
        return (e, n)
    worst, count = 0.0, 0
    for el in geom:
        kind = el.tag.split("}")[1]
        begin = float(el.get("staStart"))
        end = begin + float(el.get("length"))
        for tag, sta in (("Start", begin), ("End", end)):
            miss = math.dist(en(el, tag), road.point(sta)[0])
            worst = max(worst, miss)
            if miss > TOL:
                fail(f"{name}: the LandXML {kind} {tag} at station {sta:.4f} is {miss:.6f} ft from the file's")
        if kind == "Curve":
            e = road.element_at((begin + end) / 2)
            if e["kind"] != "Curve":
                fail(f"{name}: the LandXML has a Curve at station {begin:.4f} where the file has a {e['kind']}")
                continue
            miss = max(math.dist(en(el, "Center"), e["Center"]), abs(float(el.get("radius")) - e["R"]))
            worst = max(worst, miss)
            if miss > TOL:
                fail(f"{name}: the LandXML Curve at station {begin:.4f} has its Center or radius "
                     f"{miss:.6f} ft off the file's")
        count += 1
    print(f"   {name}: the LandXML written gives back {count} elements of the file to {worst:.6f} ft")


def check_road(importer, bridgeplan, plane, xml, frm, to, extra=(), alignment=None, profile=None,
               expect_notes=(), forbid_notes=(), offsets=(), crown=None):
    name = f"{xml} {frm}..{to}"
    res = run_import(importer, xml, frm, to, extra)
    if res.returncode != 0:
        fail(f"{name}: import refused: {res.stderr.strip()}")
        return
    for words in expect_notes:
        if words not in res.stderr:
            fail(f"{name}: the messages do not say \"{words}\":\n{res.stderr}")
    for words in forbid_notes:
        if words in res.stderr:
            fail(f"{name}: the messages say \"{words}\":\n{res.stderr}")
    deck = res.stdout.splitlines()
    codes = [c[:1] for c in deck]
    if codes[:7] != ["*", "1", "T", "2", "3", "4", "5"] or set(codes[7:]) - {"6"} or \
            (crown is None and deck[6] != "5LVL") or (crown is not None and deck[6:] != crown):
        fail(f"{name}: the deck's cards are {codes}:\n" + "\n".join(deck[6:]))
        return
    loc, tie = deck[1], deck[2]
    back, ahead, letter = field(loc, 2, 10, 4), field(loc, 12, 10, 4), loc[50]
    tie_sta, n0, e0 = field(tie, 2, 10, 4), field(tie, 12, 14, 4), field(tie, 26, 14, 4)
    z0 = field(tie, 40, 3, 0) + field(tie, 43, 2, 0) / 60 + field(tie, 45, 4, 2) / 3600

    road = FileRoad(os.path.join(FILES, xml), alignment, profile)
    stations = []
    for e in road.elements:
        stations += [e["begin"], e["begin"] + e["len"]]
    stations = [s for s in stations if road.element_at(s)["kind"] != "Spiral"]
    s = math.ceil(back / 25) * 25
    while s <= ahead:
        stations.append(s)
        s += 25
    stations += [tie_sta - 0.5, tie_sta, tie_sta + 0.5]
    cards = (deck[:2] + deck[3:] if plane else deck) + layout(stations, back, ahead, offsets)

    with tempfile.TemporaryDirectory() as work:
        deck_path = os.path.join(work, "road.deck")
        with open(deck_path, "w") as f:
            f.write("\n".join(cards) + "\n")
        pts = os.path.join(work, "points.csv")
        xml_out = os.path.join(work, "road.xml")
        run = subprocess.run([bridgeplan, "--force", "--points", pts]
                             + ([] if plane else ["--landxml", xml_out])
                             + [deck_path, os.path.join(work, "rpt"), os.path.join(work, "plt")],
                             capture_output=True, text=True,
                             env=dict(os.environ, SOURCE_DATE_EPOCH="1788172800"))
        if run.returncode != 0 or "abandoned" in run.stderr:
            fail(f"{name}: bridgeplan failed: {run.stderr.strip()}\n" + "\n".join(cards))
            return
        with open(pts, newline="") as f:
            rows = [r for r in csv.DictReader(f) if r["row"] in ("T", "B")]
        if not plane:
            check_round_trip(name, road, xml_out)

    by_line = {n: {} for n in range(1, len(offsets) + 3)}
    for r in rows:
        xy = (float(r["x_ft"]), float(r["y_ft"]))
        if not plane:
            xy = (float(r["easting_ft"]), float(r["northing_ft"]))
        by_line[int(r["long_line"])][round(float(r["station_ft"]), 4)] = (xy, float(r["elevation_ft"]))
    main = by_line[1]
    if plane:
        mirror = -1 if letter == "L" else 1
        (x0, y0), _ = main[round(tie_sta, 4)]
        (xa, ya), _ = main[round(tie_sta - 0.5, 4)]
        (xb, yb), _ = main[round(tie_sta + 0.5, 4)]
        a0 = math.atan2(mirror * (yb - ya), xb - xa)
        w = math.radians(90 - z0) - a0

        def real(xy):
            dx, dy = xy[0] - x0, mirror * (xy[1] - y0)
            return (e0 + math.cos(w) * dx - math.sin(w) * dy, n0 + math.sin(w) * dx + math.cos(w) * dy)
    else:
        def real(xy):
            return xy

    worst = 0.0
    checked = 0
    for sta, (xy, elev) in main.items():
        want, direction = road.point(sta)
        for e in road.elements:  # the file's own Start and End where the station is one
            if abs(e["begin"] - sta) < 1e-4:
                want = e["Start"]
            if abs(e["begin"] + e["len"] - sta) < 1e-4:
                want = e["End"]
        got = real(xy)
        miss = math.dist(got, want)
        worst = max(worst, miss)
        checked += 1
        if miss > TOL:
            fail(f"{name}: station {sta:.4f}: the point is {miss:.6f} ft from the file's")
        if abs(elev - road.elevation(sta)) > TOL:
            fail(f"{name}: station {sta:.4f}: elevation {elev:.4f}, the file's profile gives "
                 f"{road.elevation(sta):.4f}")
        side = 1 if letter != "L" else -1  # +DR lies left of the deck's (mirrored) road
        left = (want[0] - 12 * side * math.sin(direction), want[1] + 12 * side * math.cos(direction))
        if sta in by_line[2] and math.dist(real(by_line[2][sta][0]), left) > TOL:
            fail(f"{name}: station {sta:.4f}: the line at DR +12 is "
                 f"{math.dist(real(by_line[2][sta][0]), left):.6f} ft from where it belongs")
    if crown is not None:  # every line's elevations on the file's design surface
        worst_z, side = 0.0, (1 if letter == "L" else -1)
        for n, dr in enumerate((0.0, 12.0) + tuple(offsets), 1):
            for sta, (_, elev) in by_line[n].items():
                want_z = road.surface(sta, side * dr)
                worst_z = max(worst_z, abs(elev - want_z))
                if abs(elev - want_z) > TOL:
                    fail(f"{name}: station {sta:.4f} DR {dr}: elevation {elev:.4f}, the file's sections give "
                         f"{want_z:.4f}")
        print(f"   {name}: elevations at {len(offsets) + 2} offsets within {worst_z:.6f} ft of the file's sections")
    for e in road.elements:
        if e["kind"] != "Curve":
            continue
        on = [real(xy) for sta, (xy, _) in main.items()
              if e["begin"] - 1e-4 <= sta <= e["begin"] + e["len"] + 1e-4]
        for p in on:
            if abs(math.dist(p, e["Center"]) - e["R"]) > TOL:
                fail(f"{name}: a point of the curve lies {math.dist(p, e['Center']):.6f} ft from the "
                     f"file's Center, radius {e['R']:.6f}")
    # PI: where the computed tangents either side of a curve between two
    # lines meet (from points 25 ft apart on each tangent).
    for before, e, after in zip(road.elements, road.elements[1:], road.elements[2:]):
        if e["kind"] != "Curve" or before["kind"] != "Line" or after["kind"] != "Line":
            continue
        b, f_ = e["begin"], e["begin"] + e["len"]
        keys = [round(b, 4) - 25, round(b, 4), round(f_, 4), round(f_, 4) + 25]
        near = [min(main, key=lambda s: abs(s - k)) for k in keys]
        if any(abs(s - k) > 30 for s, k in zip(near, keys)) or near[0] < before["begin"] or \
                near[3] > after["begin"] + after["len"] or near[0] == near[1] or near[2] == near[3]:
            continue
        p1, p0, q0, q1 = [real(main[s][0]) for s in near]
        d1 = (p0[0] - p1[0], p0[1] - p1[1])
        d2 = (q1[0] - q0[0], q1[1] - q0[1])
        den = d1[0] * d2[1] - d1[1] * d2[0]
        t = ((q0[0] - p0[0]) * d2[1] - (q0[1] - p0[1]) * d2[0]) / den
        pi = (p0[0] + t * d1[0], p0[1] + t * d1[1])
        checked_pi = math.dist(pi, e["PI"])
        if checked_pi > TOL:
            fail(f"{name}: the computed tangents meet {checked_pi:.6f} ft from the file's PI")
        else:
            print(f"   {name}: the tangents meet {checked_pi:.6f} ft from the file's PI")
    print(f"ok {name}: {checked} stations, largest distance {worst:.6f} ft "
          f"({'plane frame carried by the tie here' if plane else 'northing/easting of the run'})")


def check_example(bridgeplan, deck, xml, plane):
    """Every point of the example's report lies where the file's alignment
    puts its station and offset: northing and easting of the run against
    the file's point at STATION moved DT TO ML to the left of travel. In the
    plane frame (tie card taken off) the report's X, Y are first carried
    onto those points by the rigid motion (rotation and translation) that
    fits them best, and the remaining distances are compared."""
    road = FileRoad(xml)
    with tempfile.TemporaryDirectory() as work:
        if plane:
            with open(deck) as f:  # the tie card is the third
                cards = [c for i, c in enumerate(f.read().splitlines()) if not (i == 2 and c.startswith("T"))]
            deck = os.path.join(work, "plane.deck")
            with open(deck, "w") as f:
                f.write("\n".join(cards) + "\n")
        pts = os.path.join(work, "points.csv")
        run = subprocess.run([bridgeplan, "--force", "--points", pts, deck, os.path.join(work, "rpt"),
                              os.path.join(work, "plt")], capture_output=True, text=True)
        if run.returncode != 0 or run.stderr:
            fail(f"{deck}: {run.stderr}")
            return
        with open(pts, newline="") as f:
            rows = list(csv.DictReader(f))
    worst = 0.0
    wanted, got = [], []
    for r in rows:
        sta, dr = float(r["station_ft"]), float(r["dt_to_ml_ft"] or 0)
        (x, y), a = road.point(sta)
        wanted.append((x - dr * math.sin(a), y + dr * math.cos(a)))
        got.append((float(r["x_ft"]), float(r["y_ft"])) if plane else
                   (float(r["easting_ft"]), float(r["northing_ft"])))
    if plane:  # best rigid motion: centroids, then the angle of the cross-covariance
        cw = [sum(p[i] for p in wanted) / len(wanted) for i in (0, 1)]
        cg = [sum(p[i] for p in got) / len(got) for i in (0, 1)]
        sxx = sum((g[0] - cg[0]) * (w[0] - cw[0]) + (g[1] - cg[1]) * (w[1] - cw[1]) for g, w in zip(got, wanted))
        sxy = sum((g[0] - cg[0]) * (w[1] - cw[1]) - (g[1] - cg[1]) * (w[0] - cw[0]) for g, w in zip(got, wanted))
        t = math.atan2(sxy, sxx)
        got = [(cw[0] + math.cos(t) * (g[0] - cg[0]) - math.sin(t) * (g[1] - cg[1]),
                cw[1] + math.sin(t) * (g[0] - cg[0]) + math.cos(t) * (g[1] - cg[1])) for g in got]
    for r, want, point in zip(rows, wanted, got):
        sta = float(r["station_ft"])
        miss = math.dist(want, point)
        worst = max(worst, miss)
        want_z = road.surface(sta, -float(r["dt_to_ml_ft"] or 0)) if road.sections else road.elevation(sta)
        if miss > TOL or abs(float(r["elevation_ft"]) - want_z) > TOL:
            fail(f"{deck}: row {r['span']} {r['long_line']} {r['row']} {r['number']}: {miss:.6f} ft off")
    print(f"ok {os.path.basename(deck)}: {len(rows)} points on the file's alignment and sections, largest "
          f"distance {worst:.6f} ft")


def check_refusal(importer, xml, frm, to, words, extra=()):
    res = run_import(importer, xml, frm, to, extra)
    name = f"{xml} {frm}..{to} {' '.join(extra)}"
    if res.returncode != 2 or res.stdout:
        fail(f"{name}: expected a refusal, got exit {res.returncode} and {len(res.stdout)} bytes of cards")
    for w in words:
        if w not in res.stderr:
            fail(f"{name}: the refusal does not say \"{w}\": {res.stderr.strip()}")
    if not FAILURES or not FAILURES[-1].startswith(name):
        print(f"ok refused {name}: {res.stderr.strip()}")


def check_output_file(importer):
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "road.deck")
        with open(out, "w") as f:
            f.write("KEEP ME\n")
        args = ["right_curve.xml", 10800, 12400]
        res = run_import(importer, *args, ["-o", out])
        if res.returncode == 0 or open(out).read() != "KEEP ME\n" or "--force" not in res.stderr:
            fail("an existing deck was not refused without --force, or was touched")
        res = run_import(importer, *args, ["-o", out, "--force"])
        plain = run_import(importer, *args)
        if res.returncode != 0 or open(out).read() != plain.stdout or res.stdout:
            fail("--force did not replace the deck with the cards of standard output")
        if sorted(os.listdir(work)) != ["road.deck"]:
            fail(f"the deck's folder holds {os.listdir(work)}")
        xml = os.path.join(work, "road.xml")
        with open(os.path.join(FILES, "right_curve.xml")) as f, open(xml, "w") as g:
            g.write(f.read())
        res = subprocess.run([importer, xml, "--from", "10800", "--to", "12400", "-o", xml, "--force"],
                             capture_output=True, text=True)
        with open(os.path.join(FILES, "right_curve.xml")) as f:
            if res.returncode != 2 or open(xml).read() != f.read():
                fail(f"the LandXML file named as the deck was not refused: {res.stderr}")
        print("ok deck file: refused without --force, replaced with it, no stray files")


def main():
    importer, bridgeplan = sys.argv[1], sys.argv[2]
    plane = "--plane" in sys.argv[3:]
    road = lambda *a, **k: check_road(importer, bridgeplan, plane, *a, **k)
    road("right_curve.xml", 10800, 12400, forbid_notes=["radius", "L ("])
    road("left_curve.xml", 5500, 6300, expect_notes=["US survey foot", "mirror image"])
    road("compound_curve.xml", 300, 1100)
    road("straight_road.xml", 2200, 3300)
    road("refuse_spiral.xml", 1720, 1930)  # the curve between the spirals
    road("sharp_curve.xml", 100, 1300, expect_notes=["radius 500.00000"])
    road("wide_curve.xml", 100, 1700)
    road("metric_road.xml", 150, 450, expect_notes=["multiplied by 3.2808398950", "radius 1968.50394",
                                                   "the P.C. at station 200.000000 is punched as 200.0000"])
    # A published alignment's report transcribed (the points as printed).
    road("published_road.xml", 0, 169.5, expect_notes=["radius 1499.99968 ft (-0.00032 ft)"])
    road("export_quirks.xml", 20100, 21600, ["--alignment", "MAINLINE", "--profile", "FINAL"],
         alignment="MAINLINE", profile="FINAL", expect_notes=["mirror image"])
    road("export_quirks.xml", 100, 800, alignment="RAMP A", profile="RAMP FG")

    # The crown card from the file's design cross-sections (cards worked by
    # hand from the files' slopes), every line's elevations on the sections.
    road("crown_constant.xml", 10800, 12400, offsets=(-20.0, -6.0, 6.0), expect_notes=["constant cross slopes"],
         crown=["5LNS   -24.0     0.0     0.0    24.0    24.0",
                "6CONS    10800.0  0.24 -0.24"])
    road("crown_runoff.xml", 10800, 12400, offsets=(-14.0, -6.0, 6.0),
         expect_notes=["3 lanes between deck offsets (DR) -16.0000 -12.0000 0.0000 12.0000",
                       "cross slopes from 6 rows between stations 10000.0000 and 13066.6667"],
         crown=["5LNS   -16.0   -12.0     0.0     0.0    12.0",
                "6STAR    10000.0  0.48  0.24 -0.24",
                "6        11000.0  0.48  0.24 -0.24",
                "6        11100.0  0.48  0.24   0.0",
                "6        11150.0  0.48  0.24  0.24",
                "6        11400.0  0.72  0.72  0.72",
                "6FINI 13066.6667  0.72  0.72  0.72"])
    # The window after the first vertical curve, whose first section stands
    # on that curve, before PVI Z; the lanes either side of the crown line
    # keep one slope from the reverse crown on, and become one plane.
    road("crown_runoff.xml", 11250, 12400, offsets=(-14.0, -6.0, 6.0),
         crown=["5LNS   -16.0   -12.0     0.0    12.0    12.0",
                "6STAR    11150.0  0.48  0.24",
                "6        11400.0  0.72  0.72",
                "6FINI 13066.6667  0.72  0.72"])
    road("crown_left.xml", 5500, 6300, offsets=(-14.0, -6.0, 6.0), expect_notes=["mirror image"],
         crown=["5LNS   -16.0   -12.0     0.0    12.0    12.0",
                "6CONS     5500.0  0.72  0.48"])
    for alignment, words in (("WIDENING", ["CrossSect at station 1000.0000", "station 3000.0000",
                                           "-16.0000 0.0000 12.0000", "keep their widths"]),
                             ("FOUR PLANES", ["4 planes", "three lanes of one roadway"]),
                             ("SUPER ONLY", ["Superelevation from station 1500.0000 to 2500.0000",
                                             "no lane offsets"]),
                             ("OFF GRADE", ["CrossSect at station 1000.0000 lies 1.0000 ft off the profile grade",
                                            "no break"]),
                             ("SHORT SECTIONS", ["CrossSects run from station 1800.0000 to 2200.0000",
                                                 "do not cover the window from 1500.0000 to 2500.0000"])):
        res = run_import(importer, "crown_unmapped.xml", 1500, 2500, ["--alignment", alignment])
        missing = [w for w in words + ["warning:", "punch the crown and lane card"] if w not in res.stderr]
        if res.returncode != 0 or res.stdout.splitlines()[-1:] != ["5LVL"] or missing:
            fail(f"crown_unmapped.xml {alignment}: exit {res.returncode}, cards {res.stdout.splitlines()[-1:]}, "
                 f"the messages do not say {missing}: {res.stderr}")
        else:
            print(f"ok level section for {alignment}: " + next(l for l in res.stderr.splitlines() if "warning" in l))

    refuse = lambda *a, **k: check_refusal(importer, *a, **k)
    refuse("refuse_spiral.xml", 1400, 1800, ["Spiral 2", "circles and straights", "1500.0000"])
    refuse("refuse_reverse.xml", 1200, 1800, ["reverse curve", "Curve 3"])
    refuse("compound_curve.xml", 300, 1300, ["fourth piece", "Line 4", "at most three"])
    refuse("refuse_angle_point.xml", 1200, 1800, ["angle point", "Line 2", "1500.0000", "2.000000 degrees"])
    refuse("refuse_equation.xml", 1300, 1800, ["station equation", "1500.0000"])
    refuse("refuse_unsymmetric.xml", 1500, 2500, ["unsymmetrical", "2000.0000"])
    refuse("refuse_circular.xml", 1500, 2500, ["circular vertical curve", "2000.0000"])
    refuse("refuse_grade_break.xml", 1500, 2500, ["without a vertical curve", "2000.0000"])
    refuse("refuse_three_curves.xml", 1300, 2700, ["third vertical curve", "2400.0000"])
    refuse("refuse_hairpin.xml", 1200, 1900, ["turn by 200.0000 degrees", "no reference angle"])
    refuse("right_curve.xml", 14000, 14500, ["outside the alignment", "10000.0000", "13066.6667"])
    refuse("export_quirks.xml", 20100, 21300, ["no alignment \"RAMP B\"", "\"MAINLINE\""],
           extra=["--alignment", "RAMP B"])
    # Clear of the refused features, the same files import.
    subprocess_ok = run_import(importer, "refuse_equation.xml", 1700, 2000)
    if subprocess_ok.returncode != 0 or "1    1700.0    2000.0" not in subprocess_ok.stdout or \
            "4    16.0" not in subprocess_ok.stdout:
        fail(f"the window after the station equation: {subprocess_ok.stderr}{subprocess_ok.stdout}")
    check_output_file(importer)
    # The guide shows the example's cards and messages as the importer writes them.
    top = os.path.dirname(os.path.dirname(HERE))
    shown = run_import(importer, os.path.join(top, "examples", "landxml_bridge.xml"), 11900, 12300)
    with open(os.path.join(top, "docs", "importing.md")) as f:
        guide = f.read()
    if "```text\n" + shown.stdout + "```" not in guide or "```text\n" + shown.stderr + "```" not in guide:
        fail("docs/importing.md does not show the example's cards and messages as the importer writes them")
    # The example deck begins with the cards the importer writes for it.
    example = os.path.join(top, "examples", "landxml_bridge.deck")
    with open(example) as f:
        if not f.read().startswith(shown.stdout):
            fail("examples/landxml_bridge.deck does not begin with the importer's cards for its file")
    check_example(bridgeplan, example, os.path.join(top, "examples", "landxml_bridge.xml"), plane)
    if FAILURES:
        print(f"{len(FAILURES)} failures")
        sys.exit(1)


if __name__ == "__main__":
    main()
