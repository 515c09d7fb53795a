#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's pictures (SVG) into resources/art.

One palette and one hand for every picture: steel blue, navy, gold and white, flat shapes with
soft shadows. Run it again after changing a drawing; the SVG files are committed.
"""
from artlib import *  # noqa: F401,F403

entries = {
    'entry_anagrafica': frame(person(80, 60, 1.3, BLUE) + person(135, 70, 1.05, NAVY) + card(60, 118, 100, 52)),
    'entry_libri': frame(book(40, 50, 26, 120, BLUE) + book(70, 40, 30, 130, NAVY) + book(104, 60, 24, 110, RED) +
                         f'<g transform="rotate(14 150 110)">' + book(134, 52, 28, 118, GREEN) + '</g>'
                         f'<rect x="24" y="168" width="170" height="8" rx="3" fill="{NAVY}"/>'),
    'entry_tessere': frame(f'<rect x="46" y="24" width="126" height="60" rx="6" fill="{NAVY}"/>'
                           f'<rect x="58" y="36" width="102" height="10" rx="3" fill="{LIGHT}"/>'
                           + card(52, 70, 114, 72) +
                           f'<rect x="36" y="136" width="146" height="34" rx="8" fill="{BLUE}"/>'
                           f'<circle cx="160" cy="153" r="5" fill="{GOLD}"/>'),
    'entry_prestiti': frame(book(70, 36, 70, 90, BLUE) +
                            f'<path d="M 30 150 Q 60 120 100 128 L 150 128 Q 162 130 160 140 L 112 142 '
                            f'L 170 140 Q 190 128 196 136 L 160 168 L 40 172 Z" fill="#E9B88C" stroke="{NAVY}" '
                            f'stroke-width="2"/>'
                            f'<path d="M 150 40 L 186 40 L 186 30 L 204 50 L 186 70 L 186 60 L 150 60 Z" fill="{GOLD}"/>'),
    'entry_storico': frame(f'<rect x="30" y="30" width="158" height="134" fill="#FFFFFF" stroke="{NAVY}" stroke-width="2"/>'
                           + ''.join(f'<rect x="{44 + 28 * i}" y="{160 - hgt}" width="18" height="{hgt}" fill="{c}"/>'
                                     for i, (hgt, c) in enumerate([(50, BLUE), (86, NAVY), (64, GOLD),
                                                                   (110, GREEN), (92, RED)])) +
                           f'<path d="M 40 120 L 80 84 L 110 100 L 140 52 L 176 40" fill="none" stroke="{RED}" '
                           f'stroke-width="4"/>'),
    'entry_catalogo': frame(book(34, 60, 90, 110, NAVY) +
                            f'<rect x="44" y="76" width="70" height="6" fill="{LIGHT}"/>'
                            f'<rect x="44" y="90" width="56" height="6" fill="{LIGHT}"/>'
                            f'<circle cx="136" cy="78" r="38" fill="#FFFFFF" fill-opacity="0.6" stroke="{BLUE}" '
                            f'stroke-width="10"/><path d="M 162 106 L 196 146" stroke="{NAVY}" stroke-width="14" '
                            f'stroke-linecap="round"/>'),
}
for name, body in entries.items():
    svg(218, 188, body, name)


caption_button('button_entry')

# --- launcher strips and icons ------------------------------------------------------------------
svg(620, 90, book(8, 10, 22, 70, BLUE) + book(34, 4, 26, 78, NAVY) + book(64, 16, 20, 66, GOLD, NAVY)
    + t(100, 66, 'Quaderna', 62, NAVY, 'bold', 'start', "DejaVu Serif, Georgia, serif"), 'avvio_titolo')
svg(70, 44, f'<rect x="1" y="1" width="68" height="42" rx="10" fill="url(#gold)" stroke="#9A6A00"/>'
    + t(35, 31, '3.0', 24, '#FFFFFF'), 'avvio_versione')
svg(940, 54, f'<rect x="0" y="0" width="940" height="54" rx="8" fill="{LIGHT}"/>'
    + lines(470, 22, ['Software per archiviazione libri, gestione prestiti agli utenti, stampa tessere d\'iscrizione,',
                      'consultazione dei testi in catalogo in sola lettura'], 15, 20, NAVY, 'normal'), 'avvio_sottotitolo')
svg(700, 30, t(350, 20, 'Quaderna 3.0 - software libero per biblioteche  \u2022  licenza GNU GPL 3 o successiva', 13, NAVY, 'normal'),
    'avvio_sito')


round_icon('icon_info', t(15, 23, 'i', 20, '#FFFFFF', 'bold', 'middle', "DejaVu Serif, serif"))
round_icon('icon_guida', t(15, 22, '?', 20, '#FFFFFF'))
round_icon('icon_copyright', t(15, 21, '\u00a9', 20, '#FFFFFF'), NAVY)
round_icon('icon_esci', '<path d="M 15 6 L 15 15" stroke="#FFFFFF" stroke-width="3" stroke-linecap="round"/>'
           '<path d="M 9.5 9.5 A 8 8 0 1 0 20.5 9.5" fill="none" stroke="#FFFFFF" stroke-width="3" '
           'stroke-linecap="round"/>', RED)

# --- login and password change -------------------------------------------------------------------
padlock = (f'<rect x="28" y="62" width="78" height="64" rx="10" fill="url(#gold)" stroke="#9A6A00" stroke-width="2"/>'
           f'<path d="M 44 62 L 44 44 A 23 23 0 0 1 90 44 L 90 62" fill="none" stroke="{NAVY}" stroke-width="10"/>'
           f'<circle cx="67" cy="88" r="8" fill="{NAVY}"/><rect x="63" y="90" width="8" height="20" rx="3" fill="{NAVY}"/>')
# The words beside the padlock are written by the windows themselves, fitted to the system's faces.
svg(134, 150, padlock, 'lucchetto')

# --- sub-menus ------------------------------------------------------------------------------------
for name, caption in [('menu_prestiti_titolo', 'PRESTITI E RESTITUZIONI'), ('menu_storico_titolo', 'STORICO E STATISTICHE')]:
    svg(940, 64, f'<rect x="0" y="0" width="940" height="64" rx="10" fill="url(#g)"/>' + t(470, 44, caption, 32, '#FFFFFF'),
        name)
svg(430, 400, f'<rect x="0" y="0" width="430" height="400" rx="16" fill="url(#sky)"/>'
    + book(60, 120, 120, 190, BLUE) + book(200, 150, 110, 160, NAVY)
    + f'<path d="M 250 80 L 360 80 L 360 60 L 400 100 L 360 140 L 360 120 L 250 120 Z" fill="{GOLD}"/>'
    + f'<path d="M 180 340 L 70 340 L 70 360 L 30 320 L 70 280 L 70 300 L 180 300 Z" fill="{GREEN}"/>',
    'menu_prestiti_illustrazione')
svg(430, 400, f'<rect x="0" y="0" width="430" height="400" rx="16" fill="url(#sky)"/>'
    + f'<rect x="50" y="60" width="330" height="280" fill="#FFFFFF" stroke="{NAVY}" stroke-width="3"/>'
    + ''.join(f'<rect x="{78 + 50 * i}" y="{320 - hgt}" width="34" height="{hgt}" fill="{c}"/>'
              for i, (hgt, c) in enumerate([(90, BLUE), (170, NAVY), (120, GOLD), (220, GREEN), (150, RED), (190, BLUE)]))
    + f'<path d="M 90 250 L 150 180 L 200 210 L 260 110 L 350 90" fill="none" stroke="{RED}" stroke-width="6"/>',
    'menu_storico_illustrazione')
caption_button('button_piccolo', 150, 40)

# --- placeholders ------------------------------------------------------------------------------------
svg(300, 400, f'<rect x="0" y="0" width="300" height="400" fill="#EEF3F8"/>'
    + f'<circle cx="150" cy="150" r="70" fill="#B8C7D6"/>'
    + f'<path d="M 40 400 Q 40 250 150 250 Q 260 250 260 400 Z" fill="#B8C7D6"/>', 'foto_bianco')
# --- printed sheets and the preview window -----------------------------------------------------------
# The emblem in the corner of the user sheet: books under an arch, no lettering (it would print as text).
svg(170, 130, f'<rect x="2" y="2" width="166" height="126" rx="12" fill="url(#sky)" stroke="{NAVY}" stroke-width="3"/>'
    + f'<path d="M 24 112 L 24 56 A 61 40 0 0 1 146 56 L 146 112" fill="none" stroke="{NAVY}" stroke-width="6"/>'
    + book(44, 58, 18, 52, BLUE) + book(64, 50, 20, 60, NAVY) + book(86, 62, 16, 48, GOLD, NAVY)
    + f'<g transform="rotate(12 114 84)">' + book(106, 58, 18, 52, RED) + '</g>'
    + f'<rect x="20" y="110" width="130" height="8" rx="2" fill="{NAVY}"/>', 'scheda_logo')

lens = (f'<circle cx="13" cy="13" r="8.5" fill="#FFFFFF" stroke="{NAVY}" stroke-width="3"/>'
        f'<path d="M 19.5 19.5 L 27 27" stroke="{NAVY}" stroke-width="4" stroke-linecap="round"/>')
svg(32, 32, f'<rect x="8" y="3" width="16" height="9" fill="#FFFFFF" stroke="{NAVY}" stroke-width="1.5"/>'
    + f'<rect x="2" y="11" width="28" height="13" rx="3" fill="{BLUE}" stroke="{NAVY}" stroke-width="1.5"/>'
    + f'<rect x="8" y="19" width="16" height="10" fill="#FFFFFF" stroke="{NAVY}" stroke-width="1.5"/>'
    + f'<circle cx="25" cy="15" r="1.6" fill="{GOLD}"/>', 'anteprima_stampa')
svg(32, 32, lens + f'<path d="M 9 13 L 17 13 M 13 9 L 13 17" stroke="{BLUE}" stroke-width="2.5"/>',
    'anteprima_ingrandisci')
svg(32, 32, lens + f'<path d="M 9 13 L 17 13" stroke="{BLUE}" stroke-width="2.5"/>', 'anteprima_riduci')
svg(32, 32, f'<rect x="3" y="5" width="26" height="22" rx="2" fill="{LIGHT}" stroke="{NAVY}" stroke-width="1.5"/>'
    + ''.join(f'<path d="{d}" fill="none" stroke="{BLUE}" stroke-width="2.5"/>'
              for d in ['M 7 14 L 7 9 L 12 9', 'M 20 9 L 25 9 L 25 14', 'M 25 18 L 25 23 L 20 23',
                        'M 12 23 L 7 23 L 7 18']), 'anteprima_schermo')
svg(32, 32, f'<circle cx="16" cy="16" r="13" fill="{RED}"/>'
    + '<path d="M 11 11 L 21 21 M 21 11 L 11 21" stroke="#FFFFFF" stroke-width="3" stroke-linecap="round"/>',
    'anteprima_chiudi')
print('pictures written to', os.path.normpath(OUT))
