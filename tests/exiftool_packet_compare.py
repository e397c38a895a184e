#!/usr/bin/env python3
"""Compares the fields tagsift chooses from XMP and IPTC (-e -f keywords,...)
with exiftool -XMP:all -IPTC:all over the sample folders.

Usage: exiftool_packet_compare.py TAGSIFT KNOWN_DIFFERENCES FOLDER...

exiftool runs with -G1 -n -j and -charset iptc=latin1 (the character set IPTC
text is read in where dataset 1:90 does not name UTF-8). A field's exiftool
value is its first XMP tag present, else its IPTC dataset, as tagsift chooses;
lists are joined with ", ". exiftool shows XMP dates in EXIF's form even with
-n ("2005:12:17 22:03:32Z"), so both sides' dates are compared in that form;
coordinates agree within 1e-6 degrees. Every difference must be listed in
KNOWN_DIFFERENCES, and every line there must still occur. Exit status 0 when
they match, 1 when not, 77 (skipped) without exiftool or a sample folder.
"""

import csv
import io
import json
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from exiftool_compare import load_known  # noqa: E402

SKIP = 77

# tagsift's field, then exiftool's tags in the order tagsift reads them.
# (The IPTC Extension's location is shown by exiftool under names of its own.)
FIELDS = {
    "keywords": ["XMP-dc:Subject", "IPTC:Keywords"],
    "rating": ["XMP-xmp:Rating"],
    "label": ["XMP-xmp:Label"],
    "title": ["XMP-dc:Title", "IPTC:ObjectName"],
    "caption": ["XMP-dc:Description", "IPTC:Caption-Abstract"],
    "creator": ["XMP-dc:Creator", "IPTC:By-line"],
    "rights": ["XMP-dc:Rights", "IPTC:CopyrightNotice"],
    "city": ["XMP-photoshop:City", "XMP-iptcExt:LocationCreatedCity", "IPTC:City"],
    "state": ["XMP-photoshop:State", "XMP-iptcExt:LocationCreatedProvinceState", "IPTC:Province-State"],
    "country": ["XMP-photoshop:Country", "XMP-iptcExt:LocationCreatedCountryName",
                "IPTC:Country-PrimaryLocationName"],
    "headline": ["XMP-photoshop:Headline", "IPTC:Headline"],
    "xmp-create-date": ["XMP-xmp:CreateDate"],
    "xmp-modify-date": ["XMP-xmp:ModifyDate"],
    "xmp-gps-lat": ["XMP-exif:GPSLatitude"],
    "xmp-gps-long": ["XMP-exif:GPSLongitude"],
}
DATES = {"xmp-create-date", "xmp-modify-date"}
COORDINATES = {"xmp-gps-lat", "xmp-gps-long"}
ISO_DATE = re.compile(r"^(\d{4})-(\d\d)(?:-(\d\d))?(?:T(\d\d:\d\d(?::\d\d(?:\.\d+)?)?))?(.*)$")


def exif_form(date):
    """An ISO 8601 date as exiftool prints an XMP date."""
    m = ISO_DATE.match(date)
    if not m:
        return date
    text = "%s:%s" % (m.group(1), m.group(2)) + (":" + m.group(3) if m.group(3) else "")
    if m.group(4):
        time = m.group(4) + (":00" if len(m.group(4)) == 5 else "")
        text += " " + time
    return text + m.group(5)


def text_of(value):
    if isinstance(value, list):
        return ", ".join(text_of(v) for v in value)
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return str(value)


def theirs_of(record):
    # exiftool -G1 names a file's second IPTC block IPTC2 (and so on): the first found counts.
    numbered = {}
    for key, value in record.items():
        numbered.setdefault(re.sub(r"^IPTC\d+:", "IPTC:", key), value)
    record = numbered
    out = {}
    for field, tags in FIELDS.items():
        for tag in tags:
            if tag in record:
                # The list style shows an empty value as nothing, as it shows a missing one.
                if text_of(record[tag]) != "":
                    out[field] = text_of(record[tag])
                break
    return out


def ours_of(tagsift, files):
    """{path: {field: value}} from one run of the list style with tabs."""
    names = ["file-name-full"] + list(FIELDS)
    run = subprocess.run([tagsift, "-e", "-q", "-o", "lh", "-c", "t", "-f", ",".join(names)] + files,
                         capture_output=True, check=False)
    rows = list(csv.reader(io.StringIO(run.stdout.decode("utf-8", "replace")), delimiter="\t"))
    out = {}
    for row in rows[1:]:
        values = dict(zip(names[1:], row[1:]))
        out[row[0]] = {k: v for k, v in values.items() if v != ""}
    return out


def agree(field, ours, theirs):
    if field in COORDINATES:
        try:
            return abs(float(ours) - float(theirs)) < 1e-6
        except ValueError:
            return False
    if field in DATES:
        return exif_form(ours) == theirs
    return ours == theirs


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    tagsift, known_path, folders = sys.argv[1], sys.argv[2], sys.argv[3:]
    for folder in folders:
        if not os.path.isdir(folder):
            print("SKIP: no sample folder at " + folder)
            return SKIP
    if shutil.which("exiftool") is None:
        print("SKIP: exiftool is not installed")
        return SKIP
    known = load_known(known_path, list(FIELDS) + ["*"])
    top = os.path.dirname(os.path.abspath(folders[0]))
    files = sorted(os.path.join(d, n) for folder in folders for d, _, ns in os.walk(folder) for n in ns
                   if not n.lower().endswith((".md", ".txt", ".xmp")))
    run = subprocess.run(["exiftool", "-q", "-q", "-G1", "-n", "-j", "-charset", "iptc=latin1",
                          "-XMP:all", "-IPTC:all"] + files, capture_output=True, check=False)
    theirs_by_file = {r["SourceFile"]: theirs_of(r) for r in json.loads(run.stdout or b"[]")}
    ours_by_file = ours_of(tagsift, files)

    compared = explained = 0
    failures, seen = [], set()
    for path in files:
        name = os.path.relpath(os.path.abspath(path), top)
        theirs = theirs_by_file.get(path, {})
        if path not in ours_by_file:
            found = {"*": "tagsift lists no line for the file"} if theirs else {}
        else:
            ours = ours_by_file[path]
            found = {}
            for field in FIELDS:
                a, b = ours.get(field), theirs.get(field)
                if a is None and b is None:
                    continue
                compared += 1
                if a is None or b is None or not agree(field, a, b):
                    found[field] = "tagsift %r, exiftool %r" % (a, b)
        for field, shown in found.items():
            reason = known.get((name, field))
            seen.add((name, field))
            if reason is None:
                failures.append("unexplained difference: %s %s: %s" % (name, field, shown))
            else:
                explained += 1
    for entry in sorted(set(known) - seen):
        failures.append("listed difference no longer occurs: %s %s" % entry)
    for failure in failures:
        print(failure)
    print("%d files, %d values compared, %d known differences, %d unexplained"
          % (len(files), compared, explained, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
