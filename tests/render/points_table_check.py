#!/usr/bin/python3
"""The points table agrees with the report, row for row.

Runs every example deck with --points and checks that the report and the
plot are byte for byte those of a run without it, that the CSV has one row
per T-line, bent and coordinate row of the report in the same order, and
that station, elevation, DT TO ML/BT/PP, X and Y rounded to four decimals
read exactly as the report prints them. Usage: EXE DECK...
"""
import csv
import os
import subprocess
import sys
import tempfile

failures = []


def fail(msg):
    failures.append(msg)
    if len(failures) <= 20:
        print("FAILED: " + msg, file=sys.stderr)


def report_rows(path):
    """(kind, number, {field: text}) for every point row of the report."""
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n").lstrip("\f")
            if len(line) < 66 or line[12] != "+":
                continue
            if line.startswith(" T ") or line.startswith(" B "):
                rows.append((line[1], line[3:5].strip(), {
                    "station_ft": line[5:20], "elevation_ft": line[20:31],
                    "dt_to_ml_ft": line[32:42], "dt_to_bt_ft": line[42:52],
                    "dt_to_pp_ft": line[52:62], "x_ft": line[75:87], "y_ft": line[87:99]}))
            elif line.startswith(" P"):
                rows.append(("P", line[2:5].strip(), {
                    "station_ft": line[5:20], "elevation_ft": line[20:31],
                    "dt_to_ml_ft": line[32:42], "x_ft": line[42:54], "y_ft": line[54:66]}))
    return rows


def printed(text):
    """A report field as a number text: the station's '+' and the blanks go."""
    return text.replace("+", "").strip()


def check_deck(exe, deck, work):
    name = os.path.splitext(os.path.basename(deck))[0]
    env = dict(os.environ, SOURCE_DATE_EPOCH="1788172800")
    plain = [os.path.join(work, name + "." + e) for e in ("rpt", "plt")]
    with_points = [os.path.join(work, name + ".p." + e) for e in ("rpt", "plt", "csv")]
    subprocess.run([exe, "--force", deck] + plain, env=env, stderr=subprocess.DEVNULL)
    subprocess.run([exe, "--force", "--points", with_points[2], deck] + with_points[:2],
                   env=env, stderr=subprocess.DEVNULL)
    for a, b in zip(plain, with_points):
        if open(a, "rb").read() != open(b, "rb").read():
            fail(f"{name}: {os.path.basename(a)} differs when the points table is written")
    raw = open(with_points[2], "rb").read()
    if raw and not raw.endswith(b"\r\n"):
        fail(f"{name}: CSV records do not end with CRLF")
    with open(with_points[2], newline="", encoding="ascii") as f:
        table = list(csv.DictReader(f))
    expected = report_rows(plain[0])
    if len(table) != len(expected):
        fail(f"{name}: {len(table)} CSV rows for {len(expected)} report rows")
    if not expected:
        fail(f"{name}: the report has no point rows")
    for k, (row, (kind, number, fields)) in enumerate(zip(table, expected), start=2):
        if (row["row"], row["number"]) != (kind, number):
            fail(f"{name} CSV line {k}: row {row['row']} {row['number']}, report {kind} {number}")
            continue
        for column, text in fields.items():
            value = float(row[column])
            if f"{value:.4f}" != printed(text) and f"{value:.4f}" != "-" + printed(text):
                fail(f"{name} CSV line {k}: {column} {value!r} prints {printed(text)!r}")
        if kind != "P" and not (row["long_line"].isdigit() and row["span"]):
            fail(f"{name} CSV line {k}: no longitudinal line or span")
        if kind == "P" and (row["long_line"] or row["span"] or row["angle_deg"] or row["dt_to_bt_ft"]):
            fail(f"{name} CSV line {k}: a coordinate request with a line, span, angle or distance")


def main():
    exe, decks = sys.argv[1], sys.argv[2:]
    with tempfile.TemporaryDirectory() as work:
        for deck in decks:
            check_deck(exe, deck, work)
    print(f"{len(decks) - len({f.split(':')[0].split()[0] for f in failures})} passed, "
          f"{len({f.split(':')[0].split()[0] for f in failures})} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
