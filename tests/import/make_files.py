#!/usr/bin/env python3
"""Writes the LandXML files of the import tests (tests/import/files/).

Each road is laid out the way a roadway designer's program exports it: the
points of every element (northing easting), directions and lengths as
attributes, a design profile of PVIs. The geometry follows worked examples
of route surveying: a tangent-curve-tangent with its PI, deflection and
degree of curve, compound and reverse curves, a spiralled curve. The files
are kept in the repository; run this only to remake them.
"""
import math
import os

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "files")
DEG = math.pi / 180


def deg_curve(d_deg):
    """Radius (ft) of a degree of curve by the arc definition."""
    return 100.0 / (d_deg * DEG)


class Road:
    """Elements laid out from a start point and azimuth (clockwise from north)."""

    def __init__(self, north, east, azimuth_deg, station, digits=6):
        self.n, self.e = north, east
        self.az = azimuth_deg * DEG
        self.station = station
        self.sta_start = station
        self.digits = digits
        self.items = []

    def pt(self, n, e):
        return f"{n:.{self.digits}f} {e:.{self.digits}f}"

    def line(self, length, dir_attr=None, name=None, split=1):
        for k in range(split):
            part = length / split
            n2 = self.n + part * math.cos(self.az)
            e2 = self.e + part * math.sin(self.az)
            d = dir_attr if dir_attr is not None else self.az / DEG
            nm = f' name="{name}{k + 1 if split > 1 else ""}"' if name else ""
            self.items.append(
                f'      <Line{nm} dir="{d:.8f}" length="{part:.6f}" staStart="{self.station:.6f}">'
                f"<Start>{self.pt(self.n, self.e)}</Start><End>{self.pt(n2, e2)}</End></Line>")
            self.n, self.e, self.station = n2, e2, self.station + part

    def curve(self, radius, delta_deg, right=True, name=None, split=1, rot_attr=None, dir_attr=None):
        side = 1 if right else -1
        # centre to the right (or left) of travel
        cn = self.n + radius * math.cos(self.az + side * math.pi / 2)
        ce = self.e + radius * math.sin(self.az + side * math.pi / 2)
        for k in range(split):
            delta = delta_deg / split * DEG
            az2 = self.az + side * delta
            n2 = cn + radius * math.cos(az2 - side * math.pi / 2)
            e2 = ce + radius * math.sin(az2 - side * math.pi / 2)
            t = radius * math.tan(delta / 2)
            pn, pe = self.n + t * math.cos(self.az), self.e + t * math.sin(self.az)
            rot = rot_attr if rot_attr else ("cw" if right else "ccw")
            d1 = dir_attr if dir_attr is not None else self.az / DEG
            nm = f' name="{name}{k + 1 if split > 1 else ""}"' if name else ""
            self.items.append(
                f'      <Curve{nm} rot="{rot}" radius="{radius:.6f}" length="{radius * delta:.6f}" '
                f'delta="{delta / DEG:.8f}" dirStart="{d1:.8f}" dirEnd="{az2 / DEG:.8f}" '
                f'staStart="{self.station:.6f}">'
                f"<Start>{self.pt(self.n, self.e)}</Start><Center>{self.pt(cn, ce)}</Center>"
                f"<End>{self.pt(n2, e2)}</End><PI>{self.pt(pn, pe)}</PI></Curve>")
            self.n, self.e, self.az = n2, e2, az2
            self.station += radius * delta

    def spiral(self, length, radius, right=True, entering=True):
        """A clothoid, laid out by its series (for the file only)."""
        side = 1 if right else -1
        a2 = radius * length
        steps = 200
        n, e = self.n, self.e
        for i in range(steps):
            s0, s1 = i * length / steps, (i + 1) * length / steps
            sm = 0.5 * (s0 + s1)
            u = sm if entering else length - sm
            ang = u * u / (2 * a2)
            if not entering:
                ang = length * length / (2 * a2) - ang
            az = self.az + side * ang
            n += (s1 - s0) * math.cos(az)
            e += (s1 - s0) * math.sin(az)
        rs, re = ("INF", f"{radius:.6f}") if entering else (f"{radius:.6f}", "INF")
        self.items.append(
            f'      <Spiral length="{length:.6f}" radiusStart="{rs}" radiusEnd="{re}" '
            f'rot="{"cw" if right else "ccw"}" spiType="clothoid" staStart="{self.station:.6f}">'
            f"<Start>{self.pt(self.n, self.e)}</Start><End>{self.pt(n, e)}</End></Spiral>")
        self.n, self.e = n, e
        self.az += side * length / (2 * radius)
        self.station += length

    def xml(self, name, profiles="", extra=""):
        body = "\n".join(self.items)
        return (f'    <Alignment name="{name}" length="{self.station - self.sta_start:.6f}" '
                f'staStart="{self.sta_start:.6f}">\n      <CoordGeom>\n{body}\n      </CoordGeom>\n'
                f"{extra}{profiles}    </Alignment>\n")


def profile(name, pvis, prof_align_name=None):
    """pvis: (station, elevation, kind, length...) with kind PVI, Para, Unsym, Circ."""
    rows = []
    for p in pvis:
        sta, el, kind = p[0], p[1], p[2]
        text = f"{sta:.6f} {el:.6f}"
        if kind == "PVI":
            rows.append(f"          <PVI>{text}</PVI>")
        elif kind == "Para":
            rows.append(f'          <ParaCurve length="{p[3]:.6f}">{text}</ParaCurve>')
        elif kind == "Unsym":
            rows.append(f'          <UnsymParaCurve lengthIn="{p[3]:.6f}" lengthOut="{p[4]:.6f}">{text}</UnsymParaCurve>')
        elif kind == "Circ":
            rows.append(f'          <CircCurve length="{p[3]:.6f}" radius="{p[4]:.6f}">{text}</CircCurve>')
    inner = "\n".join(rows)
    pa = prof_align_name or name
    return (f'      <Profile name="{name}">\n        <ProfAlign name="{pa}">\n{inner}\n'
            f"        </ProfAlign>\n      </Profile>\n")


def cross_sections(rows, grade, surface="FINISHED GRADE"):
    """rows: (station, [(offset, height above the profile grade)]), offsets
    positive to the right of travel as LandXML gives them; grade(station) is
    the design profile's elevation there."""
    out = ["      <CrossSects>"]
    for sta, pts in rows:
        cl = grade(sta)
        left = [p for p in pts if p[0] <= 0]
        right = [p for p in pts if p[0] >= 0]
        out.append(f'        <CrossSect sta="{sta:.6f}">')
        for side, half in (("left", left), ("right", right)):
            out.append(f'          <DesignCrossSectSurf name="{surface}" side="{side}">')
            out += [f"            <CrossSectPnt>{o:.4f} {cl + h:.4f}</CrossSectPnt>" for o, h in half]
            out.append("          </DesignCrossSectSurf>")
        out.append('          <DesignCrossSectSurf name="SUBGRADE">'
                   f"<CrossSectPnt>-30.0000 {cl - 2:.4f}</CrossSectPnt>"
                   f"<CrossSectPnt>30.0000 {cl - 2:.4f}</CrossSectPnt></DesignCrossSectSurf>")
        out.append("        </CrossSect>")
    out.append("      </CrossSects>\n")
    return "\n".join(out)


def grade_of(pvis):
    """The elevation of a profile of PVIs and symmetric parabolas (the
    (station, elevation, kind, length) rows of profile()) at a station."""
    def at(sta):
        g = [(b[1] - a[1]) / (b[0] - a[0]) for a, b in zip(pvis, pvis[1:])]
        for i in range(1, len(pvis) - 1):
            p, length = pvis[i], (pvis[i][3] if pvis[i][2] == "Para" else 0)
            if abs(sta - p[0]) < length / 2:
                x = sta - (p[0] - length / 2)
                return p[1] - g[i - 1] * length / 2 + g[i - 1] * x + (g[i] - g[i - 1]) * x * x / (2 * length)
        i = max(k for k in range(len(pvis) - 1) if k == 0 or sta > pvis[k][0])
        return pvis[i][1] + g[i] * (sta - pvis[i][0])
    return at


def landxml(alignments, units="foot", metric=False, epsg=None):
    u = (f'<Metric linearUnit="{units}" areaUnit="squareMeter" volumeUnit="cubicMeter" '
         f'angularUnit="decimal degrees" directionUnit="decimal degrees"/>') if metric else \
        (f'<Imperial linearUnit="{units}" areaUnit="squareFoot" volumeUnit="cubicYard" '
         f'angularUnit="decimal degrees" directionUnit="decimal degrees"/>')
    cs = f'  <CoordinateSystem epsgCode="{epsg}"/>\n' if epsg else ""
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2" '
            'date="2026-03-02" time="10:00:00">\n'
            f"  <Units>\n    {u}\n  </Units>\n{cs}"
            '  <Application name="roadway design export" version="1"/>\n'
            f"  <Alignments>\n{''.join(alignments)}  </Alignments>\n</LandXML>\n")


def write(name, text):
    with open(os.path.join(HERE, name), "w") as f:
        f.write(text)


def main():
    os.makedirs(HERE, exist_ok=True)

    # Tangent, 3-degree curve turning right through 24-30, tangent; a crest
    # and a sag vertical curve.
    r = Road(650000.0, 2100000.0, 65.0, 10000.0)
    r.line(1250.0, name="T1")
    r.curve(deg_curve(3.0), 24.5, right=True, name="C1")
    r.line(1000.0, name="T2")
    prof = profile("FG", [(10000, 500.0, "PVI"), (11000, 520.0, "Para", 400.0),
                          (12000, 505.0, "Para", 300.0), (13066.666667, 515.0, "PVI")])
    write("right_curve.xml", landxml([r.xml("ROUTE 9 MAINLINE", prof)], epsg=2264))

    # Tangent, 5-degree curve turning left through 18 degrees, tangent, in
    # US survey feet; one crest curve.
    r = Road(420000.0, 1350000.0, 310.0, 5000.0)
    r.line(800.0, name="T1")
    r.curve(deg_curve(5.0), 18.0, right=False, name="C1")
    r.line(600.0, name="T2")
    prof = profile("FG", [(5000, 300.0, "PVI"), (5900, 309.0, "Para", 300.0), (6800, 300.0, "PVI")])
    write("left_curve.xml", landxml([r.xml("CR 7", prof)], units="USSurveyFoot", epsg=2264))

    # Tangent into a compound curve, 2 degrees then 4 degrees, and a tangent.
    r = Road(180000.0, 610000.0, 10.0, 0.0)
    r.line(500.0, name="T1")
    r.curve(deg_curve(2.0), 8.0, right=True, name="C1")
    r.curve(deg_curve(4.0), 10.0, right=True, name="C2")
    r.line(400.0, name="T2")
    prof = profile("FG", [(0, 100.0, "PVI"), (1550.0, 131.0, "PVI")])
    write("compound_curve.xml", landxml([r.xml("SR 44", prof)]))

    # A straight road exported as three collinear lines with dir attributes
    # in another convention (east counter-clockwise, in radians); a PVI on
    # the grade without a break.
    r = Road(300000.0, 900000.0, 135.0, 2000.0)
    r.line(1800.0, dir_attr=-45.0 * DEG, name="L", split=3)
    prof = profile("FG", [(2000, 50.0, "PVI"), (2900, 59.0, "PVI"), (3800, 68.0, "PVI")])
    write("straight_road.xml", landxml([r.xml("FRONTAGE RD", prof)]))

    # Loops of a 500 ft radius between a 300 ft and a 400 ft tangent on a
    # 1 % grade. A sharp curve of 80 degrees, more than 45 degrees of it
    # before the middle of the window, so the reference angle cannot be 90;
    # a curve of 120 degrees, more than a quarter turn: the normals of the
    # ahead tangent cut the back tangent run on behind the P.C.
    for name, delta in (("sharp_curve.xml", 80.0), ("wide_curve.xml", 120.0)):
        r = Road(50000.0, 80000.0, 350.0, 0.0)
        r.line(300.0, name="T1")
        r.curve(500.0, delta, right=True, name="C1")
        r.line(400.0, name="T2")
        prof = profile("FG", [(0, 20.0, "PVI"), (r.station, 20.0 + 0.01 * r.station, "PVI")])
        write(name, landxml([r.xml("LOOP", prof)]))

    # Metric: tangent, 600 m curve turning right through 30 degrees, tangent;
    # one sag curve.
    r = Road(4200000.0, 500000.0, 100.0, 0.0, digits=6)
    r.line(200.0, name="T1")
    r.curve(600.0, 30.0, right=True, name="C1")
    r.line(150.0, name="T2")
    prof = profile("FG", [(0, 80.0, "PVI"), (300.0, 74.0, "Para", 120.0), (664.159265, 80.0, "PVI")])
    write("metric_road.xml", landxml([r.xml("A12", prof)], units="meter", metric=True, epsg=25832))

    # A published alignment, transcribed: alignment "CL" of a design
    # package's station and curve report (stations to 0.001, northing and
    # easting to 0.000001): from the start at 0+000 a tangent to the TC at
    # 0+030.986, a 1500 radius curve to the right to the CT at 0+083.397,
    # and the tangent on to the next TC at 0+169.515. The report is metric;
    # its geometry is taken here as feet, as in the project-coordinates
    # test of the same report (in metres its radius through the degree of
    # curve would move the centre by 0.001 ft). The report has no profile:
    # a level grade is given.
    start, tc = "256676.937601 5011521.695584", "256647.117493 5011530.115279"
    cc, pi1 = "256239.528347 5010086.553335", "256621.895292 5011537.236758"
    ct, tc2 = "256596.439707 5011543.472784", "256512.795063 5011563.963775"
    items = [f'      <Line name="CL-1" staStart="0.000000" length="30.986"><Start>{start}</Start>'
             f"<End>{tc}</End></Line>",
             f'      <Curve name="CL-2" rot="cw" radius="1500.000" staStart="30.986" length="52.411">'
             f"<Start>{tc}</Start><Center>{cc}</Center><End>{ct}</End><PI>{pi1}</PI></Curve>",
             f'      <Line name="CL-3" staStart="83.397" length="86.118"><Start>{ct}</Start>'
             f"<End>{tc2}</End></Line>"]
    prof = profile("CL FG", [(0.0, 100.0, "PVI"), (169.515, 100.0, "PVI")])
    write("published_road.xml", landxml(
        [f'    <Alignment name="CL" length="169.515" staStart="0.000000">\n      <CoordGeom>\n'
         + "\n".join(items) + f"\n      </CoordGeom>\n{prof}    </Alignment>\n"]))

    # Quirks of real exports: two alignments (the ramp first), the curve of
    # the mainline split into two elements with one centre, the tangent
    # after it split into two collinear lines, rot and dir attributes that
    # disagree with the points, and two profiles with two design lines,
    # the points written to four decimals.
    ramp = Road(700000.0, 1500000.0, 0.0, 0.0)
    ramp.line(900.0, name="R")
    ramp_prof = profile("RAMP FG", [(0, 10.0, "PVI"), (900.0, 19.0, "PVI")])
    # (points to four decimals, as many exports write them)
    r = Road(701000.0, 1502000.0, 200.0, 20000.0, digits=4)
    r.line(600.0, name="T1", dir_attr=250.0)
    r.curve(deg_curve(4.0), 20.0, right=False, name="C1-", split=2, rot_attr="cw", dir_attr=0.0)
    r.line(700.0, name="T2-", split=2, dir_attr=12.5)
    existing = ('      <Profile name="EXISTING">\n        <ProfSurf name="EG"><PntList2D>'
                "20000 40.0 20500 41.0 21500 43.0</PntList2D></ProfSurf>\n      </Profile>\n")
    design = ('      <Profile name="DESIGN">\n'
              '        <ProfAlign name="PRELIM">\n          <PVI>20000.0 45.0</PVI>\n'
              '          <PVI>21800.0 45.0</PVI>\n        </ProfAlign>\n'
              '        <ProfAlign name="FINAL">\n          <PVI>20000.000000 44.000000</PVI>\n'
              '          <ParaCurve length="250.000000">20700.000000 51.000000</ParaCurve>\n'
              '          <PVI>21800.000000 40.000000</PVI>\n        </ProfAlign>\n'
              "      </Profile>\n")
    write("export_quirks.xml", landxml([ramp.xml("RAMP A", ramp_prof), r.xml("MAINLINE", existing + design)]))

    # Cross-sections on the right-turning road (a 1 % grade): a normal
    # crown at 2 % with the right lane line on the plane of its lane, the
    # same at both ends of the alignment (constant slopes) ...
    def right_road():
        r = Road(650000.0, 2100000.0, 65.0, 10000.0)
        r.line(1250.0, name="T1")
        r.curve(deg_curve(3.0), 24.5, right=True, name="C1")
        r.line(1000.0, name="T2")
        return r
    end = 13066.666667
    grade = lambda sta: 500.0 + 0.01 * (sta - 10000.0)
    prof = profile("FG", [(10000, 500.0, "PVI"), (end, grade(end), "PVI")])
    crown = [(-24.0, -0.48), (0.0, 0.0), (12.0, -0.24), (24.0, -0.48)]
    write("crown_constant.xml", landxml([right_road().xml(
        "ROUTE 9 MAINLINE", prof, cross_sections([(10000.0, crown), (end, crown)], grade))], epsg=2264))
    # ... and a superelevation run-off into the curve: the left (outside)
    # lane rotated from the normal crown through level to a reverse crown,
    # then both lanes and the 4 ft right shoulder to 6 %, with sections
    # between that lie on the straight run of the slopes.
    def section(left, right, shoulder):  # slopes falling away from the crown line, %
        return [(-12.0, -0.12 * left), (0.0, 0.0), (12.0, -0.12 * right), (16.0, -0.12 * right - 0.04 * shoulder)]
    nc, lvl, rc, fs = section(2, 2, 4), section(0, 2, 4), section(-2, 2, 4), section(-6, 6, 6)
    half = lambda a, b: [(p[0], (p[1] + q[1]) / 2) for p, q in zip(a, b)]
    # The sections stand on the vertical curves of the right_curve profile.
    rows = [(10000.0, nc), (11000.0, nc), (11050.0, half(nc, lvl)), (11100.0, lvl), (11150.0, rc),
            (11275.0, half(rc, fs)), (11400.0, fs), (end, fs)]
    pvis = [(10000, 500.0, "PVI"), (11000, 520.0, "Para", 400.0), (12000, 505.0, "Para", 300.0),
            (end, 515.0, "PVI")]
    write("crown_runoff.xml", landxml([right_road().xml("ROUTE 9 MAINLINE", profile("FG", pvis),
                                                        cross_sections(rows, grade_of(pvis)))], epsg=2264))

    # A road turning left, in US survey feet, banked at 4 % rising to the
    # right (the outside) with a 4 ft left shoulder at 6 %: the deck's
    # mirror image keeps the file's right on its positive offsets.
    r = Road(420000.0, 1350000.0, 310.0, 5000.0)
    r.line(800.0, name="T1")
    r.curve(deg_curve(5.0), 18.0, right=False, name="C1")
    r.line(600.0, name="T2")
    grade = lambda sta: 300.0 + 0.01 * (sta - 5000.0)
    banked = [(-16.0, -0.72), (-12.0, -0.48), (0.0, 0.0), (12.0, 0.48)]
    prof = profile("FG", [(5000, 300.0, "PVI"), (r.station, grade(r.station), "PVI")])
    write("crown_left.xml", landxml([r.xml("CR 7", prof, cross_sections([(5000.0, banked), (r.station, banked)],
                                                                       grade))], units="USSurveyFoot"))

    # Cross-section data the cards cannot hold, one alignment each on a
    # straight road: a lane that widens, a section of four planes, a
    # Superelevation without lane offsets, a surface a foot above the
    # profile grade, sections that cover only part of the window.
    def straight_with(name, extra):
        r = Road(100000.0, 100000.0, 90.0, 1000.0)
        r.line(2000.0)
        g = lambda sta: 10.0 + 0.01 * (sta - 1000.0)
        return r.xml(name, profile("FG", [(1000, 10.0, "PVI"), (3000, 30.0, "PVI")]), extra(g))
    widening = lambda g: cross_sections([(1000.0, [(-12.0, -0.24), (0.0, 0.0), (12.0, -0.24)]),
                                         (3000.0, [(-12.0, -0.24), (0.0, 0.0), (16.0, -0.32)])], g)
    four = [(-14.0, -0.40), (-12.0, -0.24), (0.0, 0.0), (12.0, -0.24), (14.0, -0.40)]
    four_planes = lambda g: cross_sections([(1000.0, four), (3000.0, four)], g)
    raised = [(-12.0, 0.76), (0.0, 1.0), (12.0, 0.76)]  # a foot above the profile grade
    off_grade = lambda g: cross_sections([(1000.0, raised), (3000.0, raised)], g)
    crowned = [(-12.0, -0.24), (0.0, 0.0), (12.0, -0.24)]
    short = lambda g: cross_sections([(1800.0, crowned), (2200.0, crowned)], g)
    super_only = lambda g: ('      <Superelevation staStart="1500.000000" staEnd="2500.000000">'
                            "<BeginRunoutSta>1500.0</BeginRunoutSta><FullSuperSta>1800.0</FullSuperSta>"
                            "<FullSuperelev>0.06</FullSuperelev><EndofRunoutSta>2500.0</EndofRunoutSta>"
                            "</Superelevation>\n")
    write("crown_unmapped.xml", landxml([straight_with("WIDENING", widening),
                                         straight_with("FOUR PLANES", four_planes),
                                         straight_with("SUPER ONLY", super_only),
                                         straight_with("OFF GRADE", off_grade),
                                         straight_with("SHORT SECTIONS", short)]))

    # Refusals. A spiralled curve.
    r = Road(100000.0, 100000.0, 90.0, 1000.0)
    r.line(500.0)
    r.spiral(200.0, deg_curve(4.0), entering=True)
    r.curve(deg_curve(4.0), 10.0)
    r.spiral(200.0, deg_curve(4.0), entering=False)
    r.line(500.0)
    write("refuse_spiral.xml", landxml([r.xml("SPIRALLED", profile("FG", [(1000, 10.0, "PVI"), (2000, 20.0, "PVI")]))]))

    # A reverse curve: right then left without a tangent.
    r = Road(100000.0, 100000.0, 90.0, 1000.0)
    r.line(300.0)
    r.curve(deg_curve(3.0), 10.0, right=True)
    r.curve(deg_curve(3.0), 10.0, right=False)
    r.line(300.0)
    write("refuse_reverse.xml", landxml([r.xml("REVERSE", profile("FG", [(1000, 10.0, "PVI"), (2400, 24.0, "PVI")]))]))

    # An angle point: two tangents meeting at 2 degrees.
    r = Road(100000.0, 100000.0, 90.0, 1000.0)
    r.line(500.0)
    r.az += 2 * DEG
    r.line(500.0)
    write("refuse_angle_point.xml", landxml([r.xml("ANGLE POINT", profile("FG", [(1000, 10.0, "PVI"), (2000, 20.0, "PVI")]))]))

    # A station equation at continuous station 1500: 15+00 back = 16+00 ahead.
    r = Road(100000.0, 100000.0, 90.0, 1000.0)
    r.line(1000.0)
    eq = '      <StaEquation staInternal="1500.000000" staBack="1500.000000" staAhead="1600.000000"/>\n'
    write("refuse_equation.xml", landxml([r.xml("EQUATION", profile("FG", [(1000, 10.0, "PVI"), (2000, 20.0, "PVI")]), eq)]))

    # A hairpin: the tangents either side of a 200 degree curve.
    r = Road(100000.0, 100000.0, 90.0, 1000.0)
    r.line(300.0)
    r.curve(150.0, 200.0, right=False)
    r.line(300.0)
    write("refuse_hairpin.xml", landxml([r.xml("HAIRPIN", profile("FG", [(1000, 10.0, "PVI"), (2200, 22.0, "PVI")]))]))

    # Profiles the vertical curve cards cannot hold, on a straight road.
    def straight(name, pvis):
        r = Road(100000.0, 100000.0, 90.0, 1000.0)
        r.line(2000.0)
        write(name, landxml([r.xml("PROFILE TEST", profile("FG", pvis))]))

    straight("refuse_unsymmetric.xml", [(1000, 10.0, "PVI"), (2000, 30.0, "Unsym", 200.0, 300.0), (3000, 20.0, "PVI")])
    straight("refuse_circular.xml", [(1000, 10.0, "PVI"), (2000, 30.0, "Circ", 200.0, 10000.0), (3000, 20.0, "PVI")])
    straight("refuse_grade_break.xml", [(1000, 10.0, "PVI"), (2000, 30.0, "PVI"), (3000, 20.0, "PVI")])
    straight("refuse_three_curves.xml", [(1000, 10.0, "PVI"), (1500, 20.0, "Para", 200.0), (2000, 12.0, "Para", 200.0),
                                          (2500, 22.0, "Para", 200.0), (3000, 14.0, "PVI")])


if __name__ == "__main__":
    main()
