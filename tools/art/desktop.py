#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon for the desktop's menus (scalable SVG, hicolor theme)."""
import os
from artlib import *  # noqa: F401,F403

OUT_DESKTOP = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'desktop')
APP_ID = 'org.example.quaderna.Quaderna'

body = (f'<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="#5B93C7"/><stop offset="1" stop-color="{NAVY}"/></linearGradient></defs>'
        f'<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#g)"/>'
        f'<rect x="8" y="8" width="240" height="120" rx="44" fill="#FFFFFF" fill-opacity="0.10"/>'
        + book(50, 62, 40, 140, LIGHT, GOLD) + book(96, 48, 46, 154, '#FFFFFF', NAVY)
        + book(148, 70, 36, 132, GOLD, NAVY)
        + f'<g transform="rotate(14 205 130)">' + book(188, 66, 30, 132, GREEN, GOLD) + '</g>'
        + f'<rect x="36" y="202" width="184" height="12" rx="5" fill="{GOLD}"/>')
with open(os.path.join(OUT_DESKTOP, APP_ID + '.svg'), 'w', encoding='utf-8') as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="256" height="256" '
            f'viewBox="0 0 256 256">\n{body}\n</svg>\n')
print('desktop icon written')
