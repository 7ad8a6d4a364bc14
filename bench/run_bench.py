#!/usr/bin/python3
"""Speed benchmark (not a test: it asserts no time, it only measures).

usage: run_bench.py BRIDGEPLAN [STATIC_BRIDGEPLAN] [--reference OLD_BRIDGEPLAN]

Every figure is CPU time (user + system, from the kernel's accounting of
each finished process), never wall time: the machine may be shared. Runs
that are compared are made in turn, A B A B ..., and the ratio is taken
pair by pair; the median is quoted with the smallest and largest ratio.

1. Start-up: CPU per run of a one-problem deck against /bin/true, for each
   build given.
2. Throughput on three deck shapes (the large bench deck, many small
   problems with abandoned ones among them, the examples repeated): report
   and plot bytes per CPU second; the ratio of bridgeplan's CPU to copying
   its output files (cat) and to writing as many bytes with no numbers in
   them (head -c from /dev/zero); peak resident memory.
3. Peak memory on a deck ten times the bench deck: it stays flat.

With --reference, the older program runs in turn with the newer one on the
same decks; their ratio is printed, and every run's report and plot must be
the same bytes (a difference is printed and the exit status is 1). The
examples are the exception: they may use cards or rules the older program
does not have, so where the repeated examples differ, the examples that
print otherwise are named instead.
"""
import filecmp
import os
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
TOP = HERE.parent
STARTUP_PAIRS = int(os.environ.get("BENCH_STARTUP_RUNS", "40"))
DECK_PAIRS = int(os.environ.get("BENCH_RUNS", "7"))
PROBLEMS = int(os.environ.get("BENCH_PROBLEMS", "60"))


def run(argv):
    """Runs argv to its end, its output thrown away; returns (cpu seconds,
    peak resident KB, exit status)."""
    env = dict(os.environ, SOURCE_DATE_EPOCH="1788172800")
    quiet = [(os.POSIX_SPAWN_OPEN, 0, os.devnull, os.O_RDONLY, 0),
             (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
             (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)]
    pid = os.posix_spawn(argv[0], argv, env, file_actions=quiet)
    _, status, usage = os.wait4(pid, 0)
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss, os.waitstatus_to_exitcode(status)


def peak_kb(argv):
    """The peak resident memory of argv in KB. A process started from this
    one inherits, at its exec, the resident high-water mark of the Python
    process it came from, so the kernel's figure for it is never below
    Python's; GNU time forks from a small process of its own and reports the
    program's true peak. Without it, the figure is an upper bound."""
    if not Path("/usr/bin/time").exists():
        return run(argv)[1]
    with tempfile.NamedTemporaryFile("r") as out:
        run(["/usr/bin/time", "-o", out.name, "-f", "%M"] + argv)
        return int(out.read().split()[-1])


def in_turn(a, b, pairs):
    """Runs a() and b() in turn; returns their CPU lists and the ratio list."""
    a(), b()   # warm-up: files cached, pages mapped
    ta, tb = [], []
    for _ in range(pairs):
        ta.append(a())
        tb.append(b())
    return ta, tb, [x / y for x, y in zip(ta, tb) if y > 0]


def spread(values, unit=""):
    return (f"{statistics.median(values):.3g}{unit} "
            f"(from {min(values):.3g} to {max(values):.3g})")


def startup(builds, work):
    deck = str(TOP / "examples" / "simple_curve.deck")
    print(f"start-up: one-problem deck ({Path(deck).name}), {STARTUP_PAIRS} runs in turn with /bin/true")
    for name, exe in builds:
        a = lambda: run([exe, "--force", deck, f"{work}/one.rpt", f"{work}/one.plt"])[0]
        b = lambda: run(["/bin/true"])[0]
        ta, tb, ratio = in_turn(a, b, STARTUP_PAIRS)
        print(f"  {name:<22} {statistics.median(ta) * 1e3:6.2f} ms CPU per run, /bin/true "
              f"{statistics.median(tb) * 1e3:5.2f} ms: {spread(ratio, 'x')} /bin/true")


def differing(mine, theirs):
    """The pairs of files, this program's beside the older one's, that are
    not the same bytes."""
    return [(a, b) for a, b in zip(mine, theirs) if not filecmp.cmp(a, b, shallow=False)]


def same_output(exe, reference, deck, work):
    """True when the older program gives the same report and plot bytes as
    this one for the deck."""
    outputs = []
    for name, program in (("run", exe), ("ref", reference)):
        rpt, plt = f"{work}/{name}-one.rpt", f"{work}/{name}-one.plt"
        run([program, "--force", str(deck), rpt, plt])
        outputs.append((rpt, plt))
    return not differing(*outputs)


def error_records(report):
    """The problems a report says were abandoned: one ERROR record each."""
    with open(report, "rb") as text:
        return sum(1 for line in text if line.startswith(b"ERROR"))


def make_decks(work):
    """The three shapes by name, each as (deck, examples whose bytes are
    compared only one by one)."""
    decks = {}
    make = [sys.executable, str(HERE / "make_deck.py")]
    with open(f"{work}/bench.deck", "w") as out:
        subprocess.run(make + [str(PROBLEMS)], stdout=out, check=True)
    decks["bench deck (span-heavy)"] = (f"{work}/bench.deck", [])
    with open(f"{work}/small.deck", "w") as out:
        subprocess.run(make + ["--small", str(PROBLEMS * 50)], stdout=out, check=True)
    decks["small problems, errors"] = (f"{work}/small.deck", [])
    examples = sorted((TOP / "examples").glob("*.deck"))
    # A "9" card ends the run: an example that closes with one has it
    # left off here, so that every copy of every example is run.
    texts = []
    for deck in examples:
        lines = deck.read_text().splitlines(keepends=True)
        while lines and lines[-1].rstrip("\r\n") == "9":
            lines.pop()
        texts.append("".join(lines))
    with open(f"{work}/examples.deck", "w") as out:
        for _ in range(200):
            out.write("".join(texts))
    decks["examples x 200"] = (f"{work}/examples.deck", examples)
    return decks


def throughput(exe, decks, work, reference):
    print(f"throughput: {DECK_PAIRS} runs of each in turn; CPU medians")
    same = True
    for name, (deck, parts) in decks.items():
        rpt, plt = f"{work}/run.rpt", f"{work}/run.plt"
        a = lambda: run([exe, "--force", deck, rpt, plt])
        cpu, _, status = a()
        peak = peak_kb([exe, "--force", deck, rpt, plt])
        size = os.path.getsize(rpt) + os.path.getsize(plt)
        copy = lambda: run(["/bin/sh", "-c", f"cat {rpt} {plt} > {work}/copy.out"])[0]
        blank = lambda: run(["/bin/sh", "-c", f"head -c {size} /dev/zero > {work}/blank.out"])[0]
        ta, tcopy, rcopy = in_turn(lambda: a()[0], copy, DECK_PAIRS)
        _, tblank, rblank = in_turn(lambda: a()[0], blank, DECK_PAIRS)
        cpu = statistics.median(ta)
        print(f"  {name}: {size / 1e6:.1f} MB of report and plot, exit status {status}")
        print(f"    {size / cpu / 1e6:8.1f} MB per CPU second ({cpu:.3f} s CPU), peak memory {peak / 1024:.1f} MB")
        print(f"    against copying the output:          {spread(rcopy, 'x')}")
        print(f"    against writing as many blank bytes: {spread(rblank, 'x')}")
        if reference:
            ref_rpt, ref_plt = f"{work}/ref.rpt", f"{work}/ref.plt"
            b = lambda: run([reference, "--force", deck, ref_rpt, ref_plt])[0]
            tn, to, ratio = in_turn(lambda: a()[0], b, DECK_PAIRS)
            speedup = [1 / r for r in ratio]
            print(f"    against the reference: {spread(speedup, 'x')} as fast "
                  f"(CPU {statistics.median(tn):.3f} s against {statistics.median(to):.3f} s), "
                  f"peak memory {peak_kb([reference, '--force', deck, ref_rpt, ref_plt]) / 1024:.1f} MB")
            differs = differing((rpt, plt), (ref_rpt, ref_plt))
            # The examples use cards and rules an older program may not have
            # (a fault mended since prints otherwise by design): their bytes
            # are compared deck by deck and the ones that differ are named.
            # The two programs then time different work: a problem whose
            # cards the older one does not read is abandoned there.
            otherwise = [example.name for example in parts
                         if not same_output(exe, reference, example, work)] if differs else []
            if otherwise:
                print(f"    bytes not compared: {len(otherwise)} of {len(parts)} examples print otherwise "
                      f"in the reference ({', '.join(otherwise)}); it abandons {error_records(ref_rpt)} "
                      f"problems against {error_records(rpt)}, so the ratio compares different work")
            else:
                for mine, theirs in differs:
                    print(f"    DIFFERENT OUTPUT: {mine} and {theirs} are not the same bytes")
                    same = False
    return same


def flat_memory(exe, work):
    deck = f"{work}/large.deck"
    with open(deck, "w") as out:
        subprocess.run([sys.executable, str(HERE / "make_deck.py"), str(PROBLEMS * 10)], stdout=out, check=True)
    small_peak = peak_kb([exe, "--force", f"{work}/bench.deck", f"{work}/run.rpt", f"{work}/run.plt"])
    large_peak = peak_kb([exe, "--force", deck, f"{work}/run.rpt", f"{work}/run.plt"])
    print(f"memory: peak {small_peak / 1024:.1f} MB on {PROBLEMS} problems, "
          f"{large_peak / 1024:.1f} MB on {PROBLEMS * 10}")


def main():
    args = sys.argv[1:]
    reference = None
    if "--reference" in args:
        at = args.index("--reference")
        reference = str(Path(args[at + 1]).resolve())
        del args[at:at + 2]
    if not args:
        sys.exit(__doc__)
    builds = [("bridgeplan", str(Path(args[0]).resolve()))]
    if len(args) > 1 and Path(args[1]).exists():
        builds.append(("bridgeplan (static)", str(Path(args[1]).resolve())))
    if reference:
        builds.append(("reference", reference))
    with tempfile.TemporaryDirectory(prefix="bridgeplan-bench-") as work:
        startup(builds, work)
        decks = make_decks(work)
        same = throughput(builds[0][1], decks, work, reference)
        flat_memory(builds[0][1], work)
    sys.exit(0 if same else 1)


if __name__ == "__main__":
    main()
