#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the card windows (the default library logo, the print and preview
explanations, the print command) into resources/art. Same palette and hand as the other windows;
the SVG files are committed.
"""
from artlib import *  # noqa: F401,F403

W = '#FFFFFF'


def tile(name, inner, size=40, color='url(#g)'):
    svg(size, size, f'<rect x="1" y="2" width="{size - 2}" height="{size - 2}" rx="8" fill="#000" fill-opacity="0.15"/>'
        f'<rect x="1" y="1" width="{size - 2}" height="{size - 3}" rx="8" fill="{color}"/>' + inner, name)


# The default library logo: a shield with books under an arch, no lettering (it prints on the
# card as a picture). Drawn in the 3:4 proportions of the pictures that come with the program.
svg(300, 400, f'<rect x="0" y="0" width="300" height="400" fill="#FFFFFF"/>'
    + f'<path d="M 40 60 L 260 60 L 260 210 Q 260 320 150 370 Q 40 320 40 210 Z" fill="#000" fill-opacity="0.12" '
      f'transform="translate(6 8)"/>'
    + f'<path d="M 40 60 L 260 60 L 260 210 Q 260 320 150 370 Q 40 320 40 210 Z" fill="url(#sky)" stroke="{NAVY}" '
      f'stroke-width="10" stroke-linejoin="round"/>'
    + f'<path d="M 70 250 L 70 150 A 80 62 0 0 1 230 150 L 230 250" fill="none" stroke="{NAVY}" stroke-width="10"/>'
    + book(92, 160, 26, 86, BLUE) + book(122, 148, 30, 98, NAVY) + book(156, 166, 24, 80, GOLD, NAVY)
    + f'<g transform="rotate(12 196 205)">' + book(184, 160, 24, 84, RED) + '</g>'
    + f'<rect x="64" y="246" width="172" height="12" rx="3" fill="{NAVY}"/>'
    + f'<path d="M 150 84 L 157 100 L 174 101 L 161 112 L 165 128 L 150 119 L 135 128 L 139 112 L 126 101 '
      f'L 143 100 Z" fill="{GOLD}"/>', 'tessera_logo')

# What the delete buttons put in place of the photo or the logo: nothing visible.
svg(2, 2, '<rect x="0" y="0" width="2" height="2" fill="#FFFFFF"/>', 'puntino')

# The print command: a printer giving out a card.
tile('tool_stampa_tessera', f'<rect x="12" y="7" width="16" height="9" fill="{LIGHT}"/>'
     f'<rect x="7" y="15" width="26" height="12" rx="3" fill="{W}"/><circle cx="28" cy="19" r="1.6" fill="{GREEN}"/>'
     f'<rect x="11" y="23" width="18" height="12" rx="2" fill="{W}" stroke="{NAVY}" stroke-width="1"/>'
     f'<rect x="11" y="23" width="18" height="3.5" rx="1" fill="{NAVY}"/>'
     f'<rect x="13" y="28" width="5" height="5" fill="{GOLD}"/>')


def small_card(x, y, s):
    """The card as the sheet shows it: header and footer bands, photo, lines."""
    return (f'<rect x="{x}" y="{y}" width="{86 * s}" height="{54 * s}" rx="{3 * s}" fill="#FFFFFF" stroke="{NAVY}" '
            f'stroke-width="1.2"/>'
            f'<rect x="{x + s}" y="{y + s}" width="{84 * s}" height="{12 * s}" fill="{NAVY}"/>'
            f'<rect x="{x + 2 * s}" y="{y + 16 * s}" width="{24 * s}" height="{30 * s}" fill="{LIGHT}" stroke="{BLUE}"/>'
            + ''.join(f'<rect x="{x + 30 * s}" y="{y + (17 + 7 * i) * s}" width="{(40 - 8 * i) * s}" height="{3 * s}" '
                      f'fill="{NAVY}" fill-opacity="0.6"/>' for i in range(4))
            + f'<rect x="{x + s}" y="{y + 47 * s}" width="{84 * s}" height="{6 * s}" fill="{NAVY}"/>')


# The print window's explanation: a sheet with the card, the two offsets as arrows.
sheet = (f'<rect x="16" y="14" width="104" height="132" fill="#FFFFFF" stroke="{NAVY}" stroke-width="2"/>'
         + small_card(34, 34, 0.9)
         + f'<path d="M 24 22 L 24 30 M 20 26 L 24 31 L 28 26" fill="none" stroke="{GOLD}" stroke-width="3" '
           f'stroke-linecap="round" stroke-linejoin="round"/>'
         + f'<path d="M 24 58 L 30 58 M 26 54 L 31 58 L 26 62" fill="none" stroke="{GOLD}" stroke-width="3" '
           f'stroke-linecap="round" stroke-linejoin="round"/>')
svg(410, 160, f'<rect x="0" y="0" width="410" height="160" rx="10" fill="url(#sky)"/>' + sheet
    + t(136, 34, 'Stampa tessera', 18, NAVY, 'bold', 'start')
    + lines(136, 58, ['Regolare per tentativi i margini superiore', 'e sinistro secondo la stampante in uso,',
                      'in millimetri.'], 11.5, 16, '#222', 'normal', 'start')
    + lines(136, 112, ['Valori maggiori spostano la stampa in basso', 'e a destra; valori minori, anche negativi,',
                       'in alto e a sinistra.'], 11.5, 16, '#222', 'normal', 'start'),
    'stampa_tessera')

# The preview window's explanation: the card under a magnifier.
svg(314, 185, f'<rect x="0" y="0" width="314" height="185" rx="10" fill="url(#sky)"/>'
    + t(157, 32, 'Anteprima tessera', 18, NAVY, 'bold')
    + small_card(12, 62, 0.9)
    + f'<circle cx="74" cy="92" r="26" fill="#FFFFFF" fill-opacity="0.35" stroke="{GOLD}" stroke-width="5"/>'
    + f'<path d="M 93 111 L 106 124" stroke="{GOLD}" stroke-width="8" stroke-linecap="round"/>'
    + lines(120, 66, ['Questa operazione mostra', 'a video i dati che saranno', 'stampati.'], 11.5, 16, '#222',
            'normal', 'start')
    + lines(120, 124, ['Fare clic su Mostra', 'anteprima per vedere il', 'documento prima di', 'stamparlo su carta.'],
            11.5, 16, '#222', 'normal', 'start'),
    'anteprima_tessera')
print('card window pictures written')
