#!/usr/bin/python3
"""bridgeplan-render draws every example plot file faithfully.

For each plot file: the SVG is well-formed XML with a viewBox and a group
per level, and rsvg-convert rasterises it; the DXF is read by ezdxf, its
audit finds no error, it holds as many LINEs, ARCs, TEXTs and POINTs as the
plot file has polyline legs, arcs, texts and markers, and each lands where
the plot file puts it (plot units / 12000 = feet), on the layer of its
level. The plot file is read here by a parser of its own, not the
renderer's. Then: a file of several problems gives numbered drawings, and a
file with bad lines is drawn without them, the lines named on stderr.
Usage: RENDERER PLOT...
"""
import math
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import ezdxf

FT = 12000.0
TOL = 1e-6          # ft: the DXF carries eight decimals
failures = []
checked = []


def fail(msg):
    failures.append(msg)
    if len(failures) <= 25:
        print("FAILED: " + msg, file=sys.stderr)


def plot_elements(path):
    """(kind, level, data) in file order: marker, leg, text, arc."""
    lines = open(path, encoding="ascii").read().splitlines()
    level, out, i = 0, [], 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if line.startswith("OVR/"):
            level = int(line[4:])
        elif line.startswith("LST/OP"):
            text = line[6:]
            while text.endswith(","):
                text += lines[i]
                i += 1
            v = [int(s) for s in text.strip(",").split(",")]
            pts = list(zip(v[0::2], v[1::2]))
            if all(p == pts[0] for p in pts):
                out.append(("POINT", level, pts[0]))
            else:
                for a, b in zip(pts, pts[1:]):
                    if a != b:
                        out.append(("LINE", level, (a, b)))
        elif line.startswith("TXT/"):
            m = re.match(r"TXT/TH=\s*(\d+),TW=\s*(\d+),OR=\s*(-?\d+),\s*(-?\d+),AN=([-\d.]+),(.*)$",
                         line)
            out.append(("TEXT", level, (int(m[1]), (int(m[3]), int(m[4])), m[6])))
        elif line.startswith("ARC/"):
            m = re.match(r"ARC/(C[LC]),CE=\s*(-?\d+),\s*(-?\d+),P1=\s*(-?\d+),\s*(-?\d+),"
                         r"P2=\s*(-?\d+),\s*(-?\d+)$", line)
            out.append(("ARC", level, (m[1] == "CL", (int(m[2]), int(m[3])),
                                       (int(m[4]), int(m[5])), (int(m[6]), int(m[7])))))
    return out


def xy(v):
    return (v[0], v[1])


def near(a, b, tol=TOL):
    return all(abs(x - y) <= tol for x, y in zip(a, b))


def ft(p):
    return (p[0] / FT, p[1] / FT)


def check_dxf(name, dxf, expected):
    doc = ezdxf.readfile(dxf)
    audit = doc.audit()
    if audit.has_errors:
        fail(f"{name}: ezdxf audit: {[str(e) for e in audit.errors][:3]}")
    entities = [e for e in doc.modelspace()]
    kinds = [e.dxftype() for e in entities]
    for kind in ("LINE", "POINT", "TEXT", "ARC"):
        if kinds.count(kind) != sum(1 for k, _, _ in expected if k == kind):
            fail(f"{name}: {kinds.count(kind)} {kind} in the DXF, "
                 f"{sum(1 for k, _, _ in expected if k == kind)} in the plot file")
    if len(entities) != len(expected):
        return
    linetypes = {lt.dxf.name for lt in doc.linetypes}
    for n, (e, (kind, level, data)) in enumerate(zip(entities, expected)):
        where = f"{name} entity {n} ({kind})"
        if e.dxftype() != kind:
            fail(f"{where}: the DXF has a {e.dxftype()}")
            continue
        if e.dxf.layer != f"LEVEL_{level}":
            fail(f"{where}: layer {e.dxf.layer}, level {level}")
        if e.dxf.linetype not in linetypes:
            fail(f"{where}: linetype {e.dxf.linetype} not in the tables")
        if kind == "POINT" and not near(xy(e.dxf.location), ft(data)):
            fail(f"{where}: at {tuple(xy(e.dxf.location))}, plot point {data}")
        elif kind == "LINE" and not (near(xy(e.dxf.start), ft(data[0]))
                                     and near(xy(e.dxf.end), ft(data[1]))):
            fail(f"{where}: {e.dxf.start} to {e.dxf.end}, plot {data}")
        elif kind == "TEXT":
            height, origin, text = data
            if e.dxf.text != text or not near(xy(e.dxf.insert), ft(origin)) or \
                    abs(e.dxf.height - height / FT) > TOL:
                fail(f"{where}: {e.dxf.text!r} at {e.dxf.insert}, plot {data}")
        elif kind == "ARC":
            clockwise, centre, p1, p2 = data
            r1, r2 = math.dist(p1, centre), math.dist(p2, centre)
            # Both ends on the circle about the command's centre (to the
            # rounding of plot units): that circle. Otherwise (a compound
            # curve drawn about the main centre) the arc of the mean radius
            # through both ends.
            consistent = abs(r1 - r2) <= 24
            r = (r1 if consistent else (r1 + r2) / 2) / FT
            if abs(e.dxf.radius - r) > TOL or (consistent and not near(xy(e.dxf.center), ft(centre))):
                fail(f"{where}: centre {e.dxf.center} radius {e.dxf.radius}, plot {data}")
            # DXF arcs run counter-clockwise from start to end: a clockwise
            # arc from P1 to P2 starts at P2.
            ends = ((e.dxf.start_angle, p2), (e.dxf.end_angle, p1)) if clockwise else \
                ((e.dxf.start_angle, p1), (e.dxf.end_angle, p2))
            for angle, p in ends:
                a = math.radians(angle)
                at = (e.dxf.center[0] + e.dxf.radius * math.cos(a),
                      e.dxf.center[1] + e.dxf.radius * math.sin(a))
                tol = TOL if p == p1 or not consistent else (abs(r1 - r2) + 1) / FT
                if not near(at, ft(p), tol):
                    fail(f"{where}: an end at {at}, plot point {ft(p)}")


def check_svg(name, svg, expected, work):
    try:
        root = ET.parse(svg).getroot()
    except ET.ParseError as e:
        fail(f"{name}: the SVG is not XML: {e}")
        return
    ns = "{http://www.w3.org/2000/svg}"
    if root.tag != ns + "svg" or len(root.get("viewBox", "").split()) != 4:
        fail(f"{name}: no svg root with a viewBox")
    groups = {g.get("id") for g in root.iter(ns + "g")}
    for level in {lvl for _, lvl, _ in expected}:
        if f"level-{level}" not in groups:
            fail(f"{name}: no group level-{level} in the SVG")
    counts = {t: len(list(root.iter(ns + t))) for t in ("text", "circle", "path")}
    for tag, kind in (("text", "TEXT"), ("circle", "POINT"), ("path", "ARC")):
        if counts[tag] != sum(1 for k, _, _ in expected if k == kind):
            fail(f"{name}: {counts[tag]} <{tag}> for the plot file's {kind}s")
    png = os.path.join(work, name + ".png")
    r = subprocess.run(["rsvg-convert", "--width", "400", "--keep-aspect-ratio", "-o", png, svg],
                       capture_output=True, text=True)
    if r.returncode != 0 or r.stderr.strip():
        fail(f"{name}: rsvg-convert: {r.returncode} {r.stderr.strip()}")
    elif open(png, "rb").read(8) != b"\x89PNG\r\n\x1a\n":
        fail(f"{name}: rsvg-convert wrote no PNG")


def render(renderer, plot, out):
    return subprocess.run([renderer, plot, "-o", out], capture_output=True, text=True)


def check_plot(renderer, plot, work):
    name = os.path.splitext(os.path.basename(plot))[0]
    expected = plot_elements(plot)
    for ext, check in (("dxf", check_dxf), ("svg", None)):
        out = os.path.join(work, f"{name}.{ext}")
        r = render(renderer, plot, out)
        if r.returncode != 0 or r.stderr:
            fail(f"{name}.{ext}: exit {r.returncode}: {r.stderr.strip()}")
            continue
        if ext == "dxf":
            check_dxf(name, out, expected)
        else:
            check_svg(name, out, expected, work)
    checked.append(name)


def check_several_and_bad(renderer, plots, work):
    """Two problems in one file, and lines that cannot be read."""
    both = os.path.join(work, "two.plt")
    with open(both, "w") as f:
        for p in plots[:2]:
            f.write(open(p).read())
    r = render(renderer, both, os.path.join(work, "two.dxf"))
    for k, p in enumerate(plots[:2], start=1):
        out = os.path.join(work, f"two-{k}.dxf")
        if not os.path.exists(out):
            fail(f"two problems: no {os.path.basename(out)} ({r.stderr.strip()})")
        else:
            check_dxf(f"two-{k}", out, plot_elements(p))
    if os.path.exists(os.path.join(work, "two.dxf")):
        fail("two problems: an unnumbered two.dxf was written as well")

    lines = open(plots[0]).read().splitlines()
    bad = lines[:5] + ["XYZ/1", "LST/OP,  12,  **********", "TXT/TH=junk"] + lines[5:]
    damaged = os.path.join(work, "damaged.plt")
    open(damaged, "w").write("\n".join(bad) + "\n")
    r = render(renderer, damaged, os.path.join(work, "damaged.dxf"))
    if r.returncode != 3:   # read to its end, some lines left out
        fail(f"damaged plot: exit {r.returncode}, not 3")
    for n in (6, 7, 8):
        if f"line {n}:" not in r.stderr:
            fail(f"damaged plot: line {n} not reported: {r.stderr.strip()}")
    check_dxf("damaged", os.path.join(work, "damaged.dxf"), plot_elements(plots[0]))
    checked.append("several and damaged")


def main():
    renderer, plots = sys.argv[1], sys.argv[2:]
    with tempfile.TemporaryDirectory() as work:
        for plot in plots:
            check_plot(renderer, plot, work)
        check_several_and_bad(renderer, plots, work)
    bad = {f.split(":")[0].split()[0].split(".")[0] for f in failures}
    print(f"{len(checked) - len(bad)} passed, {len(bad)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
