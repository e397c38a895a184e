#!/usr/bin/env python3
"""Reads what tagsift -o j and -o d wrote for the same files back the way a
script and a database would, and compares them.

Usage: rows_check.py JSON_FILE DATABASE

Each JSON line must parse strictly (no NaN); the table pictures of DATABASE
must hold one row per line, keyed by file_name_full, with the line's values
(a missing error member is NULL), and each column one storage type besides
NULL. Prints each difference; exit status 1 when there is one.
"""

import json
import math
import sqlite3
import sys


def no_constants(name):
    raise ValueError("not JSON: " + name)


def same(ours, theirs):
    if isinstance(ours, float) or isinstance(theirs, float):
        return theirs is not None and ours is not None and math.isclose(ours, theirs, rel_tol=1e-15)
    return ours == theirs


def main():
    json_file, database = sys.argv[1], sys.argv[2]
    with open(json_file, "rb") as f:
        records = [json.loads(line.decode("utf-8"), parse_constant=no_constants) for line in f.read().splitlines()]
    connection = sqlite3.connect(database)
    cursor = connection.execute("SELECT * FROM pictures")
    names = [d[0] for d in cursor.description]
    rows = {row[0]: dict(zip(names, row)) for row in cursor.fetchall()}
    problems = [] if len(rows) == len(records) else [f"{len(rows)} rows for {len(records)} JSON lines"]
    for record in records:
        row = rows.get(record["file_name_full"], {})
        for name in names:
            if not same(record.get(name), row.get(name)):
                problems.append(f"{record['file_name_full']}: {name} is {record.get(name)!r} in JSON, "
                                f"{row.get(name)!r} in the database")
    for name in names:
        kinds = connection.execute(f'SELECT DISTINCT typeof("{name}") FROM pictures').fetchall()
        if len({k for (k,) in kinds} - {"null"}) > 1:
            problems.append(f"column {name} holds {kinds}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
