#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the banners of the four checker windows (fiscal code, VAT number, credit card, IBAN)
into resources/art. Same palette and hand as the other pictures; the SVG files are committed.
"""
from artlib import *  # noqa: F401,F403

W, H = 460, 130


def banner(name, emblem, title, subtitle):
    body = (f'<rect x="0" y="0" width="{W}" height="{H}" fill="url(#sky)"/>'
            f'<rect x="0" y="{H - 6}" width="{W}" height="6" fill="url(#g)"/>'
            + emblem
            + t(168, 58, title, 28, NAVY, 'bold', 'start')
            + lines(168, 84, subtitle, 13, 18, '#333', 'normal', 'start'))
    svg(W, H, body, name)


def shadowed(x, y, w, h, rx, fill, stroke=NAVY):
    return (f'<rect x="{x + 3}" y="{y + 4}" width="{w}" height="{h}" rx="{rx}" fill="#000" fill-opacity="0.15"/>'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="2"/>')


def check_mark(cx, cy, r=17):
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{GREEN}" stroke="#FFFFFF" stroke-width="3"/>'
            f'<path d="M {cx - r * 0.45} {cy} L {cx - r * 0.1} {cy + r * 0.38} L {cx + r * 0.5} {cy - r * 0.35}" '
            f'fill="none" stroke="#FFFFFF" stroke-width="4" stroke-linecap="round" stroke-linejoin="round"/>')


def chip(x, y):
    return (f'<rect x="{x}" y="{y}" width="26" height="20" rx="4" fill="url(#gold)" stroke="#9A6A00"/>'
            f'<path d="M {x} {y + 10} L {x + 26} {y + 10} M {x + 13} {y} L {x + 13} {y + 20}" '
            f'stroke="#9A6A00" stroke-width="1"/>')


# The fiscal code: the health card that carries it, with the code printed in a strip.
codfisc = (shadowed(18, 22, 132, 84, 8, '#FFFFFF')
           + f'<rect x="18" y="22" width="132" height="22" rx="8" fill="{BLUE}"/>'
           + f'<rect x="18" y="36" width="132" height="8" fill="{BLUE}"/>'
           + t(84, 38, 'CODICE FISCALE', 10, '#FFFFFF')
           + chip(28, 54)
           + ''.join(f'<rect x="62" y="{54 + 9 * i}" width="{76 - 14 * i}" height="5" rx="2" fill="{NAVY}" '
                     f'fill-opacity="0.55"/>' for i in range(3))
           + f'<rect x="26" y="84" width="116" height="14" rx="3" fill="{LIGHT}"/>'
           + t(84, 95, 'RSSMRA85T10A562S', 9, NAVY, 'bold', 'middle', 'DejaVu Sans Mono, monospace')
           + check_mark(150, 24))
banner('checker_codfisc', codfisc, 'Codice fiscale',
       ['Verifica dei 16 caratteri e del', 'carattere di controllo finale.'])

# The VAT number: a registration sheet with a stamp.
partitaiva = (shadowed(40, 12, 86, 104, 4, '#FFFFFF')
              + t(83, 34, 'P. IVA', 13, NAVY)
              + ''.join(f'<rect x="52" y="{44 + 10 * i}" width="{62 - (i % 3) * 10}" height="4" rx="2" '
                        f'fill="{NAVY}" fill-opacity="0.45"/>' for i in range(5))
              + f'<circle cx="112" cy="96" r="20" fill="none" stroke="{RED}" stroke-width="3"/>'
              + f'<circle cx="112" cy="96" r="14" fill="none" stroke="{RED}" stroke-width="1.5"/>'
              + t(112, 100, 'IVA', 10, RED)
              + check_mark(140, 40))
banner('checker_partitaiva', partitaiva, 'Partita IVA',
       ['Verifica della cifra di controllo e', 'dell\'Ufficio IVA che l\'ha rilasciata.'])

# The credit card: chip, number in groups of four, a coloured brand disc.
carta = (shadowed(14, 24, 140, 88, 10, 'url(#g)')
         + f'<rect x="14" y="40" width="140" height="14" fill="{NAVY}" fill-opacity="0.6"/>'
         + chip(26, 60)
         + t(84, 96, '4111 1111 1111 1111', 11, '#FFFFFF', 'bold', 'middle', 'DejaVu Sans Mono, monospace')
         + f'<circle cx="126" cy="70" r="10" fill="{RED}" fill-opacity="0.9"/>'
         + f'<circle cx="138" cy="70" r="10" fill="{GOLD}" fill-opacity="0.9"/>'
         + check_mark(152, 26))
banner('checker_carta', carta, 'Carta di credito',
       ['Verifica del numero con la regola', 'di Luhn e del tipo di carta.'])

# The IBAN: a bank with its columns, and the code on a ribbon.
iban = (f'<path d="M 20 50 L 86 20 L 152 50 Z" fill="{NAVY}"/>'
        + f'<rect x="24" y="50" width="124" height="8" fill="{BLUE}"/>'
        + ''.join(f'<rect x="{32 + 24 * i}" y="60" width="12" height="38" fill="#FFFFFF" stroke="{BLUE}" '
                  f'stroke-width="2"/>' for i in range(5))
        + f'<rect x="18" y="98" width="136" height="10" fill="{NAVY}"/>'
        + f'<rect x="22" y="108" width="128" height="16" rx="3" fill="url(#gold)" stroke="#9A6A00"/>'
        + t(86, 120, 'IT60 X054 2811 1010', 9.5, NAVY, 'bold', 'middle', 'DejaVu Sans Mono, monospace')
        + check_mark(150, 34))
banner('checker_iban', iban, 'IBAN',
       ['Verifica del codice internazionale', 'del conto bancario (27 caratteri).'])

print('pictures written to', os.path.normpath(OUT))
