#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the help, information, credits and attachments windows into
resources/art. Same palette and hand as the other windows; the words beside the pictures are
written by the windows themselves.
"""
from artlib import *  # noqa: F401,F403

W = '#FFFFFF'

# The help window's heading: a question mark on a round blue badge.
question = (f'<path d="M 20 21 A 8 8 0 1 1 31 28 Q 28 30 28 34 L 28 36" fill="none" stroke="{W}" '
            f'stroke-width="5" stroke-linecap="round"/><circle cx="28" cy="44" r="3.2" fill="{W}"/>')
svg(56, 56, f'<circle cx="29" cy="30" r="26" fill="#000" fill-opacity="0.15"/>'
    f'<circle cx="28" cy="28" r="26" fill="url(#g)" stroke="{NAVY}" stroke-width="1.5"/>' + question, 'guida_logo')

# The information window's heading: an "i" on a gold badge.
svg(56, 56, f'<circle cx="29" cy="30" r="26" fill="#000" fill-opacity="0.15"/>'
    f'<circle cx="28" cy="28" r="26" fill="url(#gold)" stroke="#9A6A00" stroke-width="1.5"/>'
    f'<circle cx="28" cy="15" r="4" fill="{W}"/><rect x="24" y="22" width="8" height="22" rx="3" fill="{W}"/>',
    'info_logo')

# The small document beside the link to the user guide.
svg(24, 24, f'<path d="M 5 2 L 15 2 L 20 7 L 20 22 L 5 22 Z" fill="{W}" stroke="{NAVY}" stroke-width="1.2"/>'
    f'<path d="M 15 2 L 15 7 L 20 7" fill="none" stroke="{NAVY}" stroke-width="1.2"/>'
    f'<rect x="3" y="11" width="15" height="7" rx="1.5" fill="{RED}"/>'
    + ''.join(f'<rect x="{5.5 + 4 * i}" y="13.5" width="2.4" height="2" fill="{W}"/>' for i in range(3)), 'icon_pdf')

# The attachments window's explanation: a paper clip on a sheet.
sheet = (f'<path d="M 14 10 L 50 10 L 64 24 L 64 74 L 14 74 Z" fill="{W}" stroke="{NAVY}" stroke-width="2"/>'
         f'<path d="M 50 10 L 50 24 L 64 24" fill="none" stroke="{NAVY}" stroke-width="2"/>'
         + ''.join(f'<path d="M 22 {36 + 8 * i} L 56 {36 + 8 * i}" stroke="{BLUE}" stroke-width="2"/>'
                   for i in range(4)))
paper_clip = (f'<path d="M 30 50 L 30 14 A 8 8 0 0 1 46 14 L 46 54 A 5 5 0 0 1 36 54 L 36 20" fill="none" '
              f'stroke="{GOLD}" stroke-width="4" stroke-linecap="round"/>')
svg(80, 80, f'<rect x="2" y="2" width="76" height="76" rx="14" fill="url(#sky)" stroke="{BLUE}" stroke-width="2"/>'
    + sheet + paper_clip, 'allega_logo')


# The credits: a reading room with shelves, a desk, a lamp and an open book.
def shelf(x, y, w, colours):
    body = f'<rect x="{x}" y="{y + 70}" width="{w}" height="8" rx="2" fill="{NAVY}"/>'
    bx = x + 6
    for i, c in enumerate(colours):
        bw = 14 + (i * 7) % 9
        bh = 48 + (i * 13) % 20
        body += book(bx, y + 70 - bh, bw, bh, c)
        bx += bw + 3
    return body


palette = [BLUE, NAVY, RED, GREEN, GOLD, '#6A5ACD', BLUE, '#8B4513', NAVY, GREEN, RED, '#2E8B57', GOLD]
room = (f'<rect x="0" y="0" width="625" height="380" rx="16" fill="url(#sky)"/>'
        f'<rect x="0" y="300" width="625" height="80" fill="{LIGHT}"/>'
        f'<rect x="30" y="36" width="250" height="250" rx="8" fill="#C9A66B" stroke="#8B6B3A" stroke-width="3"/>'
        + shelf(40, 44, 230, palette[:10]) + shelf(40, 124, 230, palette[3:13]) + shelf(40, 204, 230, palette[1:11])
        + f'<rect x="330" y="238" width="260" height="16" rx="4" fill="#8B6B3A"/>'
        f'<rect x="348" y="254" width="14" height="46" fill="#8B6B3A"/><rect x="558" y="254" width="14" height="46" fill="#8B6B3A"/>'
        # the lamp
        f'<path d="M 540 238 L 540 226 L 552 226 L 552 238 Z" fill="{NAVY}"/>'
        f'<path d="M 546 226 L 522 160 L 500 176" fill="none" stroke="{NAVY}" stroke-width="5" stroke-linecap="round"/>'
        f'<path d="M 476 168 L 512 150 L 522 176 Z" fill="{GOLD}" stroke="#9A6A00" stroke-width="2"/>'
        f'<path d="M 480 176 L 430 236 L 520 236 Z" fill="#FFF3B0" fill-opacity="0.55"/>'
        # the open book
        f'<path d="M 410 236 Q 440 222 470 232 Q 500 222 530 236 L 530 240 L 410 240 Z" fill="{W}" stroke="{NAVY}" stroke-width="2"/>'
        f'<path d="M 470 232 L 470 240" stroke="{NAVY}" stroke-width="2"/>'
        # a library card leaning on the books
        + f'<g transform="rotate(-8 370 200)">' + card(340, 176, 70, 44) + '</g>'
        # a window with the sky
        + f'<rect x="340" y="34" width="230" height="110" rx="6" fill="#EAF6FF" stroke="{NAVY}" stroke-width="3"/>'
        f'<path d="M 455 34 L 455 144 M 340 89 L 570 89" stroke="{NAVY}" stroke-width="3"/>'
        f'<circle cx="520" cy="66" r="14" fill="{GOLD}" fill-opacity="0.8"/>')
svg(625, 380, room, 'splash')
print('help window pictures written')
