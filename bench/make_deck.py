#!/usr/bin/python3
"""Writes a large valid deck for the speed benchmark: PROBLEMS problems, each
a bridge on a 5-30 curve with 30 girder chords, SPANS spans of 100 ft and 20
skewed T-lines in every span (one row per line per T-line and bent).

usage: make_deck.py PROBLEMS [SPANS] > deck
"""
import sys

LINES = 30
TLINES = 20


def field(value, width, decimals=4):
    return f"{value:{width}.{decimals}f}"


def problem(number, spans):
    cards = [
        f"*B02{number % 10000:04d}BENCHMARK BRIDGE {number} - {spans} SPANS ON A 5-30 CURVE",
        "1 1000.0000 2000.0000 1500.0000 90 0 0.0    0.0000R 6.00",
        "2 0 0 0.0 1300.0000 530 0.0 1750.0000 0 0 0.0",
        "3 1000.0000 1500.0000 1900.0000",
        "4 612.500  2.00000 300.00 -1.50000   0.00  0.00000",
        "5LNS -26.000 -12.000   0.000  12.000  26.000   0.00   0.00   0.00   0.00   0.00",
        "6CONS  1000.0000 0.720 0.720 0.720 0.000 0.000 0.000",
    ]
    # Chords 1.5 ft apart across the deck, every fifth marked for the plot.
    for n in range(1, LINES + 1):
        offset = 21.75 - 1.5 * (n - 1)
        mark = "C" if n % 5 == 0 else " "
        remarks = f"GIRDER {n}".ljust(30) + mark
        cards.append(f"7{n:2d}CRD  {field(offset, 10)}{field(0, 10)}{field(0, 10)}{field(0, 10)}0{remarks}")
    cards.append(f"7{LINES + 1:2d}END")
    first = 1100.0
    for s in range(1, spans + 1):
        back = first + 100.0 * (s - 1)
        last = " LAST" if s == spans else "     "
        cards.append(f"8SPAN{s:3d}{TLINES:3d}{last}  SPAN {s}")
        if s == 1:
            cards.append(f"B1{s:2d}SKEW{field(back, 10)} 1500000    0.0000CL BENT {s:<4d}C")
        else:
            cards.append(f"B1{s:2d}SAME    0.0000       0    0.0000")
        cards.append(f"A1{s + 1:2d}SKEW{field(back + 100.0, 10)} 1500000    0.0000CL BENT {s + 1:<4d}C")
        for t in range(1, TLINES + 1):
            station = back + 4.5 * t
            cards.append(f"T{t:2d}SKEW     {field(station, 10)}  01500000   0DIAPHRAGM {t}")
    return cards


def main():
    problems = int(sys.argv[1])
    spans = int(sys.argv[2]) if len(sys.argv) > 2 else 6
    out = sys.stdout
    for p in range(1, problems + 1):
        out.write("\n".join(problem(p, spans)))
        out.write("\n")


if __name__ == "__main__":
    main()
