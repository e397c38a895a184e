#!/usr/bin/env python3
"""Reads what tagsift wrote for a batch of photos back the way a script or a
database would, and compares it with the list style's lines of the same run.

Usage: rows_check.py json LIST_FILE JSON_FILE
       rows_check.py sqlite LIST_FILE DATABASE COPIES

LIST_FILE holds the output of `tagsift -o lh -c t`. Each JSON line must be
UTF-8 that a strict parser takes (no raw control characters, no NaN), with the
header's names as keys, in order, and the list's values: bytes that are not
UTF-8 read as Latin-1, null where the list shows nothing. The table pictures
of DATABASE must hold the list's rows COPIES times over, in order. Prints each
difference; exit status 1 when there is one.
"""

import codecs
import csv
import io
import json
import sqlite3
import sys


def latin1_fallback(error):
    return error.object[error.start:error.start + 1].decode("latin-1"), error.start + 1


codecs.register_error("latin1-fallback", latin1_fallback)


def no_constants(name):
    raise ValueError("not JSON: " + name)


def read_list(path):
    """The header's names and each line's values (bytes), columns without a name left out."""
    with open(path, "rb") as f:
        lines = list(csv.reader(io.StringIO(f.read().decode("latin-1"), newline=""), delimiter="\t"))
    header = lines[0][:-1]  # every name is followed by the separator
    named = [i for i, name in enumerate(header) if name]
    rows = []
    for line in lines[1:]:
        line += [""] * (len(header) - len(line))  # a line ends after the file's last value
        rows.append([line[i].encode("latin-1") for i in named])
    return [header[i] for i in named], rows


def check_json(names, rows, path):
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    if lines.pop() != b"" or len(lines) != len(rows):
        return [f"{len(lines)} JSON lines for {len(rows)} list lines, or no line end at the end"]
    problems = []
    for number, (line, values) in enumerate(zip(lines, rows), 1):
        try:
            members = json.loads(line.decode("utf-8"), parse_float=str, parse_int=str,
                                 parse_constant=no_constants, object_pairs_hook=list)
        except ValueError as error:
            problems.append(f"line {number}: {error}: {line!r}")
            continue
        if [key for key, _ in members] != names:
            problems.append(f"line {number}: keys {[key for key, _ in members]}, header {names}")
        for (key, value), listed in zip(members, values):
            shown = listed.decode("utf-8", "latin1-fallback")
            if value != shown and not (value is None and shown == ""):
                problems.append(f"line {number}: {key} is {value!r} in JSON, {shown!r} in the list")
    return problems


def check_database(names, rows, path, copies):
    connection = sqlite3.connect(path)
    connection.text_factory = bytes
    cursor = connection.execute("SELECT * FROM pictures ORDER BY rowid")
    got = cursor.fetchall()
    expected = rows * copies
    problems = [] if len(cursor.description) == len(names) else [f"columns {cursor.description}, header {names}"]
    if len(got) != len(expected):
        problems.append(f"{len(got)} rows, {len(expected)} expected")
    for number, (row, values) in enumerate(zip(got, expected), 1):
        for name, value, listed in zip(names, row, values):
            text = b"" if value is None else value if isinstance(value, bytes) else str(value).encode()
            if text != listed:
                problems.append(f"row {number}: {name} is {value!r} in the database, {listed!r} in the list")
    return problems


def main():
    names, rows = read_list(sys.argv[2])
    if sys.argv[1] == "json":
        problems = check_json(names, rows, sys.argv[3])
    else:
        problems = check_database(names, rows, sys.argv[3], int(sys.argv[4]))
    for problem in problems[:20]:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
