#!/usr/bin/env python3
"""Mutation testing: how many small faults planted in the program do the tests catch?

Usage: mutate.py [--count N] [--seed S] [--build DIR] [--jobs J] [--list]

Finds every place in the product sources (exif/, exif/format/, support/,
frontend/) where one of these operators applies, outside comments, strings and
preprocessor lines:
  relational   <  <=  >  >=  ==  !=   each turned into a neighbour
  arithmetic   a + b, a - b, a * b    + and - swapped, * turned into /
  logical      &&  ||                 swapped
  literal      an integer literal     plus or minus one
  negation     if (c)                 if (!(c))
  deletion     a statement line x = y; / f(x); / return ...;   removed
Then draws N of them with the seed, plants each in turn, rebuilds (a Release
build without link-time optimisation, in DIR, default build-mutate) and runs
ctest, stopping at the first failing test. A mutant that does not compile is
drawn again. Prints each result, then killed, survived and the score
(killed / (killed + survived)), and the diff of every survivor. The sources
are restored after each mutant, also when interrupted.

Some survivors are equivalent mutants (the program behaves the same); judge
them by their diff. --list prints the sites instead of running them.
--again LOG plants once more the survivors that an earlier run printed to LOG
(after a test was added, say) and scores them alone.
"""

import argparse
import os
import random
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_DIRS = ["exif", "exif/format", "support", "frontend"]
# The fuzz build replaces this file; a stop there cannot be reached by a test.
LEFT_OUT = {"support/fatal.cpp"}

RELATIONAL = {"<": ["<=", ">"], "<=": ["<", ">"], ">": [">=", "<"], ">=": [">", "<"], "==": ["!="], "!=": ["=="]}


def blank_literals(line, in_comment):
    """The line with comments and string and character literals blanked out
    (same length), and whether a block comment continues after it."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        if in_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_comment = False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_comment = True
            continue
        if c in "\"'":
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out), in_comment


def sites_in_line(code):
    """(column, length, replacement, operator) for each mutation of one line."""
    found = []
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or "template" in code or "operator" in code:
        return found
    for m in re.finditer(r"(?<![<>=!&|+\-*/%^])(<=|>=|==|!=|<|>)(?![<>=])", code):
        op = m.group(1)
        # < and > also open and close templates and casts: only with blanks around.
        if op in ("<", ">") and not (code[m.start() - 1:m.start()] == " " and code[m.end():m.end() + 1] == " "):
            continue
        for repl in RELATIONAL[op]:
            found.append((m.start(), len(op), repl, "relational"))
    for m in re.finditer(r"(?<=[\w)\]]) ([+\-*]) (?=[\w(])", code):
        op = m.group(1)
        repl = {"+": "-", "-": "+", "*": "/"}[op]
        found.append((m.start(1), 1, repl, "arithmetic"))
    for m in re.finditer(r"&&|\|\|", code):
        found.append((m.start(), 2, "||" if m.group(0) == "&&" else "&&", "logical"))
    for m in re.finditer(r"(?<![\w.])(0x[0-9A-Fa-f]+|\d+)([uUlL]*)(?![\w.])", code):
        text = m.group(1)
        value = int(text, 16) if text.startswith("0x") else int(text)
        for delta in (1, -1):
            if value + delta < 0:
                continue
            repl = hex(value + delta) if text.startswith("0x") else str(value + delta)
            found.append((m.start(1), len(text), repl, "literal"))
    m = re.match(r"(\s*(?:\}\s*else\s+)?(?:if|while)\s*)\((.*)\)(\s*\{?\s*)$", code)
    if m:
        found.append((len(m.group(1)), len(code) - len(m.group(1)) - len(m.group(3)), "(!" + code[len(m.group(1)):len(code) - len(m.group(3))] + ")", "negation"))
    if re.match(r"\s*(return\b[^;]*|[\w.\->\[\]]+\s*(=|\+=|-=|\|=|&=|\+\+|--)[^;]*|[\w:.\->]+\([^;]*\));\s*$", code) \
            and not re.match(r"\s*(const\s+)?[\w:<>]+[\s*&]+\w+\s*=", code):
        found.append((0, len(code), "", "deletion"))
    return found


def all_sites():
    sites = []
    for folder in SOURCE_DIRS:
        directory = os.path.join(ROOT, folder)
        for name in sorted(os.listdir(directory)):
            path = f"{folder}/{name}"
            if not name.endswith(".cpp") or path in LEFT_OUT:
                continue
            in_comment = False
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                for number, line in enumerate(f.read().split("\n"), 1):
                    code, in_comment = blank_literals(line, in_comment)
                    for column, length, repl, op in sites_in_line(code):
                        sites.append((path, number, column, length, repl, op))
    return sites


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kwargs)


def configure(build):
    result = run(["cmake", "-S", ".", "-B", build, "-DCMAKE_BUILD_TYPE=Release", "-DTAGSIFT_LTO=OFF"])
    if result.returncode != 0:
        sys.exit("mutate: cmake failed:\n" + result.stdout)


def try_mutant(site, build, jobs):
    """'killed', 'survived' or 'stillborn' (does not compile), and the diff line."""
    path, number, column, length, repl, _ = site
    full = os.path.join(ROOT, path)
    with open(full, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    before = lines[number - 1]
    after = before[:column] + repl + before[column + length:]
    lines[number - 1] = after
    diff = f"{path}:{number}\n  - {before.strip()}\n  + {after.strip() or '(deleted)'}"
    try:
        with open(full, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        if run(["cmake", "--build", build, "-j", str(jobs)]).returncode != 0:
            return "stillborn", diff
        tests = run(["ctest", "--test-dir", build, "-j", str(jobs), "--stop-on-failure", "--timeout", "300"])
        return ("survived" if tests.returncode == 0 else "killed"), diff
    finally:
        with open(full, "w", encoding="utf-8") as f:
            f.write(original)


def survivors_of(log):
    """The sites of the survivors a run printed ("survived: PATH:LINE", then the
    line before and after), each as (path, line, 0, length, replacement, "again")."""
    sites = []
    for path, number, before, after in re.findall(r"^survived: (\S+):(\d+)\n  - (.*)\n  \+ (.*)$", log, re.M):
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            line = f.read().split("\n")[int(number) - 1]
        if line.strip() != before:
            sys.exit("mutate: %s:%s is no longer %r" % (path, number, before))
        indent = line[:len(line) - len(line.lstrip())]
        sites.append((path, int(number), 0, len(line), "" if after == "(deleted)" else indent + after, "again"))
    return sites


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=45)
    parser.add_argument("--seed", type=int, default=11)
    parser.add_argument("--build", default="build-mutate")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--list", action="store_true", help="print the sites and stop")
    parser.add_argument("--again", metavar="LOG", help="plant the survivors of an earlier run's output")
    args = parser.parse_args()
    if args.again:
        with open(args.again, encoding="utf-8") as f:
            sites = survivors_of(f.read())
        args.count = len(sites)
        order = list(range(len(sites)))
    else:
        sites = all_sites()
        order = random.Random(args.seed).sample(range(len(sites)), len(sites))
    if args.list:
        for s in sites:
            print(f"{s[0]}:{s[1]}:{s[2]} {s[5]} -> {s[4]!r}")
        print(f"{len(sites)} sites")
        return 0
    configure(args.build)
    if run(["cmake", "--build", args.build, "-j", str(args.jobs)]).returncode != 0:
        sys.exit("mutate: the unmutated sources do not build")
    counts = {"killed": 0, "survived": 0, "stillborn": 0}
    survivors = []
    tried = 0
    for index in order:
        if counts["killed"] + counts["survived"] >= args.count:
            break
        result, diff = try_mutant(sites[index], args.build, args.jobs)
        tried += 1
        counts[result] += 1
        print(f"[{counts['killed'] + counts['survived']}/{args.count}] {result}: {diff.splitlines()[0]} "
              f"({sites[index][5]})", flush=True)
        if result == "survived":
            survivors.append(diff)
    # Leave the build as the sources are.
    run(["cmake", "--build", args.build, "-j", str(args.jobs)])
    scored = counts["killed"] + counts["survived"]
    print(f"\n{'again' if args.again else 'seed %d' % args.seed}: {counts['killed']} killed, {counts['survived']} survived, "
          f"{counts['stillborn']} did not compile; score {100.0 * counts['killed'] / max(scored, 1):.0f}%")
    for diff in survivors:
        print("\nsurvived: " + diff)
    return 0


if __name__ == "__main__":
    sys.exit(main())
