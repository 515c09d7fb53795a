#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generate the built-in Dewey Decimal Classification table.

Reads tools/dewey/headings.txt, checks it against the layout plan below and
writes src/core/catalogue/DeweyData.h and src/core/catalogue/DeweyData.cpp.

    python3 tools/dewey/generate.py           # check and write
    python3 tools/dewey/generate.py --check   # check only; fail if the C++ files are stale

Python 3 standard library only.
"""

from __future__ import annotations

import argparse
import re
import sys
from collections import Counter
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
SOURCE = HERE / "headings.txt"
HEADER = ROOT / "src" / "core" / "catalogue" / "DeweyData.h"
IMPLEMENTATION = ROOT / "src" / "core" / "catalogue" / "DeweyData.cpp"

# --------------------------------------------------------------------------
# Layout plan
# --------------------------------------------------------------------------

TOTAL_ROWS = 3721
MAX_ROW_LENGTH = 120
DISTINCT_NUMBERS = 899
SINGLE_ROW_NUMBERS = 561
MAX_ROWS_PER_NUMBER = 166

FIRST_ROW = "001 CONOSCENZA"
LAST_ROW = "999 STORIA DI MONDI EXTRATERRESTRI"

# Rows that anchor the layout of the table and must be present verbatim.
REQUIRED_ROWS = (
    FIRST_ROW,
    "100 FILOSOFIA E PSICOLOGIA",
    "200 RELIGIONE",
    "200 RELIGIONE. FILOSOFIA E TEORIA",
    "200 RELIGIONE. DIZIONARI E ENCICLOPEDIE",
    "786 STRUMENTI A CORDA E TASTIERA",
    "821 POESIA INGLESE, PERIODO ELISABETTIANO 1558-1625",
    "846 LETTERE FRANCESI, 1600-1715",
    "914 GEOGRAFIA. ISOLE BRITANNICHE",
    "914 GEOGRAFIA. ITALIA",
    "914 GEOGRAFIA. FRANCIA",
    LAST_ROW,
)

# The one heading that the table lists twice, both times among the keyboard
# instruments of 786.  Any other repeated row is an error.
ALLOWED_DUPLICATES = {"786 STRUMENTI A CORDA E TASTIERA": 2}

# Rows per hundred: 000-099, 100-199, ..., 900-999.
ROWS_PER_HUNDRED = (155, 129, 256, 487, 87, 296, 297, 663, 800, 551)


def _numbers(text: str) -> frozenset[int]:
    """Parse '7-9 13 40-49' into a set of class numbers."""
    result: set[int] = set()
    for part in text.split():
        if "-" in part:
            low, high = (int(x) for x in part.split("-"))
            result.update(range(low, high + 1))
        else:
            result.add(int(part))
    return frozenset(result)


# Class numbers without any row: numbers that are unassigned, discontinued or
# optional in the DDC; 000, whose class is represented by its divisions; and
# 401-409, the standard subdivisions of language, which are rows of 400.
MISSING = _numbers(
    """
    0 7-9 13 24 29 40-49
    104 112 125 132 134 136 151 157 159 163 164
    216 217 219 237 244 245 256-258 288 291 298
    308 309 311-313 329 376 377 396 397
    401-409 416 424 426 434 436 444 446 454 456 464 466 474 476 484 486
    504 517 524 544 545 574 589
    619 626 654-656 689 699
    744 756 762 768 775 776 789
    804 819
    924 926 991 992
    """
)

# Planned row count for every class number that has more than one row.
# Every other number that is not in MISSING has exactly one row.
MULTI_ROW_PLAN: dict[int, int] = {
    # 000-099
    1: 6, 2: 3, 3: 3, 4: 13, 5: 11, 6: 6, 10: 2, 15: 2, 20: 4, 21: 2,
    25: 8, 27: 4, 28: 3, 30: 2, 50: 2, 60: 2, 69: 4, 70: 11, 80: 2, 90: 2,
    # 100-199
    100: 3, 111: 3, 121: 3, 123: 2, 128: 3, 130: 2, 133: 5, 141: 2, 142: 3, 144: 3,
    146: 4, 149: 4, 150: 3, 152: 3, 153: 3, 154: 3, 155: 4, 158: 3, 174: 3,
    # 200-299
    200: 10, 204: 2, 211: 3, 220: 9, 221: 3, 222: 9, 223: 6, 224: 5, 225: 3, 226: 8,
    227: 8, 229: 2, 230: 6, 231: 3, 232: 6, 233: 2, 235: 4, 236: 2, 241: 3, 242: 3,
    246: 2, 248: 6, 253: 2, 261: 5, 262: 7, 263: 5, 264: 4, 265: 8, 266: 2, 268: 3,
    270: 6, 271: 9, 272: 2, 273: 2, 274: 3, 281: 3, 282: 5, 284: 3, 289: 4, 292: 3,
    293: 2, 294: 7, 296: 7, 297: 8, 299: 8,
    # 300-399
    300: 7, 301: 6, 302: 8, 303: 7, 304: 4, 305: 21, 306: 18, 307: 5, 320: 9, 321: 5,
    323: 5, 324: 5, 325: 4, 327: 7, 330: 17, 331: 13, 332: 12, 333: 12, 335: 3, 336: 4,
    338: 13, 339: 5, 340: 8, 341: 8, 342: 9, 343: 7, 344: 6, 345: 7, 346: 11, 347: 5,
    349: 9, 355: 10, 361: 4, 362: 15, 363: 13, 364: 11, 368: 3, 369: 3, 370: 13, 371: 14,
    372: 14, 373: 3, 378: 6, 379: 3, 381: 4, 382: 3, 384: 8, 387: 3, 388: 6, 391: 10,
    392: 3, 394: 8, 398: 33,
    # 400-499
    400: 5, 410: 2, 418: 3, 458: 2, 491: 2, 495: 2, 499: 2,
    # 500-599
    500: 3, 509: 3, 510: 5, 511: 4, 512: 4, 515: 4, 516: 5, 519: 4, 520: 4, 523: 20,
    526: 3, 530: 5, 531: 4, 535: 4, 537: 3, 539: 8, 540: 4, 550: 3, 551: 22, 560: 3,
    567: 2, 569: 2, 570: 4, 571: 4, 576: 6, 577: 11, 579: 6, 580: 4, 581: 5, 582: 6,
    583: 7, 584: 4, 590: 4, 591: 8, 593: 4, 595: 11, 597: 11, 598: 10, 599: 18,
    # 600-699
    610: 5, 612: 6, 613: 10, 614: 4, 615: 8, 616: 17, 617: 9, 618: 5, 620: 3, 621: 13,
    623: 6, 624: 4, 625: 4, 628: 3, 629: 9, 630: 3, 631: 3, 633: 4, 634: 6, 635: 7,
    636: 12, 637: 2, 639: 4, 641: 49, 646: 5, 649: 5, 652: 2, 657: 3, 658: 12, 659: 3,
    663: 3, 684: 3, 686: 4, 688: 2,
    # 700-799
    700: 3, 701: 4, 708: 18, 709: 68, 711: 5, 712: 5, 720: 15, 722: 5, 723: 5, 724: 10,
    725: 7, 726: 7, 728: 7, 733: 4, 735: 6, 737: 6, 738: 7, 739: 6, 741: 14, 743: 5,
    745: 18, 746: 9, 751: 8, 759: 43, 769: 7, 770: 5, 778: 8, 780: 23, 781: 30, 782: 12,
    784: 5, 786: 13, 787: 10, 788: 11, 791: 44, 792: 25, 793: 12, 794: 9, 795: 6, 796: 72,
    797: 19, 798: 5, 799: 12,
    # 800-899
    800: 3, 808: 31, 809: 29, 810: 14, 811: 8, 812: 8, 813: 15, 814: 7, 818: 7, 820: 23,
    821: 13, 822: 13, 823: 18, 824: 10, 828: 10, 830: 18, 831: 13, 832: 10, 833: 14, 834: 9,
    838: 9, 839: 22, 840: 21, 841: 13, 842: 13, 843: 17, 844: 10, 846: 10, 848: 11, 850: 29,
    851: 19, 852: 17, 853: 22, 854: 12, 856: 12, 857: 12, 858: 16, 859: 6, 860: 20, 861: 11,
    862: 10, 863: 14, 864: 7, 868: 7, 869: 10, 870: 10, 871: 7, 872: 4, 880: 9, 881: 5,
    882: 4, 889: 4, 891: 42, 892: 13, 894: 11, 895: 19, 899: 8,
    # 900-999
    909: 14, 910: 14, 914: 166, 915: 30, 916: 22, 917: 17, 918: 12, 919: 10, 920: 10, 929: 8,
    930: 8, 937: 17, 938: 10, 940: 30, 943: 8, 944: 8, 945: 63, 947: 7, 956: 7, 970: 5,
    973: 10,
}

# --------------------------------------------------------------------------

ROW_PATTERN = re.compile(r"^([0-9]{3}) ([A-Z0-9 '(),\-./]+)$")


class TableError(Exception):
    pass


def planned_count(number: int) -> int:
    if number in MISSING:
        return 0
    return MULTI_ROW_PLAN.get(number, 1)


def check_plan() -> list[str]:
    problems: list[str] = []
    for number in MULTI_ROW_PLAN:
        if number in MISSING:
            problems.append(f"plan: {number:03d} is both missing and planned with rows")
        if MULTI_ROW_PLAN[number] < 2:
            problems.append(f"plan: {number:03d} listed with {MULTI_ROW_PLAN[number]} rows (must be >= 2)")
    counts = [planned_count(n) for n in range(1000)]
    for hundred, expected in enumerate(ROWS_PER_HUNDRED):
        got = sum(counts[hundred * 100 : hundred * 100 + 100])
        if got != expected:
            problems.append(f"plan: {hundred * 100:03d}-{hundred * 100 + 99:03d} has {got} rows, expected {expected}")
    if sum(counts) != TOTAL_ROWS:
        problems.append(f"plan: {sum(counts)} rows in total, expected {TOTAL_ROWS}")
    distinct = sum(1 for c in counts if c > 0)
    if distinct != DISTINCT_NUMBERS:
        problems.append(f"plan: {distinct} class numbers used, expected {DISTINCT_NUMBERS}")
    singles = sum(1 for c in counts if c == 1)
    if singles != SINGLE_ROW_NUMBERS:
        problems.append(f"plan: {singles} numbers with one row, expected {SINGLE_ROW_NUMBERS}")
    top = max(counts)
    at_top = [n for n, c in enumerate(counts) if c == top]
    if top != MAX_ROWS_PER_NUMBER or len(at_top) != 1:
        problems.append(
            f"plan: largest number has {top} rows ({', '.join(f'{n:03d}' for n in at_top)}), "
            f"expected exactly one number with {MAX_ROWS_PER_NUMBER}"
        )
    return problems


def read_rows(path: Path) -> list[tuple[int, str]]:
    """Return (line number, row) for every data line of the source file."""
    rows = []
    for lineno, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        if not raw.strip() or raw.startswith("#"):
            continue
        rows.append((lineno, raw))
    return rows


def check_rows(rows: list[tuple[int, str]]) -> list[str]:
    problems: list[str] = []
    where = lambda lineno: f"{SOURCE.name}:{lineno}"  # noqa: E731

    previous = -1
    for lineno, row in rows:
        match = ROW_PATTERN.match(row)
        if not match:
            bad = sorted({ch for ch in row[4:] if not re.match(r"[A-Z0-9 '(),\-./]", ch)})
            problems.append(f"{where(lineno)}: malformed row {row!r}" + (f" (bad characters {bad})" if bad else ""))
            continue
        if row != row.strip() or "  " in row:
            problems.append(f"{where(lineno)}: stray blanks in {row!r}")
        number = int(match.group(1))
        if number < previous:
            problems.append(f"{where(lineno)}: {number:03d} comes after {previous:03d} (rows must ascend)")
        previous = number
        if len(row) > MAX_ROW_LENGTH:
            problems.append(f"{where(lineno)}: row has {len(row)} characters (limit {MAX_ROW_LENGTH}): {row!r}")
    if problems:
        return problems

    texts = [row for _, row in rows]
    if len(texts) != TOTAL_ROWS:
        problems.append(f"{len(texts)} rows, expected {TOTAL_ROWS}")
    if texts and texts[0] != FIRST_ROW:
        problems.append(f"first row is {texts[0]!r}, expected {FIRST_ROW!r}")
    if texts and texts[-1] != LAST_ROW:
        problems.append(f"last row is {texts[-1]!r}, expected {LAST_ROW!r}")
    for required in REQUIRED_ROWS:
        if required not in texts:
            problems.append(f"required row missing: {required!r}")
    if texts and max(len(t) for t in texts) != MAX_ROW_LENGTH:
        problems.append(f"longest row has {max(len(t) for t in texts)} characters, expected exactly {MAX_ROW_LENGTH}")

    repeated = Counter(texts)
    for text, times in repeated.items():
        if times > 1 and ALLOWED_DUPLICATES.get(text) != times:
            lines = [str(lineno) for lineno, row in rows if row == text]
            problems.append(f"row {text!r} occurs {times} times (lines {', '.join(lines)})")
    for text, times in ALLOWED_DUPLICATES.items():
        if repeated[text] != times:
            problems.append(f"row {text!r} occurs {repeated[text]} times, expected {times}")

    per_number = Counter(int(t[:3]) for t in texts)
    for number in range(1000):
        if per_number[number] != planned_count(number):
            problems.append(f"{number:03d}: {per_number[number]} rows, planned {planned_count(number)}")
    for hundred, expected in enumerate(ROWS_PER_HUNDRED):
        got = sum(per_number[n] for n in range(hundred * 100, hundred * 100 + 100))
        if got != expected:
            problems.append(f"{hundred * 100:03d}-{hundred * 100 + 99:03d}: {got} rows, expected {expected}")
    return problems


def cpp_string(text: str) -> str:
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def render_header() -> str:
    return """// Generated by tools/dewey/generate.py; do not edit by hand.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace quaderna {

// The Dewey Decimal Classification headings, in ascending order of class number.
std::span<const std::string_view> deweyRows();

} // namespace quaderna
"""


def render_implementation(texts: list[str]) -> str:
    lines = [
        "// Generated by tools/dewey/generate.py; do not edit by hand.",
        '#include "core/catalogue/DeweyData.h"',
        "",
        "namespace quaderna {",
        "",
        "namespace {",
        "",
        "// Each row: a three-digit class number, one blank, the heading.",
        "// clang-format off",
        "constexpr std::string_view kRows[] = {",
    ]
    lines += [f"    {cpp_string(text)}," for text in texts]
    lines += [
        "};",
        "// clang-format on",
        "",
        "} // namespace",
        "",
        "std::span<const std::string_view> deweyRows() {",
        "    return kRows;",
        "}",
        "",
        "} // namespace quaderna",
        "",
    ]
    return "\n".join(lines)


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(prog="generate.py")
    parser.add_argument("--check", action="store_true", help="only validate; fail if the generated files are stale")
    args = parser.parse_args(argv)

    problems = check_plan()
    rows = read_rows(SOURCE)
    problems += check_rows(rows)
    if problems:
        for problem in problems:
            print(f"error: {problem}", file=sys.stderr)
        print(f"{len(problems)} problem(s); nothing written.", file=sys.stderr)
        return 1

    texts = [row for _, row in rows]
    outputs = {HEADER: render_header(), IMPLEMENTATION: render_implementation(texts)}
    if args.check:
        stale = [p for p, text in outputs.items() if not p.exists() or p.read_text(encoding="ascii") != text]
        for path in stale:
            print(f"error: {path.relative_to(ROOT)} is out of date; run tools/dewey/generate.py", file=sys.stderr)
        return 1 if stale else 0
    for path, text in outputs.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="ascii", newline="\n")
        print(f"wrote {path.relative_to(ROOT)} ({len(texts)} rows)" if path == IMPLEMENTATION else f"wrote {path.relative_to(ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
