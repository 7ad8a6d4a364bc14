#!/usr/bin/python3
"""Project coordinates of whole runs, read back with real readers.

usage: project_coordinates_check.py BRIDGEPLAN PUBLISHED_DECK DECK...

For every DECK with a tie card, at several azimuths (the tie card's azimuth
rewritten): every row of the points table lies, in northing and easting, where
a separate model of the real road puts its station and distance to the
mainline (start at the tie point with the tie azimuth and walk the pieces with
the chord formula, 2 R sin(delta/2) at the azimuth plus delta/2, turning right
for "R" and left for "L"), to 1e-6 ft. For every DECK, tied or not, the
LandXML file is parsed with xml.etree: its CgPoints are the table's rows
(northing, easting, elevation; the plane Y, X without a tie), every Curve's
Start and End lie at its radius from its Center, the elements join end to
start, every Line is tangent to the Curves it meets, and the curve's PI lies
on both of its tangents.

PUBLISHED_DECK is built from a published alignment report (an alignment "CL"
with a 1500-unit radius curve to the right between two tangents, from a
design package's "Horizontal Alignment Station and Curve Report", printed with
stations to 0.001 and coordinates to 0.000001): the LandXML's Start, Center,
End and PI of its elements, and the stations of its coordinate requests given
at the printed northing and easting, must match the printed values to 0.001,
the precision of the printed stations.
"""
import csv
import math
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

NS = {"x": "http://www.landxml.org/schema/LandXML-1.2"}
DEG = 0.0174532925199433
failures = []


def fail(msg):
    failures.append(msg)


def num(field, decimals):
    """A card field by the deck's rules: blanks ignored, implied decimals."""
    t = field.replace(" ", "")
    if not t:
        return 0.0
    if "." in t:
        return float(t)
    return float(t) / 10 ** decimals


def col(card, first, width):
    return card.ljust(80)[first - 1:first - 1 + width]


def read_problems(path):
    """Per problem the cards the walk needs: location, tie, curves."""
    problems, cur, previous = [], None, ""
    for card in open(path).read().splitlines():
        if card.startswith("*"):
            cur = {"number": card[4:8]}
            problems.append(cur)
        elif cur is not None and card[:1] in "12" and card[:1] not in cur:
            cur[card[:1]] = card
        elif cur is not None and card[:1] == "T" and previous.startswith("1"):
            cur["T"] = card
        previous = card
    return problems


def real_pieces(p):
    """(begin, end, curvature) of the real road: the card's degrees of curve,
    right turns positive, a road punched "L" turning the other way."""
    loc, curve = p["1"], p["2"]
    back, ahead = num(col(loc, 2, 10), 4), num(col(loc, 12, 10), 4)
    sign = -1.0 if col(loc, 51, 1) == "L" else 1.0
    def degree(c):
        return ((num(col(curve, c + 4, 4), 2) / 60 + num(col(curve, c + 2, 2), 0)) / 60
                + num(col(curve, c, 2), 0)) * DEG
    d1, d2, d3 = degree(2), degree(20), degree(38)
    pc, pt = num(col(curve, 10, 10), 4), num(col(curve, 28, 10), 4)
    if pc == pt:
        pc, pt = back, ahead
    k = lambda d: sign * d / 100.0
    pieces = []
    if back < pc:
        pieces.append((back, pc, k(d1)))
    pieces.append((max(back, pc), min(ahead, pt), k(d2)))
    if pt < ahead:
        pieces.append((pt, ahead, k(d3)))
    return pieces, sign


def walk(pieces, tie, s, offset):
    """Grid point of station s at an offset (left of travel positive)."""
    at, n, e, az = tie
    def piece_at(forward):
        for i, (b, t, k) in enumerate(pieces):
            if (b <= at < t) if forward else (b < at <= t):
                return i
        return len(pieces) - 1 if forward else 0
    while at != s:
        forward = s > at
        i = piece_at(forward)
        b, t, k = pieces[i]
        last = i == (len(pieces) - 1 if forward else 0)
        to = s if last else (min(s, t) if forward else max(s, b))
        length = to - at
        chord = length if k == 0 else 2 * math.sin(k * length / 2) / k
        n += chord * math.cos(az + k * length / 2)
        e += chord * math.sin(az + k * length / 2)
        az += k * length
        at = to
    return n + offset * math.sin(az), e - offset * math.cos(az)


def tie_of(card):
    az = (num(col(card, 45, 4), 2) / 60 + num(col(card, 43, 2), 0)) / 60 + num(col(card, 40, 3), 0)
    return (num(col(card, 2, 10), 4), num(col(card, 12, 14), 4), num(col(card, 26, 14), 4),
            az * DEG)


def with_azimuth(deck_text, degrees, minutes, hundredths):
    out = []
    for card in deck_text.splitlines():
        if card.startswith("T") and out and out[-1].startswith("1"):
            card = card.ljust(80)
            card = card[:39] + f"{degrees:3d}{minutes:2d}{hundredths:4d}" + card[48:]
            card = card.rstrip()
        out.append(card)
    return "\n".join(out) + "\n"


def run(exe, deck, work, name):
    csv_path, xml_path = os.path.join(work, name + ".csv"), os.path.join(work, name + ".xml")
    r = subprocess.run([exe, "--force", "--points", csv_path, "--landxml", xml_path, deck,
                        os.path.join(work, name + ".rpt"), os.path.join(work, name + ".plt")],
                       capture_output=True, text=True)
    if r.returncode != 0:
        fail(f"{deck}: exit status {r.returncode}: {r.stderr}")
    with open(csv_path, newline="") as f:
        rows = list(csv.DictReader(f))
    return rows, ET.parse(xml_path).getroot()


def xy(text):
    v = [float(t) for t in text.split()]
    return v[0], v[1]


def check_walk(label, problems, rows):
    for row in rows:
        p = next(q for q in problems if q.get("number") == row["problem"])
        if "T" not in p:
            if row["northing_ft"] or row["easting_ft"]:
                fail(f"{label}: an untied row has grid cells: {row}")
            continue
        pieces, sign = real_pieces(p)
        n, e = walk(pieces, tie_of(p["T"]), float(row["station_ft"]),
                    sign * float(row["dt_to_ml_ft"]))
        got = float(row["northing_ft"]), float(row["easting_ft"])
        if abs(got[0] - n) > 1e-6 or abs(got[1] - e) > 1e-6:
            fail(f"{label}: {row['problem']} {row['span']} {row['row']}{row['number']} line "
                 f"{row['long_line']}: grid {got}, the real road puts it at ({n}, {e})")


def check_landxml(label, root, rows):
    # CgPoints: the table's rows, in order, digit for digit.
    points = root.findall("x:CgPoints/x:CgPoint", NS)
    if len(points) != len(rows):
        fail(f"{label}: {len(points)} CgPoints for {len(rows)} table rows")
    names = set()
    for pt, row in zip(points, rows):
        if pt.get("name") in names:
            fail(f"{label}: CgPoint name {pt.get('name')} twice")
        names.add(pt.get("name"))
        want = ([row["northing_ft"], row["easting_ft"]] if row["northing_ft"]
                else [row["y_ft"], row["x_ft"]]) + [row["elevation_ft"]]
        if [float(v) for v in pt.text.split()] != [float(v) for v in want]:
            fail(f"{label}: CgPoint {pt.get('name')} holds {pt.text}, the table {want}")
        if not pt.get("name").startswith(row["problem"] + "-"):
            fail(f"{label}: CgPoint {pt.get('name')} does not name problem {row['problem']}")
        if (pt.get("desc") or "") != row["remarks"]:
            fail(f"{label}: CgPoint {pt.get('name')} desc {pt.get('desc')!r}, remarks {row['remarks']!r}")
    if root.find("x:Units/x:Imperial", NS).get("linearUnit") != "foot":
        fail(f"{label}: the units are not feet")
    for al in root.findall("x:Alignments/x:Alignment", NS):
        check_alignment(label + " " + al.get("name"), al)


def check_alignment(label, al):
    elements = list(al.find("x:CoordGeom", NS))
    station = float(al.get("staStart"))
    previous = None
    for el in elements:
        tag = el.tag.split("}")[1]
        start, end = xy(el.find("x:Start", NS).text), xy(el.find("x:End", NS).text)
        length = float(el.get("length"))
        if abs(float(el.get("staStart")) - station) > 1e-9:
            fail(f"{label}: {tag} starts at station {el.get('staStart')}, the previous ends at {station}")
        station += length
        if previous and math.dist(previous[0], start) > 1e-9:
            fail(f"{label}: {tag} does not start where the previous element ends")
        if tag == "Line":
            if abs(math.dist(start, end) - length) > 1e-6:
                fail(f"{label}: Line length {length}, its ends {math.dist(start, end)} apart")
            direction = (end[0] - start[0], end[1] - start[1])
            az = math.degrees(math.atan2(direction[1], direction[0])) % 360
            if abs((az - float(el.get("dir")) + 180) % 360 - 180) > 1e-7:
                fail(f"{label}: Line dir {el.get('dir')}, its ends say {az}")
            # Tangent to the curve it meets: square to the radius there.
            if previous and previous[1] is not None:
                check_square(label, previous[1], start, direction)
            previous = (end, None, direction)
        elif tag == "Curve":
            center = xy(el.find("x:Center", NS).text)
            r = float(el.get("radius"))
            for name, p in (("Start", start), ("End", end)):
                if abs(math.dist(p, center) - r) > 1e-6:
                    fail(f"{label}: Curve {name} lies {math.dist(p, center)} from its Center, radius {r}")
            a0 = math.atan2(start[1] - center[1], start[0] - center[0])
            a1 = math.atan2(end[1] - center[1], end[0] - center[0])
            turn = (a1 - a0 + math.pi) % (2 * math.pi) - math.pi   # in (northing, easting) axes
            # Northing, easting axes are left-handed: a positive turn here is clockwise on the grid.
            rot = "cw" if turn > 0 else "ccw"
            if rot != el.get("rot"):
                fail(f"{label}: Curve rot {el.get('rot')}, its ends turn {rot}")
            if abs(abs(turn) * r - length) > 1e-6:
                fail(f"{label}: Curve length {length}, its arc {abs(turn) * r}")
            if previous and previous[2] is not None:
                check_square(label, center, start, previous[2])
            pi = el.find("x:PI", NS)
            if pi is not None:
                p = xy(pi.text)
                for q in (start, end):
                    check_square(label, center, q, (p[0] - q[0], p[1] - q[1]))
            previous = (end, center, None)
    if abs(station - (float(al.get("staStart")) + float(al.get("length")))) > 1e-9:
        fail(f"{label}: the elements end at station {station}, not at staStart + length")


def check_square(label, center, point, direction):
    radius = (point[0] - center[0], point[1] - center[1])
    cos = (radius[0] * direction[0] + radius[1] * direction[1]) / (math.hypot(*radius) * math.hypot(*direction))
    if abs(cos) > 1e-9:
        fail(f"{label}: a tangent at {point} is not square to the radius (cos {cos})")


def check_published(exe, deck, work):
    # Card texts that XML must escape, or that a comment may not hold, still
    # give a well-formed document that holds them.
    hostile = os.path.join(work, "hostile.deck")
    with open(hostile, "w") as f:
        for card in open(deck).read().splitlines():
            if card.startswith("T"):
                card = card[:48] + "NAD83 -- <US FT> & \"CO\" -"
            if card.startswith("*"):
                card = card[:4] + "--1-" + card[8:]
            f.write(card + "\n")
    rows, root = run(exe, hostile, work, "hostile")
    cs = root.find("x:CoordinateSystem", NS)
    if cs is None or cs.get("name") != 'NAD83 -- <US FT> & "CO" -':
        fail(f"hostile texts: the coordinate system reads {None if cs is None else cs.get('name')!r}")
    if [p.get("name") for p in root.findall("x:CgPoints/x:CgPoint", NS)][:1] != ["--1--COOR-P1"]:
        fail("hostile texts: the first CgPoint is not named after problem --1-")
    rows, root = run(exe, deck, work, "published")
    geom = root.find("x:Alignments/x:Alignment/x:CoordGeom", NS)
    line1, curve, line2 = list(geom)
    def on_line(line, s):
        a, b = xy(line.find("x:Start", NS).text), xy(line.find("x:End", NS).text)
        t = (s - float(line.get("staStart"))) / float(line.get("length"))
        return a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])
    printed = {   # northing, easting as printed
        "PI 0+000": ((256676.937601, 5011521.695584), on_line(line1, 0.0)),
        "TC 0+030.986": ((256647.117493, 5011530.115279), xy(curve.find("x:Start", NS).text)),
        "CC": ((256239.528347, 5010086.553335), xy(curve.find("x:Center", NS).text)),
        "CT 0+083.397": ((256596.439707, 5011543.472784), xy(curve.find("x:End", NS).text)),
        "PI 1 0+057.194": ((256621.895292, 5011537.236758), xy(curve.find("x:PI", NS).text)),
        "TC 0+169.515": ((256512.795063, 5011563.963775), on_line(line2, 169.515)),
    }
    for name, (want, got) in printed.items():
        if math.dist(want, got) > 0.001:
            fail(f"published alignment: {name} at {got}, printed {want}")
    if abs(float(curve.get("radius")) - 1500) > 0.001 or curve.get("rot") != "cw":
        fail(f"published alignment: radius {curve.get('radius')} {curve.get('rot')}, printed 1500 RIGHT")
    stations = [float(r["station_ft"]) for r in rows]
    for got, want in zip(stations, [0.0, 30.986, 83.397, 169.515]):
        if abs(got - want) > 0.0005 + 1e-9:
            fail(f"published alignment: a printed point comes out at station {got}, printed {want}")
    if len(stations) != 4 or any(abs(float(r["dt_to_ml_ft"])) > 0.001 for r in rows):
        fail(f"published alignment: the printed points are not all on the mainline: {rows}")


def main():
    exe, published, decks = sys.argv[1], sys.argv[2], sys.argv[3:]
    with tempfile.TemporaryDirectory() as work:
        check_published(exe, published, work)
        for deck in decks:
            text = open(deck).read()
            tied = any(c.startswith("T") and i > 0 and text.splitlines()[i - 1].startswith("1")
                       for i, c in enumerate(text.splitlines()))
            variants = ([(0, 0, 0), (37, 30, 0), (90, 0, 0), (179, 59, 5999), (263, 12, 3000),
                         (359, 59, 5999)] if tied else [None])
            for v in variants:
                name = os.path.basename(deck) + ("" if v is None else "-%d-%d-%d" % v)
                path = deck
                if v is not None:
                    path = os.path.join(work, name + ".deck")
                    with open(path, "w") as f:
                        f.write(with_azimuth(text, *v))
                problems = read_problems(path)
                rows, root = run(exe, path, work, name)
                check_walk(name, problems, rows)
                check_landxml(name, root, rows)
    for f in failures[:40]:
        print("FAIL:", f)
    if failures:
        print(f"{len(failures)} failures")
        return 1
    print("project coordinates and LandXML agree with the real road and the points table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
