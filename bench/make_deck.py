#!/usr/bin/python3
"""Writes decks for the speed benchmark.

  make_deck.py PROBLEMS [SPANS] > deck
      a large valid deck: PROBLEMS problems, each a bridge on a 5-30 curve
      with 30 girder chords, SPANS spans of 100 ft and 20 skewed T-lines in
      every span (one row per line per T-line and bent).
  make_deck.py --small PROBLEMS > deck
      many small problems, as a batch of quick checks gives them: one span,
      six lines and two T-lines each, and every fourth problem abandoned by a
      faulty card (a letter in a number, an unknown keyword, a SAME bent in
      the first span), at a different card each time.
"""
import sys

LINES = 30
TLINES = 20


# The roadway of every problem: a 5-30 curve, a vertical curve, a crown.
ALIGNMENT = [
    "1 1000.0000 2000.0000 1500.0000 90 0 0.0    0.0000R 6.00",
    "2 0 0 0.0 1300.0000 530 0.0 1750.0000 0 0 0.0",
    "3 1000.0000 1500.0000 1900.0000",
    "4 612.500  2.00000 300.00 -1.50000   0.00  0.00000",
    "5LNS -26.000 -12.000   0.000  12.000  26.000   0.00   0.00   0.00   0.00   0.00",
    "6CONS  1000.0000 0.720 0.720 0.720 0.000 0.000 0.000",
]


def field(value, width, decimals=4):
    return f"{value:{width}.{decimals}f}"


def problem(number, spans):
    cards = [
        f"*B02{number % 10000:04d}BENCHMARK BRIDGE {number} - {spans} SPANS ON A 5-30 CURVE",
    ] + ALIGNMENT
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


def small_problem(number):
    station = 1400.0 + (number % 50)
    cards = [
        f"*B02{number % 10000:04d}SMALL BRIDGE {number}",
    ] + ALIGNMENT
    for n, offset in enumerate((21.0, 18.0, 6.0, -6.0, -18.0, -21.0), start=1):
        kind = "ARC" if n in (1, 6) else "CRD"
        cards.append(f"7{n:2d}{kind}  {field(offset, 10)}{field(0, 10)}{field(0, 10)}{field(0, 10)}0LINE {n}")
    cards += [
        "7 7END",
        "8SPAN  1  2 LAST SPAN 1",
        f"B1 1SKEW{field(station, 10)} 1500000    0.0000CL BRG ABUT 1C",
        f"A1 2SKEW{field(station + 80.0, 10)} 1500000    0.0000CL BRG ABUT 2C",
        f"T 1SKEW     {field(station + 40.0, 10)}  01500000   0DIAPHRAGM",
        "T 2CONSPROPB    0.5000    0.0000   0MIDSPAN",
    ]
    fault = number % 16
    if fault == 3:
        cards[1] = cards[1][:5] + "A" + cards[1][6:]      # a letter in the X coordinate
    elif fault == 7:
        cards[14] = "8SPUN  1  2 LAST SPAN 1"               # not a span keyword
    elif fault == 11:
        cards[15] = "B1 1SAME    0.0000       0    0.0000"  # no earlier span to repeat
    elif fault == 15:
        cards[18] = cards[18].replace("PROPB", "PROPX")     # neither the back nor the ahead bent
    return cards


def main():
    if sys.argv[1] == "--small":
        for p in range(1, int(sys.argv[2]) + 1):
            sys.stdout.write("\n".join(small_problem(p)))
            sys.stdout.write("\n")
        return
    problems = int(sys.argv[1])
    spans = int(sys.argv[2]) if len(sys.argv) > 2 else 6
    out = sys.stdout
    for p in range(1, problems + 1):
        out.write("\n".join(problem(p, spans)))
        out.write("\n")


if __name__ == "__main__":
    main()
