#!/usr/bin/env python3
"""The bridge does not turn with the frame.

The same alignment and the same bridge, punched with the reference angle
turned in steps, must print the same report: every station, elevation,
DT TO ML, DT TO BT, DT TO PP and angle as in the first orientation, and X, Y
turned about the origin by the difference of the reference angles.

    turned_frame_check.py BRIDGEPLAN families   the deck-edge circle (COS) over
                                                12 angles and the girders on a
                                                curve (ARC) over 24 angles x 3
                                                bent positions
    turned_frame_check.py BRIDGEPLAN random [N] N random curved bridges, each
                                                at several angles for which
                                                every tangent's normal lies in
                                                (-45, 135] degrees
    turned_frame_check.py BRIDGEPLAN rows       RLG points placed radially
                                                beside a chord, and SAME bents
                                                with a plot mark of their own

The first orientation of each family is also checked against the geometry
worked out here by hand (a square bent against a circle; radial bents on a
curve), so the families compare against values known to be right.
"""
import math
import os
import random
import re
import subprocess
import sys
import tempfile

XY_TOLERANCE = 0.00025   # ft: two printed roundings and the turn of a rounded value


# ---------------------------------------------------------------- card images

def f(value, width, decimals=4):
    """A number field with its decimal point punched."""
    text = f"{value:.{decimals}f}"
    assert len(text) <= width, (value, width)
    return text.rjust(width)


def card(*fields):
    text = "".join(fields)
    assert len(text) <= 80, text
    return text


def packed_skew(degrees):
    """DDDMMSSs of a bent card (I8), whole minutes."""
    sign = -1 if degrees < 0 else 1
    minutes = round(abs(degrees) * 60)
    return str(sign * ((minutes // 60) * 100000 + (minutes % 60) * 1000)).rjust(8)


def packed_tline_angle(degrees):
    """DDDMMSSs without a decimal point in the F8.4 field of a T-line card."""
    sign = "-" if degrees < 0 else ""
    minutes = round(abs(degrees) * 60)
    digits = f"{minutes // 60}{minutes % 60:02d}000"
    return (sign + digits).rjust(8)


def dms(angle):
    d = int(angle)
    return f"{d:3d}" + " 0" + " 0.0"


def location(back, ahead, ref_station, angle):
    return card("1", f(back, 10), f(ahead, 10), f(ref_station, 10), dms(angle), f(0, 10), "R", " 6.00")


def curve(d1, pc, d2, pt, d3):
    def deg(d):
        whole = int(d)
        minutes = round((d - whole) * 60)
        return f"{whole:2d}{minutes:2d}" + " 0.0"
    return card("2", deg(d1), f(pc, 10), deg(d2), f(pt, 10), deg(d3))


def profile(start, grade):
    return [card("3", f(start, 10), f(start + 1000, 10), f(0, 10)),
            card("4", f(100, 8, 3), f(grade, 9, 5), f(0, 7, 2))]


def line_card(n, kind, ref=0, dr=0.0, sta=0.0, tr=0.0, remarks="", mark=" "):
    text = card("7", f"{n:2d}", kind, f"{ref:2d}" if ref else "  ", f(dr, 10), f(sta, 10), f(tr, 10),
                f(0, 10), "0", remarks.ljust(30)[:30])
    return text[:79] + mark


def bent_card(code, c, number, kind, station, skew=0.0, second=0.0, remarks="", mark=" "):
    return card(code, str(c), f"{number:2d}", kind.ljust(4), f(station, 10), packed_skew(skew), f(second, 10),
                (remarks.ljust(13)[:13] + mark))


def tline_card(n, kind, code="    ", letter=" ", v1=0.0, rl=0, v2="", letter2=" ", rl2=0, c=0, remarks=""):
    v2text = v2 if isinstance(v2, str) else f(v2, 8)
    return card("T", f"{n:2d}", kind, code.ljust(4), letter, f(v1, 10), f"{rl:2d}", v2text.rjust(8), letter2,
                f"{rl2:2d}", str(c), remarks.ljust(14)[:14])


def span_card(number, tlines, last, title):
    return card("8SPAN ", f"{number:2d}", f"{tlines:3d}", " ", "LAST" if last else "    ", " ", title)


# ---------------------------------------------------------------- running

def run(exe, deck_lines):
    with tempfile.TemporaryDirectory() as work:
        deck = os.path.join(work, "turned.deck")
        with open(deck, "w") as out:
            out.write("\n".join(deck_lines) + "\n9\n")
        report, plot = os.path.join(work, "report"), os.path.join(work, "plot")
        env = dict(os.environ, SOURCE_DATE_EPOCH="1788172800")
        done = subprocess.run([exe, "--force", deck, report, plot], capture_output=True, text=True, env=env)
        with open(report) as r:
            records = r.read().split("\n")
        with open(plot) as p:
            plot_text = p.read()
    return done.returncode, done.stderr, records, plot_text


STATION = re.compile(r"-?\d*\+\d\d\.\d{4}$")


def tokens(record):
    return [(m.start(), m.end(), m.group()) for m in re.finditer(r"\S+", record)]


def is_point_row(record):
    """A bent (B) or T-line (T) row of a longitudinal line table: letter, slot, station, ... X, Y."""
    t = tokens(record)
    return len(t) >= 10 and record[:1] == " " and t[0][2] in ("B", "T") and STATION.match(t[2][2]) is not None


def split_xy(record):
    """The row without its X and Y, and X and Y. A square crossing of a straight line prints as
    90-00-00.0 or -90-00-00.0 by the last bit of the fold: both are the same angle between lines."""
    t = tokens(record)
    head = record[:t[7][1]]
    if t[7][2] == "-90-00-00.0":
        head = head[:t[7][0]] + " 90-00-00.0"
    return head + "|" + record[t[9][1]:], float(t[8][2]), float(t[9][2])


def location_echo(records):
    """Index of the location data record: the record after the heading and an empty record."""
    for i, r in enumerate(records):
        if "BACK STA.   AHEAD STA." in r:
            return i + 2
    return -1


class Mismatch(Exception):
    pass


def flip_offset(record):
    """The row with the sign of its DT TO ML turned over, in the printed field."""
    t = tokens(record)
    start, end, text = t[4]
    flipped = text[1:] if text.startswith("-") else "-" + text
    return record[:start].ljust(end - len(flipped))[:end - len(flipped)] + flipped + record[end:]


def unsigned_offset(record):
    """The row with its DT TO ML printed without a sign, and without X and Y."""
    t = tokens(record)
    start, end, text = t[4]
    head = record[:end - len(text)] + text.lstrip("-").rjust(len(text)) + record[end:]
    return split_xy(head)[0]


def compare_turned(base, turned, turn_degrees, what, flip=False, on_right=lambda station: False):
    """Every record equal, but the location echo and the X, Y of point rows turned. With `flip`
    the DT TO ML of every row has the other sign: the offset from a straight mainline follows how
    the straight is stored, and this orientation puts +DR on its right. Rows whose station lies on
    a tangent for which on_right(station) holds are located on the tangent by that rule too, in
    the one frame on the left, in the other on the right: they print the same station, elevation,
    distances and angle, and DT TO ML of the same size."""
    if len(base) != len(turned):
        raise Mismatch(f"{what}: {len(turned)} report records against {len(base)}")
    skip = {location_echo(base)}
    c, s = math.cos(math.radians(turn_degrees)), math.sin(math.radians(turn_degrees))
    rows = 0
    for i, (a, b) in enumerate(zip(base, turned)):
        if i in skip:
            continue
        if is_point_row(a) and is_point_row(b) and on_right(station_value(tokens(a)[2][2])):
            if unsigned_offset(a) != unsigned_offset(b):
                raise Mismatch(f"{what}: record {i + 1} (on a tangent)\n  {a}\n  {b}")
        elif is_point_row(a):
            rows += 1
            (rest, x, y), (rest_turned, xt, yt) = split_xy(flip_offset(a) if flip else a), split_xy(b)
            if rest != rest_turned:
                raise Mismatch(f"{what}: record {i + 1}\n  {a}\n  {b}")
            ex, ey = x * c - y * s, x * s + y * c
            if abs(ex - xt) > XY_TOLERANCE or abs(ey - yt) > XY_TOLERANCE:
                raise Mismatch(f"{what}: record {i + 1}: X, Y {xt} {yt}, turned from the first "
                               f"orientation {ex:.4f} {ey:.4f}")
        elif a != b:
            raise Mismatch(f"{what}: record {i + 1}\n  {a}\n  {b}")
    return rows


def station_value(text):
    hundreds, rest = text.split("+")
    value = abs(float(hundreds or "0")) * 100 + float(rest)
    return -value if hundreds.startswith("-") else value


def point_rows(records):
    """(line number, row letter, slot, station, offset, distBent, angle text) of every point row."""
    rows, line = [], 0
    for r in records:
        if "LONG. LINE" in r:
            line = int(r.split("LONG. LINE")[1].split()[0])
        elif is_point_row(r):
            t = [x[2] for x in tokens(r)]
            rows.append((line, t[0], int(t[1]), station_value(t[2]), float(t[4]), float(t[5]), t[7]))
    return rows


def errors_in(records):
    return [r for r in records if r.startswith("ERROR")]


# ---------------------------------------------------------------- the families

def cos_family_deck(angle):
    """A straight mainline; a deck edge 30 ft left on a circle R 800 from 15+00; square bents at
    14+80 and 15+40; a second circle 20 ft right, R 600, from 15+20; a T-line between the bents."""
    return [
        "*B020001DECK EDGES ON CIRCLES OF THEIR OWN",
        location(1000, 2000, 1500, angle),
        curve(0, 1000, 0, 2000, 0),
        *profile(1000, 1.0),
        "5LVL",
        line_card(1, "COS", dr=30, sta=1500, tr=800, remarks="LEFT EDGE R 800", mark="E"),
        line_card(2, "COS", dr=-20, sta=1520, tr=600, remarks="RIGHT EDGE R 600", mark="E"),
        line_card(3, "END"),
        span_card(1, 1, True, "SQUARE BENTS"),
        bent_card("B", 1, 1, "SKEW", 1480, remarks="BACK", mark="C"),
        bent_card("A", 1, 2, "SKEW", 1540, remarks="AHEAD", mark="C"),
        tline_card(1, "SKEW", v1=1510, v2=packed_tline_angle(10), remarks="SKEWED 10"),
    ]


def cos_oracle(rows):
    """Square bents on the straight y = const: the point of a circle of centre (0, -(R - DR)) from its
    own station s0 nearer to the bent at s lies at offset DR - R + sqrt(R^2 - (s - s0)^2)."""
    circles = {1: (30.0, 1500.0, 800.0), 2: (-20.0, 1520.0, 600.0)}
    for line, letter, slot, station, offset, _, angle in rows:
        if letter != "B":
            continue
        dr, s0, r = circles[line]
        s = 1480.0 if slot == 1 else 1540.0
        expected = dr - r + math.sqrt(r * r - (s - s0) ** 2) if r > 0 else 0
        if abs(station - s) > 0.00006 or abs(offset - expected) > 0.00006:
            raise Mismatch(f"deck-edge circle, line {line} bent {slot}: station {station} offset {offset}, "
                           f"by hand {s} {expected:.4f}")


ARC_CURVE = (1500.0, 2300.0, 4.0)   # P.C., P.T., degree of curve


def arc_family_deck(angle, back, ahead):
    pc, pt, degree = ARC_CURVE
    return [
        "*B020002GIRDERS THAT FOLLOW A CURVED MAINLINE",
        location(0, 4000, 1900, angle),
        curve(0, pc, degree, pt, 0),
        *profile(0, -0.5),
        "5PAR   0.000  30.000   0.000  12.000   3.000",
        line_card(1, "ARC", dr=20, remarks="LEFT GIRDER", mark="C"),
        line_card(2, "ARC", dr=0, remarks="CENTRE GIRDER", mark="C"),
        line_card(3, "ARC", dr=-20, remarks="RIGHT GIRDER", mark="C"),
        line_card(4, "END"),
        span_card(1, 1, True, "ONE SPAN"),
        bent_card("B", 1, 1, "SKEW", back, remarks="BACK", mark="C"),
        bent_card("A", 1, 2, "SKEW", ahead, remarks="AHEAD", mark="C"),
        tline_card(1, "CONS", "PROP", "B", 0.5, remarks="MIDSPAN"),
    ]


def arc_oracle(rows, back, ahead):
    """Radial bents on the curve: the girder points lie at the bent stations and their offsets, and
    the girder between them is the arc (R + DR) times the turn."""
    radius = 100.0 / math.radians(ARC_CURVE[2])
    offsets = {1: 20.0, 2: 0.0, 3: -20.0}
    for line, letter, slot, station, offset, dist, angle in rows:
        if letter != "B":
            continue
        s = back if slot == 1 else ahead
        length = 0.0 if slot == 1 else (radius + offsets[line]) * (ahead - back) / radius
        if abs(station - s) > 0.00006 or abs(offset - offsets[line]) > 0.00006 or \
                abs(dist - length) > 0.00006 or angle != "0-00-00.0":
            raise Mismatch(f"girders on the curve, line {line} bent {slot}: {station} {offset} {dist} {angle}, "
                           f"by hand {s} {offsets[line]} {length:.4f} 0-00-00.0")


def tangent_normals(pc, pt, degree, ref_station, angle):
    """Normal angles (degrees) of the back and ahead tangents of a simple curve."""
    return [angle + degree * (ref_station - pc) / 100.0, angle - degree * (pt - ref_station) / 100.0]


def left_is_positive(normal):
    """The straight-offset rule puts +DR on the left of travel when the normal lies in (-45, 135]."""
    n = (normal + 45.0) % 360.0 - 45.0
    return -45.0 < n <= 135.0


def check_family(exe, name, decks, oracle, flip=lambda angle: False, on_right=lambda angle, station: False):
    base_angle, base_deck = decks[0]
    status, stderr, base, _ = run(exe, base_deck)
    if errors_in(base):
        raise Mismatch(f"{name} at {base_angle} degrees: {errors_in(base)} {stderr}")
    oracle(point_rows(base))
    rows = 0
    for angle, deck in decks[1:]:
        status, stderr, turned, _ = run(exe, deck)
        if errors_in(turned):
            raise Mismatch(f"{name} at {angle} degrees: {errors_in(turned)} {stderr.strip()}")
        rows += compare_turned(base, turned, angle - base_angle, f"{name} at {angle} degrees", flip(angle),
                               lambda station, a=angle: on_right(a, station))
    return len(decks), rows


def families(exe):
    # The mainline is one straight: DT TO ML is measured by its stored form, so the orientations
    # that put +DR on its right print every offset with the other sign (and nothing else changes).
    count, rows = check_family(exe, "deck-edge circles", [(a, cos_family_deck(a)) for a in range(0, 360, 30)],
                               cos_oracle, lambda angle: not left_is_positive(angle))
    print(f"deck-edge circles: {count} orientations, {rows} turned rows agree")
    # Bents 40 ft apart from 15+05, 15+20 and 22+90: the last ahead bent, and the mid-span point,
    # lie on the ahead tangent. There the mainline moved by DR is the tangent's stored form moved
    # by DR: in the orientations that put +DR on the tangent's right, those rows are compared
    # without the sign of DT TO ML and without X and Y (the curve's rows stay compared in full).
    pc, pt, degree = ARC_CURVE
    ahead_tangent = tangent_normals(pc, pt, degree, 1900, 0)[1]
    def on_right(angle, station):
        return station > pt and not left_is_positive(ahead_tangent + angle)
    for back in (1505.0, 1520.0, 2290.0):
        ahead = back + 40.0
        count, rows = check_family(exe, f"girders at {back}",
                                   [(a, arc_family_deck(a, back, ahead)) for a in range(0, 360, 15)],
                                   lambda r, b=back, a=ahead: arc_oracle(r, b, a) if a <= pt else None,
                                   on_right=on_right)
        print(f"girders on bents {back}-{ahead}: {count} orientations, {rows} turned rows agree")


# ---------------------------------------------------------------- random bridges

def random_bridge(rng):
    """A curved alignment, lines of every frame-free kind, one or two spans with skewed bents and
    T-lines of every kind. Returns (ref_station, tangents, deck builder)."""
    shape = rng.choice(["tangents", "tangents", "compound", "single"])
    degree = rng.choice([2.0, 3.0, 4.5, 6.0])
    pc, pt = 3000.0, 3000.0 + rng.choice([400.0, 700.0, 1200.0])
    if shape == "single":
        pc, pt = 0.0, 8000.0
    d1 = d3 = 0.0
    if shape == "compound":
        d1, d3 = rng.choice([1.0, 2.5]), rng.choice([1.5, 3.0])
    ref_station = round((pc + pt) / 2 if shape != "single" else 3300.0)
    # The bridge straddles the P.C. or lies on the curve.
    where = rng.choice([pc, pc + 60.0, (pc + pt) / 2]) if shape != "single" else 3300.0
    back = round(where - rng.uniform(20.0, 80.0), 1)
    spans = rng.choice([1, 2])
    lengths = [round(rng.uniform(40.0, 110.0), 1) for _ in range(spans)]
    skews = [rng.choice([0.0, 10.0, -15.0, 20.5, -25.0]) for _ in range(spans + 1)]
    on_curve = max(pc, back + 5.0)

    lines = [("ARC", 0, rng.choice([18.0, 24.0]), 0, 0, "LEFT GIRDER", "C"),
             ("CRD", 0, rng.choice([6.0, 8.5]), 0, 0, "GIRDER CHORD", "C"),
             ("ARC", 0, rng.choice([-12.0, -18.0]), 0, 0, "RIGHT GIRDER", "C"),
             ("COS", 0, rng.choice([30.0, -28.0]), round(on_curve + rng.uniform(0, 60), 1),
              rng.choice([400.0, 900.0, 2500.0]), "DECK EDGE", "E")]
    if pt > on_curve + 200:
        lines.append(("CTP", 0, rng.choice([14.0, -6.0]), round(on_curve + rng.uniform(0, 40), 1),
                      rng.choice([1.5, -1.0, 3.0]), "FLARED GIRDER", "B"))
    # Not the chord: a point placed radially from a chord moves along the chord's normal, which is
    # turned from the chord's direction towards +X, a sign that follows the frame like the
    # straight-offset rule (the rows check places one on a tangent).
    references = [n for n in range(1, len(lines) + 1) if lines[n - 1][0] != "CRD"]
    for dr in (rng.choice([2.0, -3.0]), rng.choice([4.0, -1.5])):
        lines.append(("RLG", rng.choice(references), dr, 0, 0, "RAIL", "S"))
    lines.append(("PIA", 2, -5.0, 0, 0, "PARALLEL TO CHORD", " "))
    lines.append(("PIB", 2, 3.0, 0, 0, "PARALLEL TO CHORD", " "))
    chord = 2

    def deck(angle):
        cards = ["*B020003A CURVED BRIDGE",
                 location(0, 8000, ref_station, angle),
                 curve(d1, pc, degree, pt, d3),
                 *profile(0, 0.8),
                 "5PAR   0.000  40.000   0.000  12.000   3.000"]
        for n, (kind, ref, dr, sta, tr, remarks, mark) in enumerate(lines, start=1):
            cards.append(line_card(n, kind, ref, dr, sta, tr, remarks, mark))
        cards.append(line_card(len(lines) + 1, "END"))
        station = back
        for k in range(spans):
            ahead = round(station + lengths[k], 1)
            tl = []
            tl.append(tline_card(len(tl) + 1, "SKEW", v1=round(station + lengths[k] / 3, 1),
                                 v2=packed_tline_angle(rng_choices[k][0]), c=rng_choices[k][1], remarks="DIAPHRAGM"))
            tl.append(tline_card(len(tl) + 1, "PARL", "NORM", "B", 1.25, remarks="BEARING AH"))
            tl.append(tline_card(len(tl) + 1, "PARL", "NORM", "A", -1.25, c=1, remarks="BEARING BK"))
            tl.append(tline_card(len(tl) + 1, "PARL", "PROP", "A", -0.4, 1, remarks="PARALLEL"))
            tl.append(tline_card(len(tl) + 1, "ANGL", "PROP", "B", 0.5, chord, packed_tline_angle(rng_choices[k][2]),
                                 remarks="ON THE CHORD"))
            tl.append(tline_card(len(tl) + 1, "PTPT", "DIST", "B", 12.0, 1, 20.0, "B", 3, remarks="TWO POINTS"))
            tl.append(tline_card(len(tl) + 1, "CONS", "DIST", "A", -8.0, remarks="8 FT BACK"))
            cards.append(span_card(k + 1, len(tl), k == spans - 1, f"SPAN {k + 1}"))
            if k == 0:
                cards.append(bent_card("B", rng_choices[k][3], 1, "SKEW", station, skews[0], remarks="ABUT", mark="C"))
            else:
                cards.append(bent_card("B", 0, 0, "SAME", 0, mark="S"))
            kind = rng_choices[k][4]
            if kind == "PSTA":
                cards.append(bent_card("A", 1, k + 2, "PSTA", round(ahead - 3.0, 1), skews[k + 1], ahead,
                                       remarks="PIER", mark="C"))
            elif kind == "PARL":
                cards.append(bent_card("A", 1, k + 2, "PARL", station, skews[k], lengths[k], remarks="PIER", mark="C"))
            else:
                cards.append(bent_card("A", rng_choices[k][5], k + 2, "SKEW", ahead, skews[k + 1], remarks="PIER",
                                       mark="C"))
            cards.extend(tl)
            station = ahead
        return cards

    rng_choices = [(rng.choice([5.0, -12.0, 0.0]), rng.choice([0, 1]), rng.choice([80.0, 95.0, 70.5]),
                    rng.choice([0, 1]), rng.choice(["SKEW", "PSTA", "PARL"]), rng.choice([0, 1]))
                   for _ in range(spans)]
    tangents = []
    if shape == "tangents":
        tangents = [degree * (ref_station - pc) / 100.0, -degree * (pt - ref_station) / 100.0]
    return tangents, deck


def random_bridges(exe, count):
    rng = random.Random(20261209)
    complete = compared = rows = 0
    outcomes = {}
    for b in range(count):
        tangents, deck = random_bridge(rng)
        angles = [a for a in range(-40, 320, 5) if all(left_is_positive(a + t) for t in tangents)]
        chosen = sorted(rng.sample(angles, 5))
        base_status, _, base, _ = run(exe, deck(chosen[0]))
        errs = errors_in(base)
        outcomes[errs[0][:8] if errs else "complete"] = outcomes.get(errs[0][:8] if errs else "complete", 0) + 1
        if not errs:
            complete += 1
        for angle in chosen[1:]:
            _, _, turned, _ = run(exe, deck(angle))
            rows += compare_turned(base, turned, angle - chosen[0], f"random bridge {b} at {angle} "
                                   f"against {chosen[0]} degrees")
            compared += 1
    print(f"random bridges: {count} bridges ({outcomes}), {compared} turned runs, {rows} rows agree")
    if complete < count * 3 // 4:
        raise Mismatch(f"only {complete} of {count} random bridges complete: the draw tests too little")


# ---------------------------------------------------------------- bent rows

def rows_check(exe):
    """An RLG line placed radially beside a chord on a tangent keeps its crossing angle 0 at both
    bents; a SAME back bent is drawn by its own column-50 mark."""
    def deck(same_mark):
        return ["*B020004RLG BESIDE A CHORD, SAME BENT MARKS",
                location(0, 4000, 1900, 90),
                curve(0, 1500, 4, 2300, 0),
                *profile(0, 0.5),
                "5LVL",
                line_card(1, "CRD", dr=10, remarks="CHORD", mark="C"),
                line_card(2, "RLG", 1, dr=4, remarks="RADIAL FROM CHORD", mark="C"),
                line_card(3, "END"),
                span_card(1, 1, False, "ON THE BACK TANGENT"),
                bent_card("B", 0, 1, "SKEW", 1300, 10, remarks="ABUT", mark="C"),
                bent_card("A", 0, 2, "SKEW", 1380, 10, remarks="PIER", mark="C"),
                tline_card(1, "SKEW", v1=1340, v2=packed_tline_angle(10), remarks="DIAPHRAGM"),
                span_card(2, 0, True, "NEXT SPAN"),
                bent_card("B", 0, 0, "SAME", 0, mark=same_mark),
                bent_card("A", 0, 3, "SKEW", 1460, 10, remarks="PIER", mark="C")]
    _, stderr, records, plot = run(exe, deck("S"))
    if errors_in(records):
        raise Mismatch(f"RLG beside a chord: {errors_in(records)} {stderr}")
    rows = point_rows(records)
    radial = [r for r in rows if r[0] == 2]
    chord = [r for r in rows if r[0] == 1 and r[1] == "B"]
    if len(radial) != 5 or any(r[6] != "0-00-00.0" for r in radial):
        raise Mismatch(f"the radially placed RLG points read {[r[6] for r in radial]}, not 0-00-00.0")
    if any(r[6] == "0-00-00.0" for r in chord):
        raise Mismatch("the chord's own bent rows read 0: the check would not see the chord's angle")
    # Transverse polylines of the second span: the back bent's by its own mark "S" (LS=3).
    groups = plot.split("LAC/LT=4,LC=0,LS=3")
    if len(groups) != 2:
        raise Mismatch(f"the SAME bent marked S draws {len(groups) - 1} back-bent rows with the S group")
    _, _, _, blank_plot = run(exe, deck(" "))
    if "LAC/LT=4,LC=0,LS=3" in blank_plot or \
            blank_plot.count("LAC/LT=4,LC=0,LS=0") != plot.count("LAC/LT=4,LC=0,LS=0"):
        raise Mismatch("the SAME bent with a blank column 50 is still drawn")
    print("bent rows: RLG points beside the chord read 0-00-00.0; SAME bents draw by their own mark")


def main():
    exe, mode = sys.argv[1], sys.argv[2]
    try:
        if mode == "families":
            families(exe)
        elif mode == "random":
            random_bridges(exe, int(sys.argv[3]) if len(sys.argv) > 3 else 40)
        elif mode == "rows":
            rows_check(exe)
        else:
            raise SystemExit(f"unknown mode {mode}")
    except Mismatch as m:
        print(f"MISMATCH: {m}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
