#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the loan and returns windows (illustrations, section markers, the return
confirmation) into resources/art. Same palette and hand as the other windows; no words inside the
pictures: the windows write their own texts. The SVG files are committed.
"""
from artlib import *  # noqa: F401,F403

W = '#FFFFFF'


def section(name, inner):
    svg(40, 40, f'<circle cx="20" cy="20" r="19" fill="{W}" stroke="{BLUE}" stroke-width="2"/>' + inner, name)


def shelf(x, y):
    # A short row of books on a shelf.
    return (book(x, y + 20, 24, 96, BLUE) + book(x + 28, y + 6, 28, 110, NAVY) + book(x + 60, y + 30, 22, 86, RED)
            + f'<g transform="rotate(10 {x + 100} {y + 70})">' + book(x + 88, y + 18, 24, 98, GREEN) + '</g>'
            + f'<rect x="{x - 10}" y="{y + 116}" width="140" height="8" rx="3" fill="{NAVY}"/>')


def arrow(x, y, length, color, leftward=False):
    # A broad arrow `length` long at the height y, pointing right (or left).
    body = (f'M 0 -11 L {length - 26} -11 L {length - 26} -24 L {length} 0 L {length - 26} 24 '
            f'L {length - 26} 11 L 0 11 Z')
    turn = f' translate({length} 0) scale(-1 1)' if leftward else ''
    return (f'<g transform="translate({x} {y}){turn}">'
            f'<path d="{body}" fill="{color}" stroke="{NAVY}" stroke-width="1.5"/></g>')


def scene(name, color, leftward):
    # The library's shelf at the left, the reader at the right, the book on its way between them.
    body = (f'<rect x="0" y="0" width="300" height="260" rx="16" fill="url(#sky)"/>'
            + shelf(26, 96)
            + person(236, 120, 1.7, NAVY)
            + f'<rect x="190" y="222" width="96" height="8" rx="3" fill="{NAVY}" fill-opacity="0.25"/>'
            + book(130, 40, 40, 52, GOLD, NAVY)
            + arrow(104, 116, 96, color, leftward))
    svg(300, 260, body, name)


# The selection panels: a loan goes from the shelf to the reader, a return comes back.
scene('prestiti_illustrazione', GOLD, False)
scene('restituzioni_illustrazione', GREEN, True)

# Section markers beside the groups of the sheet panels.
section('section_utente', person(20, 12, 0.42, NAVY))
section('section_calendario', f'<rect x="9" y="11" width="22" height="20" rx="2" fill="{W}" stroke="{NAVY}" '
        f'stroke-width="1.5"/><rect x="9" y="11" width="22" height="6" fill="{RED}"/>'
        f'<path d="M 14 8 L 14 13 M 26 8 L 26 13" stroke="{NAVY}" stroke-width="2" stroke-linecap="round"/>'
        + ''.join(f'<rect x="{12 + 5 * (i % 4)}" y="{20 + 5 * (i // 4)}" width="3" height="3" fill="{BLUE}"/>'
                  for i in range(8)))
section('section_restituzione', book(12, 10, 16, 22, BLUE)
        + f'<path d="M 22 29 L 26 33 L 33 24" fill="none" stroke="{GREEN}" stroke-width="3" '
        f'stroke-linecap="round" stroke-linejoin="round"/>')

# The return confirmation: the book back on its shelf, with a tick.
svg(120, 120, f'<rect x="0" y="0" width="120" height="120" rx="14" fill="url(#sky)"/>'
    + book(22, 22, 26, 70, BLUE) + book(50, 14, 28, 78, NAVY)
    + f'<rect x="14" y="92" width="92" height="6" rx="2" fill="{NAVY}"/>'
    + f'<circle cx="88" cy="82" r="20" fill="{GREEN}" stroke="{W}" stroke-width="3"/>'
    + f'<path d="M 78 82 L 86 90 L 99 74" fill="none" stroke="{W}" stroke-width="5" stroke-linecap="round" '
    f'stroke-linejoin="round"/>', 'rendi_libro')
print('loan window pictures written')
