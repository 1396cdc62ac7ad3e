#!/usr/bin/python3
"""Lists the code sections a conversion runs, in app/cli/hot-sections.txt, by
which the Linux converter's link puts that code side by side.

Usage: scripts/hot_code_order.py [BUILD_DIR]

BUILD_DIR defaults to build/ at the top of the repository and holds a release
build. The system maps a program's code in blocks of 64 KiB around each page
that runs, so code that runs spread over the whole program makes all of it
resident: gathered, a small conversion needs a third less of it. The
converter runs under valgrind's callgrind on each example alone, on all of
them as one batch and on a generated scan, twice into one report; every
function it ran is listed.
Run this again after large changes to the code: a function missing from the
list costs memory, never correctness.
"""

import glob
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import ROOT, write_export  # noqa: E402
from bench_scan import scan_lines  # noqa: E402

LIST = os.path.join(ROOT, "app", "cli", "hot-sections.txt")
HEADER = """\
# The code sections a conversion runs, for the linker to put side by side.
# Made by scripts/hot_code_order.py; a missing one costs memory, never
# correctness.
"""


def functions_run(profile, program):
    """The functions of `program` that a callgrind profile saw run."""
    objects, functions, names, current = {}, {}, set(), None
    with open(profile, errors="replace") as f:
        for line in f:
            m = re.match(r"^(c?ob|c?fn)=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
            if not m:
                continue
            kind, number, name = m.groups()
            table = objects if kind.endswith("ob") else functions
            if name is not None:
                table[number] = name
            if kind == "ob":
                current = objects[number]
            elif kind == "fn" and current == program:
                names.add(functions[number])
    return names


def sections_of(name):
    """The sections GCC puts a function's code in (-ffunction-sections)."""
    if name.startswith("0x") or name.startswith("("):
        return []
    if name.endswith(".cold"):
        return [".text.unlikely." + name[: -len(".cold")]]
    if name == "main" or name.startswith("_GLOBAL__sub_I_"):
        return [".text.startup." + name]
    # A constructor or destructor is defined once, as the base object's;
    # the complete object's is its alias.
    base = re.sub(r"([CD])1([EI])", r"\g<1>2\2", name, count=1)
    return [".text." + n for n in sorted({name, base})]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    converter = os.path.realpath(os.path.join(build, "bin", "ordelix-convert"))
    examples = sorted(glob.glob(os.path.join(ROOT, "examples", "*")))
    names = set()
    with tempfile.TemporaryDirectory() as work:
        scan = write_export(os.path.join(work, "scan.WSC"), scan_lines(1000, noisy=True))
        runs = [["-d", "{out}", path] for path in examples] + [["-d", "{out}"] + examples]
        # The scan twice into one report: the second run replaces it, as
        # converting again does.
        runs += [["-f", "-o", os.path.join(work, "scan.xlsx"), scan]] * 2
        for i, arguments in enumerate(runs):
            out = os.path.join(work, f"run{i}")
            os.mkdir(out)
            profile = os.path.join(work, f"profile{i}")
            subprocess.run(["valgrind", "--tool=callgrind", "--demangle=no",
                            f"--callgrind-out-file={profile}", converter]
                           + [a.format(out=out) for a in arguments],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
            names |= functions_run(profile, converter)
    sections = sorted({s for name in names for s in sections_of(name)})
    with open(LIST, "w") as f:
        f.write(HEADER + "".join(s + "\n" for s in sections))
    print(f"{len(names)} functions, {len(sections)} sections: {LIST}")


if __name__ == "__main__":
    main()
