#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the user windows (command bar, photo frame, field icons) into
resources/art. Same palette and hand as the book windows; the SVG files are committed.
"""
from artlib import *  # noqa: F401,F403

W = '#FFFFFF'


def tile(name, inner, size=40, color='url(#g)'):
    svg(size, size, f'<rect x="1" y="2" width="{size - 2}" height="{size - 2}" rx="8" fill="#000" fill-opacity="0.15"/>'
        f'<rect x="1" y="1" width="{size - 2}" height="{size - 3}" rx="8" fill="{color}"/>' + inner, name)


def small(name, inner, color=BLUE):
    svg(24, 24, f'<circle cx="12" cy="12" r="11" fill="{color}"/>' + inner, name)


sheet = (f'<path d="M 10 7 L 23 7 L 29 13 L 29 33 L 10 33 Z" fill="{W}"/>'
         f'<path d="M 23 7 L 23 13 L 29 13" fill="none" stroke="{NAVY}" stroke-width="1.5"/>'
         + ''.join(f'<path d="M 13 {17 + 4 * i} L 25 {17 + 4 * i}" stroke="{BLUE}" stroke-width="1.5"/>'
                   for i in range(3)))
# Preview: a sheet under a magnifier. Print: a small printer with its sheet.
tile('tool_anteprima', sheet + f'<circle cx="26" cy="26" r="6" fill="{NAVY}" fill-opacity="0.3" stroke="{GOLD}" '
     f'stroke-width="2.5"/><path d="M 30 30 L 35 35" stroke="{GOLD}" stroke-width="3.5" stroke-linecap="round"/>')
tile('tool_stampa_utente', f'<rect x="13" y="7" width="14" height="9" fill="{W}"/>'
     f'<rect x="7" y="15" width="26" height="13" rx="3" fill="{W}"/><rect x="12" y="24" width="16" height="10" '
     f'fill="{GOLD}"/><circle cx="28" cy="19" r="1.6" fill="{GREEN}"/>')
# Cards awaiting renewal: a clock face.
tile('tool_scadute', f'<circle cx="20" cy="20" r="12" fill="{W}"/><circle cx="20" cy="20" r="12" fill="none" '
     f'stroke="{GOLD}" stroke-width="2.5"/><path d="M 20 12 L 20 20 L 26 23" fill="none" stroke="{NAVY}" '
     f'stroke-width="2.5" stroke-linecap="round"/>')

# The photo frame's buttons.
caption_button('button_carica_foto', 180, 34)
small('icon_cancella_foto', f'<path d="M 7.5 7.5 L 16.5 16.5 M 16.5 7.5 L 7.5 16.5" stroke="{W}" stroke-width="3" '
      f'stroke-linecap="round"/>', RED)
small('icon_zoom', f'<circle cx="10.5" cy="10.5" r="4.5" fill="none" stroke="{W}" stroke-width="2"/>'
      f'<path d="M 14 14 L 18 18" stroke="{GOLD}" stroke-width="3" stroke-linecap="round"/>'
      f'<path d="M 8.5 10.5 L 12.5 10.5 M 10.5 8.5 L 10.5 12.5" stroke="{W}" stroke-width="1.4"/>', NAVY)

# Field icons: e-mail and the checkers.
small('icon_email', f'<rect x="5" y="7.5" width="14" height="9.5" rx="1.5" fill="{W}"/>'
      f'<path d="M 5.5 8 L 12 13 L 18.5 8" fill="none" stroke="{NAVY}" stroke-width="1.4"/>')
small('icon_controlla', f'<path d="M 12 4.5 L 18 7 L 18 12 Q 18 17 12 19.5 Q 6 17 6 12 L 6 7 Z" fill="{W}"/>'
      f'<path d="M 9 12 L 11.3 14.5 L 15.2 9.5" fill="none" stroke="{GREEN}" stroke-width="2.2" '
      f'stroke-linecap="round" stroke-linejoin="round"/>', NAVY)

# The renewal reminder: an envelope with a clock, and its caption.
svg(180, 40, f'<rect x="1" y="3" width="178" height="36" rx="18" fill="#000" fill-opacity="0.18"/>'
    f'<rect x="1" y="1" width="178" height="36" rx="18" fill="url(#gold)" stroke="#9A6A00"/>'
    f'<rect x="12" y="10" width="22" height="16" rx="2" fill="{W}" stroke="{NAVY}"/>'
    f'<path d="M 13 11 L 23 19 L 33 11" fill="none" stroke="{NAVY}" stroke-width="1.5"/>', 'button_avviso_scadenza')

# Section markers beside the groups of fields.
def section(name, inner):
    svg(40, 40, f'<circle cx="20" cy="20" r="19" fill="{W}" stroke="{BLUE}" stroke-width="2"/>' + inner, name)


section('section_tessera', card(7, 11, 26, 18))
section('section_residenza', f'<path d="M 9 19 L 20 10 L 31 19" fill="none" stroke="{NAVY}" stroke-width="2.5" '
        f'stroke-linejoin="round"/><rect x="12" y="18" width="16" height="12" fill="{BLUE}"/>'
        f'<rect x="18" y="23" width="4" height="7" fill="{W}"/>')
section('section_contatti', f'<rect x="14" y="8" width="12" height="24" rx="3" fill="{NAVY}"/>'
        f'<rect x="16" y="11" width="8" height="15" fill="{LIGHT}"/><circle cx="20" cy="29" r="1.3" fill="{W}"/>')
section('section_pagamenti', f'<rect x="8" y="12" width="24" height="16" rx="3" fill="{BLUE}"/>'
        f'<rect x="8" y="15" width="24" height="3.5" fill="{NAVY}"/><rect x="11" y="22" width="8" height="3" '
        f'fill="{GOLD}"/>')
section('section_note', f'<path d="M 12 9 L 25 9 L 29 13 L 29 31 L 12 31 Z" fill="{LIGHT}" stroke="{NAVY}" '
        f'stroke-width="1.5"/>' + ''.join(f'<path d="M 15 {16 + 4 * i} L 26 {16 + 4 * i}" stroke="{NAVY}" '
                                           f'stroke-width="1.3"/>' for i in range(3)))
print('user window pictures written')
