#!/usr/bin/python3
"""No file is ever lost: the real programs, run in a scratch folder on the
ordinary mistakes of a user, a full disk, signals and simultaneous runs.

Every case takes the checksum of every file in its folder before and after
the run, and checks the exit status and the message.

    data_safety_test.py BRIDGEPLAN BRIDGEPLAN-RENDER DECK OTHER-DECK
"""
import hashlib
import os
import resource
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time

failures = []
cases = []
ROOT = None   # the scratch folder of the whole suite
ENV = dict(os.environ, SOURCE_DATE_EPOCH="1788172800")


def fail(case, what):
    failures.append(f"{case}: {what}")
    print(f"FAILED: {case}: {what}", file=sys.stderr)


def snapshot(folder):
    """Every entry of the folder: its kind and, for a file, its checksum and mode."""
    seen = {}
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            rel = os.path.relpath(path, folder)
            st = os.lstat(path)
            if stat.S_ISLNK(st.st_mode):
                seen[rel] = ("link", os.readlink(path))
            elif stat.S_ISREG(st.st_mode):
                with open(path, "rb") as f:
                    seen[rel] = ("file", hashlib.sha256(f.read()).hexdigest(), stat.S_IMODE(st.st_mode))
            else:
                seen[rel] = ("other", stat.S_IFMT(st.st_mode))
    return seen


def unfinished(folder):
    return [n for n in os.listdir(folder) if ".unfinished-" in n]


def run(args, cwd, stdin=None, preexec=None, env=ENV, timeout=20):
    try:
        r = subprocess.run(args, cwd=cwd, input=stdin, capture_output=True, env=env,
                           preexec_fn=preexec, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, "", f"still running after {timeout} s (stopped)"
    return r.returncode, r.stdout.decode(errors="replace"), r.stderr.decode(errors="replace")


class Case:
    """A scratch folder with the deck in it; `check` runs and judges."""

    def __init__(self, name, deck):
        self.name = name
        self.dir = tempfile.mkdtemp(prefix="case-", dir=ROOT)
        with open(deck, "rb") as src, open(os.path.join(self.dir, "deck"), "wb") as dst:
            dst.write(src.read())
        cases.append(name)

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, text):
        with open(self.path(name), "w") as f:
            f.write(text)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def check(self, args, status, message=None, unchanged=True, stdin=None, preexec=None,
              env=ENV):
        before = snapshot(self.dir)
        got, out, err = run(args, self.dir, stdin, preexec, env)
        label = f"{self.name} [{' '.join(args[1:])}]"
        if got != status:
            fail(label, f"exit status {got}, expected {status}; stderr: {err.strip()}")
        if message and message not in err:
            fail(label, f"no \"{message}\" on stderr: {err.strip()}")
        if unchanged and snapshot(self.dir) != before:
            fail(label, f"the folder changed: {sorted(set(snapshot(self.dir).items()) ^ set(before.items()))}")
        if unfinished(self.dir):
            fail(label, f"temporaries left: {unfinished(self.dir)}")
        return out, err


def file_size_limit(blocks):
    def limit():
        resource.setrlimit(resource.RLIMIT_FSIZE, (blocks * 512, blocks * 512))
    return limit


def names_and_links(exe, deck):
    """An output that is the deck, however it is named, or outputs naming one another."""
    c = Case("the deck as an output", deck)
    os.link(c.path("deck"), c.path("hard"))
    os.symlink("deck", c.path("soft"))
    os.mkdir(c.path("sub"))
    for args in (["deck", "deck"], ["deck", "./deck"], ["deck", "hard"], ["deck", "soft"],
                 ["deck", "sub/../deck"], ["deck", "r.rpt", "deck"], ["deck", "r.rpt", "soft"],
                 ["--points", "deck", "deck", "r.rpt"], ["--points", "hard", "deck", "r.rpt"]):
        c.check([exe, "--force"] + args, 2, "is the input deck")
    c.check([exe], 2, "is the input deck", stdin=b"deck\ndeck\nY\n\n")
    c.check([exe], 2, "is the input deck", stdin=b"deck\nr.rpt\nsoft\nY\n")

    c = Case("outputs naming one another", deck)
    c.write("old.rpt", "an old report\n")
    os.symlink("old.rpt", c.path("link.rpt"))
    for args in (["deck", "same.out", "same.out"], ["deck", "same.out", "./same.out"],
                 ["--points", "old.rpt", "deck", "old.rpt"], ["deck", "old.rpt", "link.rpt"],
                 ["--points", "x.csv", "deck", "r.rpt", "x.csv"]):
        c.check([exe, "--force"] + args, 2, "are the same file")
    c.check([exe], 2, "are the same file", stdin=b"deck\nold.rpt\nY\nlink.rpt\nY\n")


def refusals_touch_nothing(exe, deck):
    """The points file, the report and the plot stay as they were whenever the run is refused."""
    c = Case("refused runs", deck)
    c.write("points.csv", "kept,points\r\n")
    c.write("report.rpt", "kept report\n")
    c.write("plot.plt", "kept plot\n")
    c.check([exe, "--force", "--points", "points.csv", "no-such-deck", "report.rpt"], 2, "no such file")
    c.check([exe, "--force", "--points", "points.csv", "deck", "no/such/folder.rpt"], 2, "no such folder")
    c.check([exe, "--force", "--points", "points.csv", "deck", "report.rpt", "missing/plot.plt"], 2,
            "no such folder")
    c.check([exe, "--force", "deck", "report.rpt", "p" * 300], 2, "the name is too long")
    c.check([exe, "--points", "points.csv", "deck", "fresh.rpt"], 2, "use --force")
    c.check([exe, "deck", "report.rpt"], 2, "use --force")
    c.check([exe, "--force", "--points", "points.csv"], 2, stdin=b"deck\nreport.rpt\nN\n")
    c.check([exe, "--force", "--points", "points.csv"], 2, stdin=b"deck\nreport.rpt\nY\nplot.plt\n\n")
    c.check([exe, "--points", "new.csv"], 2, stdin=b"deck\n")
    c.check([exe, "--points", "points.csv", "deck", "fresh.rpt"], 2, "points file")
    c.check([exe, "--no-such-option"], 2)
    c.check([exe, "deck"], 2, "name the report")
    c.check([exe, "deck", "a", "b", "c"], 2)
    # Without --force, a mistyped deck leaves no header-only points file behind.
    c.check([exe, "--points", "new.csv", "no-such-deck", "new.rpt"], 2)

    # A folder the run may not write in (not for the superuser, who may).
    if os.geteuid() == 0:
        print("skipped: a read-only folder (the suite runs as the superuser)")
    else:
        os.mkdir(c.path("locked"))
        c.write("locked/report.rpt", "kept\n")
        os.chmod(c.path("locked"), 0o555)
        c.check([exe, "--force", "deck", "locked/report.rpt"], 2, "permission denied")
        os.chmod(c.path("locked"), 0o755)

    c = Case("inputs that are not decks", deck)
    os.mkdir(c.path("folder"))
    os.mkfifo(c.path("fifo"))
    for name, words in (("folder", "is a directory"), ("fifo", "FIFO"), ("/dev/null", "device"),
                        ("d" * 300, "the name is too long"), ("no-such-deck", "no such file")):
        c.check([exe, "--force", name, "out.rpt"], 2, words)
    c.check([exe], 2, "is a directory", stdin=b"folder\nout.rpt\n\n")


def whole_runs(exe, deck, other):
    """Runs that finish: no scratch file anywhere, permissions kept, links followed."""
    c = Case("finished runs", deck)
    c.write("report.rpt", "old\n")
    os.chmod(c.path("report.rpt"), 0o640)
    os.symlink("target.plt", c.path("link.plt"))
    c.write("target.plt", "old plot\n")
    scratch = os.path.join(c.dir, "tmp")
    os.mkdir(scratch, 0o500)
    env = dict(ENV, TMPDIR=scratch)
    c.check([exe, "--force", "--points", "p.csv", "deck", "report.rpt", "link.plt"], 0,
            unchanged=False, env=env)
    if stat.S_IMODE(os.stat(c.path("report.rpt")).st_mode) != 0o640:
        fail(c.name, "the replaced report lost its permissions")
    if not os.path.islink(c.path("link.plt")) or not c.read("target.plt").startswith(b"DID/"):
        fail(c.name, "the plot was not written through the symbolic link")
    if os.listdir(scratch):
        fail(c.name, f"something was written in TMPDIR: {os.listdir(scratch)}")
    # No plot asked for, TMPDIR missing: the run is not troubled.
    c.check([exe, "--force", "deck", "report.rpt"], 0, unchanged=False,
            env=dict(ENV, TMPDIR=os.path.join(c.dir, "missing")))
    # Answered Y in the dialogue: replaced, and an abandoned problem gives 3.
    with open(c.path("bad"), "w") as f:
        f.write("*B020001A TITLE\n9\n")
    c.check([exe], 3, unchanged=False, stdin=b"bad\nreport.rpt\nY\n\n")
    if b"PROB. NO. 0001" not in c.read("report.rpt"):
        fail(c.name, "the dialogue's Y did not replace the report")
    # A deck that ends inside a problem keeps what was written.
    with open(c.path("deck"), "rb") as f:
        text = f.read()
    with open(c.path("cut"), "wb") as f:
        f.write(text[: len(text) // 2].rsplit(b"\n", 1)[0] + b"\n")
    c.check([exe, "--force", "cut", "report.rpt", "cut.plt"], 1, "cut short", unchanged=False)
    if b"QUORVEN" not in c.read("report.rpt") or not os.path.exists(c.path("cut.plt")):
        fail(c.name, "a deck cut short did not keep what was written")


def full_disk(exe, deck):
    """A file size limit stops the writing midway: every existing file stays whole."""
    c = Case("a full disk", deck)
    c.write("report.rpt", "old report\n")
    c.write("plot.plt", "old plot\n")
    c.write("points.csv", "old,points\r\n")
    for blocks in (1, 8, 20):
        c.check([exe, "--force", "--points", "points.csv", "deck", "report.rpt", "plot.plt"], 1,
                "could not be written in full", preexec=file_size_limit(blocks))
    c.check([exe, "--force", "deck", "fresh.rpt", "fresh.plt"], 1, "could not be written in full",
            preexec=file_size_limit(4))
    c.check([exe, "--force", "deck", "/dev/full"], 1, "could not be written in full")
    tmpfs(exe, deck)


def tmpfs(exe, deck):
    """A small file system that really fills, where one can be mounted."""
    mount = tempfile.mkdtemp(prefix="safety-tmpfs-")
    r = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=24k", "tmpfs", mount], capture_output=True)
    if r.returncode != 0:
        print(f"skipped: a full tmpfs (cannot mount one here: {r.stderr.decode().strip()})")
        os.rmdir(mount)
        return
    try:
        with open(os.path.join(mount, "report.rpt"), "w") as f:
            f.write("old report\n")
        before = snapshot(mount)
        got, _, err = run([exe, "--force", os.path.abspath(deck), "report.rpt", "plot.plt"], mount)
        if got != 1 or "the disk is full" not in err:
            fail("a full tmpfs", f"exit status {got}: {err.strip()}")
        if snapshot(mount) != before:
            fail("a full tmpfs", "the folder changed")
        cases.append("a full tmpfs")
    finally:
        subprocess.run(["umount", mount])
        os.rmdir(mount)


def big_deck(c, deck, copies):
    with open(deck) as f:
        problem = f.read()
    with open(c.path("big"), "w") as f:
        f.write(problem * copies)


def signals(exe, deck):
    """A run stopped midway removes its temporaries; SIGKILL leaves at most one, clearly named."""
    c = Case("signals", deck)
    big_deck(c, deck, 1500)
    c.write("report.rpt", "old report\n")
    c.write("plot.plt", "old plot\n")
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP, signal.SIGKILL):
        before = snapshot(c.dir)
        p = subprocess.Popen([exe, "--force", "--points", "p.csv", "big", "report.rpt", "plot.plt"],
                             cwd=c.dir, env=ENV, stderr=subprocess.DEVNULL)
        # Signalled once the report is being written: a block is out.
        deadline = time.time() + 20
        while p.poll() is None and time.time() < deadline and not any(
                os.path.getsize(c.path(n)) > 0 for n in unfinished(c.dir) if os.path.exists(c.path(n))):
            time.sleep(0.001)
        if p.poll() is not None:
            fail(c.name, f"{sig.name}: the run ended before the signal; make the deck bigger")
            continue
        p.send_signal(sig)
        status = p.wait()
        left = unfinished(c.dir)
        after = {k: v for k, v in snapshot(c.dir).items() if ".unfinished-" not in k}
        if after != before:
            fail(c.name, f"{sig.name}: an existing file changed or a new one appeared")
        if sig == signal.SIGKILL:
            if status != -signal.SIGKILL:
                fail(c.name, f"SIGKILL: status {status}")
            for name in left:
                os.unlink(c.path(name))
        else:
            if status != 128 + sig:
                fail(c.name, f"{sig.name}: exit status {status}, expected {128 + sig}")
            if left:
                fail(c.name, f"{sig.name}: temporaries left: {left}")
    # A run held while opening a FIFO for its plot: the report's temporary is there.
    os.mkfifo(c.path("fifo"))
    before = snapshot(c.dir)
    p = subprocess.Popen([exe, "--force", "deck", "report.rpt", "fifo"], cwd=c.dir, env=ENV,
                         stderr=subprocess.DEVNULL)
    deadline = time.time() + 10
    while not unfinished(c.dir) and time.time() < deadline:
        time.sleep(0.001)
    p.send_signal(signal.SIGTERM)
    if p.wait() != 128 + signal.SIGTERM or unfinished(c.dir) or snapshot(c.dir) != before:
        fail(c.name, "SIGTERM while opening a FIFO: not cleaned up")


def closed_standard_streams(exe, deck):
    """Diagnostics never land in an output file that took descriptor 2."""
    c = Case("closed standard streams", deck)
    with open(c.path("bad"), "w") as f:
        f.write("*B020001A TITLE\n9\n")

    def close(*fds):
        def closing():
            for fd in fds:
                os.close(fd)
        return closing

    for fds in ((2,), (1, 2), (0, 1, 2)):
        p = subprocess.run([exe, "--force", "--points", "p.csv", "bad", "r.rpt", "p.plt"], cwd=c.dir,
                           env=ENV, preexec_fn=close(*fds), stdout=subprocess.DEVNULL
                           if 1 not in fds else None, stderr=None, stdin=subprocess.DEVNULL
                           if 0 not in fds else None)
        if p.returncode != 3:
            fail(c.name, f"descriptors {fds} closed: exit status {p.returncode}")
        for name in ("p.csv", "r.rpt", "p.plt"):
            if b"bridgeplan:" in c.read(name):
                fail(c.name, f"descriptors {fds} closed: diagnostics written into {name}")


def simultaneous_runs(exe, deck, other, pairs):
    """Two runs on the same names: never both, never mixed."""
    c = Case("simultaneous runs", deck)
    with open(other, "rb") as src, open(c.path("other"), "wb") as dst:
        dst.write(src.read())
    expected = []
    for d in ("deck", "other"):
        run([exe, "--force", d, f"{d}.rpt", f"{d}.plt"], c.dir)
        expected.append((c.read(f"{d}.rpt"), c.read(f"{d}.plt")))
    both_won = mixed = 0
    for force in (False, True):
        for k in range(pairs):
            for n in ("r.rpt", "p.plt"):
                if os.path.exists(c.path(n)):
                    os.unlink(c.path(n))
            args = [exe] + (["--force"] if force else [])
            procs = [subprocess.Popen(args + [d, "r.rpt", "p.plt"], cwd=c.dir, env=ENV,
                                      stderr=subprocess.PIPE) for d in ("deck", "other")]
            statuses = [(p.wait(), p.stderr.read().decode()) for p in procs]
            for p in procs:
                p.stderr.close()
            result = (c.read("r.rpt"), c.read("p.plt"))
            if force:
                if [s for s, _ in statuses] != [0, 0] or result not in expected:
                    mixed += 1
            else:
                winners = [s for s, _ in statuses].count(0)
                if winners != 1:
                    both_won += 1
                elif result not in expected:
                    mixed += 1
                for s, e in statuses:
                    if s not in (0, 1, 2):
                        fail(c.name, f"a losing run exits {s}: {e.strip()}")
            if unfinished(c.dir):
                fail(c.name, f"temporaries left: {unfinished(c.dir)}")
                break
    if both_won:
        fail(c.name, f"both runs took the same names without --force in {both_won} of {pairs} pairs")
    if mixed:
        fail(c.name, f"a file of neither run or of both runs in {mixed} pairs")


def renderer(render, exe, deck):
    c = Case("the renderer", deck)
    run([exe, "--force", "deck", "r.rpt", "plot.plt"], c.dir)
    os.symlink("plot.plt", c.path("link.plt"))
    for args in (["plot.plt", "--format", "svg", "-o", "plot.plt"],
                 ["plot.plt", "--format", "dxf", "-o", "./link.plt"],
                 ["link.plt", "--format", "svg", "-o", "plot.plt"]):
        c.check([render] + args, 2, "is the plot file")
    c.check([render, "/dev/zero", "-o", "z.svg"], 2, "device")
    c.check([render, "plot.plt", "-o", "no/folder/x.svg"], 2, "no such folder")
    c.check([render, "plot.plt"], 2)
    # One endless line: refused without reading it all, in little memory.
    # (Outside the case's folder: its checksum would take long.)
    endless = os.path.join(ROOT, "endless.plt")
    with open(endless, "wb") as f:
        f.truncate(1 << 30)

    before = snapshot(c.dir)
    p = subprocess.Popen([render, endless, "-o", "e.svg"], cwd=c.dir, env=ENV,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = p.stderr.read().decode()
    _, status, usage = os.wait4(p.pid, 0)
    p.stderr.close()
    peak_mb = usage.ru_maxrss / 1024   # the most memory it held, whatever it was built with
    if os.waitstatus_to_exitcode(status) != 2 or "not a plot command file" not in err:
        fail(c.name, f"one endless line: exit {os.waitstatus_to_exitcode(status)}: {err.strip()}")
    if peak_mb > 200 or snapshot(c.dir) != before:
        fail(c.name, f"one endless line: {peak_mb:.0f} MB held, or the folder changed")
    c.write("old.svg", "an old drawing\n")
    c.check([render, "plot.plt", "-o", "old.svg"], 1, "could not be written in full",
            preexec=file_size_limit(2))
    c.check([render, "plot.plt", "-o", "old.svg"], 0, unchanged=False)
    if not c.read("old.svg").startswith(b"<?xml"):
        fail(c.name, "the drawing did not replace the old one")
    # Several problems: every drawing or none.
    with open(c.path("two.plt"), "wb") as f:
        f.write(c.read("plot.plt") * 2)
    c.write("two-1.svg", "old 1\n")
    c.check([render, "two.plt", "-o", "two.svg"], 1, "could not be written in full",
            preexec=file_size_limit(2))
    c.check([render, "two.plt", "-o", "two.svg"], 0, unchanged=False)
    if not os.path.exists(c.path("two-2.svg")):
        fail(c.name, "no two-2.svg")


def timed(what, *args):
    start = time.time()
    what(*args)
    print(f"{what.__name__}: {time.time() - start:.1f} s")


def main():
    global ROOT
    exe, render, deck, other = (os.path.abspath(a) for a in sys.argv[1:5])
    start = time.time()
    # A memory file system where there is one: the suite's thousands of
    # files are then not synced to a disk one by one.
    shm = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    scratch = tempfile.TemporaryDirectory(prefix="data-safety-", dir=shm)
    ROOT = scratch.name
    timed(names_and_links, exe, deck)
    timed(refusals_touch_nothing, exe, deck)
    timed(whole_runs, exe, deck, other)
    timed(full_disk, exe, deck)
    timed(signals, exe, deck)
    timed(closed_standard_streams, exe, deck)
    timed(simultaneous_runs, exe, deck, other, 50)
    timed(renderer, render, exe, deck)
    scratch.cleanup()
    print(f"{len(cases)} cases in {time.time() - start:.1f} s, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
