#!/usr/bin/env python3
"""Compares the raw values of extended reading (tagsift -e -u) on real camera
files with those of an independent reader, exiftool -n.

Usage: exiftool_raw_compare.py TAGSIFT KNOWN_DIFFERENCES SAMPLES_DIR...

Every field that exiftool shows in IFD0, IFD1, the EXIF, GPS and
interoperability IFDs of the JPEG files is looked for in tagsift's listing
under the group of its IFD, by the tag that tagsift's catalogue (-e -l) gives
its label; every field tagsift lists in those groups is looked for in
exiftool's. A field missing on either side, an "Unknown Field" label, or a
value that no reading of tagsift's raw text makes equal to exiftool's, is a
difference. Every difference must be listed in KNOWN_DIFFERENCES with a
reason, and every listed one must still occur. Exit 0 when all is explained,
1 otherwise, 77 (skip) without a samples folder or exiftool.
"""

import json
import os
import re
import shutil
import subprocess
import sys

from exiftool_compare import load_known

SKIP = 77

# tagsift's group of each exiftool group.
GROUPS = {"IFD0": "Camera", "IFD1": "Thumbnail", "ExifIFD": "Image", "GPS": "GPS", "InteropIFD": "InterOp"}
# The groups of the XMP and IPTC properties, which follow the EXIF groups.
PACKET_GROUPS = {"XMP", "XMP (sidecar)", "IPTC"}
# Where a label is looked for when the field stands in another group's IFD.
SEARCH = ["Camera", "Image", "Thumbnail", "InterOp", "GPS"]
# The hex of a byte value stops after 249 bytes; other values are cut at 499
# characters, and a value that long is compared over the part shown. A list of
# values or bytes cut there ends with the cut mark after its last whole value.
HEX_BYTES = 249
TEXT_BOUND = 490
CUT_MARK = " ..."

BINARY = re.compile(r"^\(Binary data (\d+) bytes")
UNKNOWN = re.compile(r"^(?:Unknown )?Field 0x([0-9a-f]{4})")


def catalogue(tagsift):
    """{group: {description: tag}} from the catalogue of extended reading."""
    text = subprocess.run([tagsift, "-e", "-l"], capture_output=True, text=True, check=True).stdout
    groups, group = {}, None
    for line in text.split("\n"):
        if line and not line.startswith(" "):
            group = groups.setdefault(line.strip(), {})
        elif group is not None and re.match(r"^  \S+ +[0-9a-f]{4}  ", line):
            group[line[34:].strip()] = int(line[28:32], 16)
    return groups


def listing(text):
    """[(section, label, value)] of a readable listing, continuation lines joined."""
    records, section = [], None
    for line in text.split("\n"):
        if line.startswith("FILE: ") or line == "":
            continue
        if not line.startswith(" "):
            section = line.strip()
        elif line.startswith(" " * 29) and records and records[-1][0] == section:
            records[-1][2] += line[29:]
        elif len(line) >= 29 and line[27:29] == ": ":
            records.append([section, line[2:27].rstrip(), line[29:]])
    return records


def tag_of(names, section, label):
    m = UNKNOWN.match(label)
    if m:
        return int(m.group(1), 16)
    for group in [section] + SEARCH:
        if label in names.get(group, {}):
            return names[group][label]
    return None


def numbers(text):
    """The numbers of a blank-separated text (fractions divided), or None; a
    zero denominator, and exiftool's "undef" for it, read as infinity."""
    out = []
    for word in str(text).split():
        m = re.fullmatch(r"(-?\d+)/(-?\d+)", word)
        try:
            if word == "undef":
                out.append(float("inf"))
            elif m:
                den = int(m.group(2))
                out.append(int(m.group(1)) / den if den else float("inf"))
            else:
                out.append(float(word))
        except ValueError:
            return None
    return out or None


def texts_of_bytes(raw):
    """Readings of stored bytes as text: plain, UCS-2 either way, a comment after its 8-byte code."""
    found = set()
    for data in (raw, raw[8:] if len(raw) >= 8 else b""):
        found.add(data.decode("latin-1"))
        for codec in ("utf-8", "utf-16-le", "utf-16-be"):
            try:
                found.add(data.decode(codec))
            except UnicodeDecodeError:
                pass
    return {t.split("\0")[0].rstrip() for t in found}


def same_numbers(a, b):
    if a is None or b is None or len(a) != len(b):
        return False
    return all(x == y or abs(x - y) <= 1e-6 * max(1.0, abs(y)) for x, y in zip(a, b))


def text_matches(ours, theirs, cut):
    return ours == theirs or (cut and theirs.startswith(ours))


def agree(ours, theirs):
    """True when some reading of tagsift's raw text gives exiftool's value."""
    theirs_text = str(theirs)
    marked = ours.endswith(CUT_MARK)
    ours = ours[:-len(CUT_MARK)] if marked else ours
    is_hex = re.fullmatch(r"(?:[0-9a-f]{2})+", ours) is not None
    m = BINARY.match(theirs_text)
    if m:  # bytes in hex, or a long array of numbers exiftool does not show
        stored = int(m.group(1))
        return (is_hex and (len(ours) == 2 * stored or (marked and len(ours) < 2 * stored))) or \
            (not is_hex and bool(numbers(ours)))
    if is_hex and ours == theirs_text.lower():
        return True
    cut = (marked or len(ours) >= TEXT_BOUND) and not is_hex  # values cut at the bound: the part shown
    mine = numbers(ours)
    theirs_numbers = numbers(theirs_text)
    if mine and theirs_numbers and same_numbers(mine, theirs_numbers[:len(mine)] if cut else theirs_numbers):
        return True
    if text_matches(ours.rstrip(), theirs_text.rstrip(), cut):
        return True
    if is_hex:
        raw = bytes.fromhex(ours)
        if same_numbers(list(map(float, raw)), theirs_numbers):
            return True
        wanted = theirs_text.rstrip("\0").rstrip()
        return any(text_matches(t, wanted, marked or len(raw) >= HEX_BYTES) for t in texts_of_bytes(raw))
    units = numbers(ours)  # UCS-2 stored as SHORT values
    if units and all(0 <= u < 0x10000 and u == int(u) for u in units):
        return text_matches("".join(map(chr, map(int, units))).split("\0")[0], theirs_text, cut)
    return False


def first_number(text):
    found = numbers(text)
    return found[0] if found and len(found) == 1 else None


def degrees(ours, theirs):
    parts = numbers(ours)
    return parts is not None and len(parts) == 3 and same_numbers(
        [parts[0] + parts[1] / 60 + parts[2] / 3600], numbers(theirs))


def cfa_pattern(ours, theirs):
    if not re.fullmatch(r"(?:[0-9a-f]{2}){4,}", ours):
        return False
    raw = bytes.fromhex(ours)
    for order in ("little", "big"):
        size = [int.from_bytes(raw[0:2], order), int.from_bytes(raw[2:4], order)]
        if same_numbers(list(map(float, size + list(raw[4:]))), numbers(theirs)):
            return True
    return False


# Fields that exiftool converts even with -n, and the same conversion of
# tagsift's raw value: APEX values to seconds and f-numbers, GPS degrees,
# minutes and seconds to degrees, GPS times to h:m:s, the CFA pattern's
# structure to its numbers, and the thumbnail's offsets from the TIFF header
# to offsets in the file (tiff_start is where the header lies).
CONVERSIONS = {
    0x9201: lambda ours, theirs, start: same_numbers([2 ** -first_number(ours)], numbers(theirs)),
    0x9202: lambda ours, theirs, start: same_numbers([2 ** (first_number(ours) / 2)], numbers(theirs)),
    0x9205: lambda ours, theirs, start: same_numbers([2 ** (first_number(ours) / 2)], numbers(theirs)),
    0xA302: lambda ours, theirs, start: cfa_pattern(ours, theirs),
    0x0201: lambda ours, theirs, start: same_numbers([first_number(ours) + start], numbers(theirs)),
    0x0111: lambda ours, theirs, start: same_numbers([n + start for n in numbers(ours)], numbers(theirs)),
}
GPS_CONVERSIONS = {
    0x0002: lambda ours, theirs, start: degrees(ours, theirs),
    0x0004: lambda ours, theirs, start: degrees(ours, theirs),
    0x0014: lambda ours, theirs, start: degrees(ours, theirs),
    0x0016: lambda ours, theirs, start: degrees(ours, theirs),
    0x0007: lambda ours, theirs, start: same_numbers(numbers(ours), numbers(str(theirs).replace(":", " "))),
}
# exiftool shows maker notes in groups of their own.
MAKER_NOTE = ("Image", 0x927C)
# Values that exiftool reads as directories of their own (XMP, IPTC, the ICC
# profile, DNG private data) rather than as IFD0 values.
SUBDIRECTORIES = {0x02BC, 0x83BB, 0x8773, 0xC634}


def converted_agree(group, tag, ours, theirs, tiff_start):
    table = GPS_CONVERSIONS if group == "GPS" else CONVERSIONS
    try:
        return tag in table and table[tag](ours, theirs, tiff_start)
    except (TypeError, ValueError, OverflowError, ZeroDivisionError):
        return False


def tiff_start(tagsift, path):
    """File offset of the TIFF header: after the first "Exif" APP1 header of a
    JPEG file, as tagsift's trace names it in other containers, or 0."""
    with open(path, "rb") as f:
        data = f.read(1 << 20)
    if not data.startswith(b"\xff\xd8"):
        trace = subprocess.run([tagsift, "-e", "-d", path], capture_output=True, check=False).stdout
        found = re.search(rb"TIFF header at file offset (\d+)", trace)
        if found:
            return int(found.group(1))
    at = data.find(b"Exif\0\0")
    return at + 6 if at >= 0 else 0


def run_exiftool(files):
    args = ["exiftool", "-n", "-j", "-a", "-G1", "-D", "-m", "-q", "-charset", "filename=utf8"]
    result = subprocess.run(args + files, capture_output=True, text=True, check=False)
    return {r["SourceFile"]: r for r in json.loads(result.stdout or "[]")}


def theirs_fields(record):
    """{(group, tag): value} of the five IFD groups."""
    fields = {}
    for key, value in record.items():
        group, _, _ = key.partition(":")
        if group in GROUPS and isinstance(value, dict) and isinstance(value.get("id"), int):
            fields.setdefault((GROUPS[group], value["id"]), value.get("val"))
    return fields


def ours_fields(run, names):
    """{(group, tag): value} of tagsift's listing, and the labels it could not place."""
    fields, unplaced = {}, []
    for section, label, value in listing(run.stdout.decode("utf-8", "replace")):
        if section in PACKET_GROUPS:
            continue  # XMP properties and IPTC datasets: no EXIF tags
        tag = tag_of(names, section, label)
        if tag is None:
            unplaced.append(label)
        elif section == "Unknown":
            fields.setdefault(("Unknown", tag), value)
        elif section in GROUPS.values():
            fields.setdefault((section, tag), value)
    return fields, unplaced


def differences(ours, theirs, error, start):
    """{field: description} of one file; field "*" when tagsift read no EXIF block."""
    if theirs and (error or not ours):  # with XMP or IPTC alone, a file is listed without EXIF fields
        return {"*": "tagsift: " + (error or "no EXIF block")}
    found = {}
    for (group, tag), value in theirs.items():
        mine = ours.get((group, tag), ours.get(("Unknown", tag)))
        field = "%s:0x%04x" % (group, tag)
        if (group, tag) == MAKER_NOTE:
            continue
        if (group, tag) not in ours:
            found[field] = "exiftool %r, tagsift %s" % (value, "unnamed " + repr(mine) if mine else "none")
        elif not agree(mine, value) and not converted_agree(group, tag, mine, value, start):
            found[field] = "tagsift %r, exiftool %r" % (mine, value)
    for (group, tag), value in ours.items():
        if group != "Unknown" and (group, tag) not in theirs and (group, tag) != MAKER_NOTE and tag not in SUBDIRECTORIES:
            found["%s:0x%04x" % (group, tag)] = "tagsift %r, exiftool none" % value
    return found


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    tagsift, known_path, folders = sys.argv[1], sys.argv[2], sys.argv[3:]
    # A folder that is not there is passed over (the containers' folder is newer than the others).
    for folder in [f for f in folders if not os.path.isdir(f)]:
        print("no sample folder at " + folder + ", passed over")
    folders = [f for f in folders if os.path.isdir(f)]
    if not folders:
        print("SKIP: no sample folder")
        return SKIP
    if shutil.which("exiftool") is None:
        print("SKIP: exiftool is not installed")
        return SKIP
    known = load_known(known_path, None)
    names = catalogue(tagsift)
    top = os.path.dirname(os.path.abspath(folders[0]))
    files = sorted(os.path.join(d, n) for folder in folders for d, _, ns in os.walk(folder) for n in ns
                   if not n.lower().endswith((".md", ".txt")))
    theirs_by_file = run_exiftool(files)

    compared = explained = 0
    failures, seen = [], set()
    for path in files:
        name = os.path.relpath(os.path.abspath(path), top)
        run = subprocess.run([tagsift, "-e", "-u", "-q", path], capture_output=True, check=False)
        ours, unplaced = ours_fields(run, names)
        errors = [l for l in run.stderr.decode("latin-1").split("\n") if l.startswith("Error: ")]
        theirs = theirs_fields(theirs_by_file.get(path, {}))
        compared += len(theirs)
        for label in unplaced:
            failures.append("%s: label %r is not in the catalogue" % (name, label))
        for field, shown in differences(ours, theirs, errors[0] if errors else "", tiff_start(tagsift, path)).items():
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
    print("%d files, %d exiftool fields compared, %d known differences, %d unexplained"
          % (len(files), compared, explained, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
