#!/usr/bin/env python3
"""The house's floors, checked on every project include.

Each folder may include its own headers and those of the folders its floor
allows (CONTRIBUTING.md, "The house"); an include that runs back up a floor
fails the test with the file, the line and the rule it breaks.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2])

# Folder -> the folders besides itself whose headers it may include.
BELOW = {
    "bridgeplan": set(),
    "run": {"bridgeplan"},
    "alignment": {"bridgeplan", "run"},
    "solver": {"bridgeplan", "alignment"},
    "plot": {"bridgeplan", "run"},
    "layout": {"bridgeplan", "run", "alignment", "solver", "plot"},
    "output": set(),
    "render": set(),
    "drawing": {"bridgeplan", "run", "alignment", "solver", "output"},
    "landxml": {"bridgeplan", "run", "alignment"},
    "import": {"run"},
}
# The run context carries the whole run; the floors that answer questions by
# value (the roadway cards and geometry, the solver) are handed what they
# work on instead.
NO_RUN_CONTEXT = {"alignment", "solver"}
RUN_CONTEXT = "run/run_context.hpp"
# The driver and the dialogue own the run: they stand on top of every floor.
TOP = {"src/run/driver.cpp", "src/run/driver.hpp", "src/run/dialogue.cpp", "src/run/dialogue.hpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"(([^"/]+)/[^"]+)"')


def folder_of(path):
    rel = path.relative_to(ROOT).as_posix()
    if rel.startswith("include/bridgeplan/"):
        return rel, "bridgeplan"
    return rel, rel.split("/")[1]


def main():
    sources = sorted(p for d in ("src", "include") for p in (ROOT / d).rglob("*") if p.suffix in (".cpp", ".hpp"))
    if len(sources) < 50:
        print(f"only {len(sources)} sources found under {ROOT}: wrong root?")
        return 1
    broken = []
    for path in sources:
        rel, folder = folder_of(path)
        if rel in TOP:
            continue
        if folder not in BELOW:
            broken.append(f"{rel}: the folder {folder}/ has no floor in the house; give it one")
            continue
        for number, line in enumerate(path.read_text().splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            if m.group(2) != folder and m.group(2) not in BELOW[folder]:
                broken.append(f"{rel}:{number}: {folder}/ may not include {m.group(2)}/ ({line.strip()})")
            elif folder in NO_RUN_CONTEXT and m.group(1) == RUN_CONTEXT:
                broken.append(f"{rel}:{number}: {folder}/ is handed what it works on, not the run context")
    for b in broken:
        print(b)
    print(f"{len(sources)} sources, {len(broken)} includes against the floors")
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
