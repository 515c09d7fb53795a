#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the book windows (toolbar, field and section icons) into resources/art."""
from artlib import *  # noqa: F401,F403


def tile(name, inner, size=40, color='url(#g)'):
    svg(size, size, f'<rect x="1" y="2" width="{size - 2}" height="{size - 2}" rx="8" fill="#000" fill-opacity="0.15"/>'
        f'<rect x="1" y="1" width="{size - 2}" height="{size - 3}" rx="8" fill="{color}"/>' + inner, name)


W = '#FFFFFF'
doc = (f'<path d="M 11 7 L 24 7 L 30 13 L 30 33 L 11 33 Z" fill="{W}"/>'
       f'<path d="M 24 7 L 24 13 L 30 13" fill="none" stroke="{NAVY}" stroke-width="1.5"/>')
tile('tool_nuovo', doc + f'<circle cx="29" cy="29" r="7" fill="{GOLD}"/>'
     f'<path d="M 29 25 L 29 33 M 25 29 L 33 29" stroke="{W}" stroke-width="2.5"/>')
tile('tool_duplica', f'<rect x="8" y="8" width="16" height="20" fill="{W}" fill-opacity="0.6"/>'
     f'<rect x="15" y="13" width="17" height="21" fill="{W}" stroke="{NAVY}"/>')
tile('tool_salva', f'<rect x="9" y="8" width="22" height="24" rx="2" fill="{W}"/>'
     f'<rect x="13" y="8" width="14" height="8" fill="{NAVY}"/><rect x="13" y="21" width="14" height="11" fill="{GOLD}"/>')
tile('tool_trova', f'<circle cx="17" cy="17" r="8" fill="none" stroke="{W}" stroke-width="3.5"/>'
     f'<path d="M 23 23 L 32 32" stroke="{W}" stroke-width="5" stroke-linecap="round"/>')
tile('tool_disponibili', f'<rect x="9" y="8" width="15" height="24" rx="2" fill="{W}"/>'
     f'<rect x="9" y="12" width="15" height="3" fill="{GOLD}"/>'
     f'<path d="M 22 24 L 26 29 L 34 18" fill="none" stroke="{GOLD}" stroke-width="4" stroke-linecap="round"/>')
tile('tool_esporta', f'<rect x="9" y="9" width="22" height="22" fill="{W}"/>'
     + ''.join(f'<path d="M 9 {15 + 6 * i} L 31 {15 + 6 * i}" stroke="{GREEN}" stroke-width="1.5"/>' for i in range(3))
     + f'<path d="M 16 9 L 16 31" stroke="{GREEN}" stroke-width="1.5"/>'
     + f'<rect x="9" y="9" width="22" height="6" fill="{GREEN}"/>')
tile('tool_guida', t(20, 29, '?', 24, W))
tile('tool_esci', f'<path d="M 13 8 L 27 8 L 27 32 L 13 32 Z" fill="none" stroke="{W}" stroke-width="2.5"/>'
     f'<path d="M 19 20 L 34 20 M 29 15 L 34 20 L 29 25" fill="none" stroke="{GOLD}" stroke-width="3"/>', color=RED)
arrow_l = 'M 26 10 L 14 20 L 26 30'
arrow_r = 'M 14 10 L 26 20 L 14 30'
tile('tool_primo', f'<path d="{arrow_l}" fill="none" stroke="{W}" stroke-width="4"/>'
     f'<path d="M 11 10 L 11 30" stroke="{W}" stroke-width="4"/>')
tile('tool_indietro', f'<path d="{arrow_l}" fill="none" stroke="{W}" stroke-width="4"/>')
tile('tool_avanti', f'<path d="{arrow_r}" fill="none" stroke="{W}" stroke-width="4"/>')
tile('tool_ultimo', f'<path d="{arrow_r}" fill="none" stroke="{W}" stroke-width="4"/>'
     f'<path d="M 29 10 L 29 30" stroke="{W}" stroke-width="4"/>')


def wide(name, icon, w=130, h=44):
    # The icon at the left; the program writes the caption to its right.
    svg(w, h, f'<rect x="1" y="2" width="{w - 2}" height="{h - 2}" rx="8" fill="#000" fill-opacity="0.15"/>'
        f'<rect x="1" y="1" width="{w - 2}" height="{h - 3}" rx="8" fill="url(#g)"/>' + icon, name)


clip = f'<path d="M 16 30 L 16 14 A 5 5 0 0 1 26 14 L 26 32 A 3 3 0 0 1 20 32 L 20 16" fill="none" stroke="{GOLD}" stroke-width="2.5"/>'
printer = (f'<rect x="10" y="17" width="24" height="12" rx="2" fill="{W}"/><rect x="15" y="10" width="14" height="8" '
           f'fill="{LIGHT}"/><rect x="15" y="26" width="14" height="9" fill="{GOLD}"/>')
magnifier = (f'<circle cx="19" cy="20" r="7" fill="none" stroke="{W}" stroke-width="3"/>'
             f'<path d="M 24 25 L 31 32" stroke="{GOLD}" stroke-width="4" stroke-linecap="round"/>')
wide('tool_allega', clip)
wide('tool_stampa', printer)
wide('tool_cerca', magnifier, 180)
wide('tool_stampa_largo', printer, 180)


def small(name, inner, color=BLUE):
    svg(24, 24, f'<circle cx="12" cy="12" r="11" fill="{color}"/>' + inner, name)


small('icon_convalida', f'<path d="M 6 12 L 10 17 L 18 7" fill="none" stroke="{W}" stroke-width="3" stroke-linecap="round"/>',
      GREEN)
small('icon_dewey', ''.join(f'<rect x="6" y="{6 + 4 * i}" width="12" height="2.4" fill="{W}"/>' for i in range(4)), NAVY)
small('icon_web', f'<circle cx="12" cy="12" r="7" fill="none" stroke="{W}" stroke-width="1.6"/>'
      f'<ellipse cx="12" cy="12" rx="3" ry="7" fill="none" stroke="{W}" stroke-width="1.4"/>'
      f'<path d="M 5 12 L 19 12" stroke="{W}" stroke-width="1.4"/>')


def section(name, inner):
    svg(48, 48, f'<circle cx="24" cy="24" r="23" fill="{W}" stroke="{BLUE}" stroke-width="2"/>' + inner, name)


section('section_libro', book(14, 10, 20, 28, NAVY))
section('section_editore', f'<rect x="12" y="18" width="24" height="18" fill="{BLUE}"/>'
        f'<path d="M 10 18 L 24 9 L 38 18 Z" fill="{NAVY}"/>'
        + ''.join(f'<rect x="{15 + 6 * i}" y="22" width="3" height="14" fill="{W}"/>' for i in range(3)))
section('section_lingua', f'<rect x="9" y="12" width="18" height="14" rx="3" fill="{BLUE}"/>'
        f'<rect x="21" y="20" width="18" height="14" rx="3" fill="{GOLD}"/>' + t(18, 23, 'A', 10, W) + t(30, 31, 'Z', 10, NAVY))
section('section_prestito', f'<rect x="13" y="10" width="22" height="28" rx="2" fill="{LIGHT}" stroke="{NAVY}"/>'
        + ''.join(f'<path d="M 17 {17 + 5 * i} L 31 {17 + 5 * i}" stroke="{NAVY}" stroke-width="1.5"/>' for i in range(4)))
section('section_annullata', f'<path d="M 15 15 L 33 33 M 33 15 L 15 33" stroke="{RED}" stroke-width="4"/>')

svg(620, 44, f'<rect x="0" y="0" width="620" height="44" rx="8" fill="url(#g)"/>' + t(310, 30, 'CONVALIDA CODICE LIBRO', 22, W),
    'convalida_titolo')
print('book window pictures written')

hourglass = (f'<path d="M 14 8 L 34 8 L 34 12 L 26 27 L 34 42 L 34 46 L 14 46 L 14 42 L 22 27 L 14 12 Z" '
             f'fill="{LIGHT}" stroke="{NAVY}" stroke-width="2"/><path d="M 18 40 L 30 40 L 24 31 Z" fill="{GOLD}"/>')
svg(418, 54, f'<rect x="1" y="1" width="416" height="52" rx="8" fill="#FFFFFF" stroke="{BLUE}" stroke-width="2"/>'
    + hourglass + lines(232, 24, ['Caricamento Tabella Codici Dewey in corso.', 'Attendere...'], 14, 18, NAVY, 'bold'),
    'dewey_caricamento')

svg(314, 185, f'<rect x="0" y="0" width="314" height="185" rx="10" fill="url(#sky)"/>'
    + f'<rect x="14" y="58" width="64" height="34" rx="5" fill="{NAVY}"/><rect x="24" y="40" width="44" height="20" fill="#FFFFFF"/>'
    + f'<rect x="24" y="84" width="44" height="30" fill="#FFFFFF" stroke="{BLUE}"/>'
    + ''.join(f'<path d="M 29 {92 + 6 * i} L 63 {92 + 6 * i}" stroke="{BLUE}" stroke-width="1.5"/>' for i in range(3))
    + person(46, 136, 0.7, BLUE)
    + t(96, 30, 'Stampa scheda', 18, NAVY, 'bold', 'start')
    + lines(96, 56, ['Questa operazione provvederà a', 'stampare la scheda corrente su carta',
                     'con i dati immessi dall\'utente.'], 11.5, 16, '#222', 'normal', 'start')
    + lines(96, 118, ['Premere il pulsante Stampa per dare', 'avvio alla stampa oppure premere',
                      'Annulla per annullare l\'operazione.'], 11.5, 16, '#222', 'normal', 'start'),
    'stampa_scheda')
