# SPDX-License-Identifier: GPL-3.0-or-later
"""Drawing helpers shared by the picture scripts: one palette, one hand."""
import os
from xml.sax.saxutils import escape

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'art')
NAVY, BLUE, LIGHT, GOLD, RED, GREEN = '#1F3A5F', '#4682B4', '#DCE8F4', '#E0A526', '#B22222', '#3C8D5A'
FONT = "DejaVu Sans, Verdana, Arial, sans-serif"


def svg(w, h, body, name):
    text = (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#5B93C7"/><stop offset="1" stop-color="{NAVY}"/></linearGradient>'
            f'<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#F3C75B"/><stop offset="1" stop-color="#C98B10"/></linearGradient>'
            f'<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#EAF2FA"/><stop offset="1" stop-color="#C9DCEF"/></linearGradient></defs>\n'
            f'{body}\n</svg>\n')
    with open(os.path.join(OUT, name + '.svg'), 'w', encoding='utf-8') as f:
        f.write(text)


def t(x, y, s, size, color=NAVY, weight='bold', anchor='middle', family=FONT, style='normal'):
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" font-weight="{weight}" '
            f'font-style="{style}" fill="{color}" text-anchor="{anchor}">{escape(s)}</text>')


def lines(x, y, strings, size, step, color=NAVY, weight='normal', anchor='middle'):
    return ''.join(t(x, y + i * step, s, size, color, weight, anchor) for i, s in enumerate(strings))



def frame(inner):
    return (f'<rect x="4" y="6" width="210" height="178" rx="14" fill="#000" fill-opacity="0.10"/>'
            f'<rect x="2" y="2" width="210" height="178" rx="14" fill="url(#sky)" stroke="{BLUE}" stroke-width="2"/>'
            + inner)


def book(x, y, w, h, color, band=GOLD):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="3" fill="{color}"/>'
            f'<rect x="{x}" y="{y + h * 0.15}" width="{w}" height="{h * 0.08}" fill="{band}"/>'
            f'<rect x="{x}" y="{y + h * 0.77}" width="{w}" height="{h * 0.08}" fill="{band}"/>')


def person(cx, cy, s, color):
    return (f'<circle cx="{cx}" cy="{cy}" r="{14 * s}" fill="{color}"/>'
            f'<path d="M {cx - 26 * s} {cy + 46 * s} Q {cx - 26 * s} {cy + 16 * s} {cx} {cy + 16 * s} '
            f'Q {cx + 26 * s} {cy + 16 * s} {cx + 26 * s} {cy + 46 * s} Z" fill="{color}"/>')


def card(x, y, w, h):
    return (f'<rect x="{x + 3}" y="{y + 4}" width="{w}" height="{h}" rx="8" fill="#000" fill-opacity="0.15"/>'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="8" fill="#FFFFFF" stroke="{NAVY}" stroke-width="2"/>'
            f'<rect x="{x}" y="{y}" width="{w}" height="{h * 0.24}" rx="8" fill="{BLUE}"/>'
            f'<rect x="{x + 10}" y="{y + h * 0.36}" width="{w * 0.28}" height="{h * 0.52}" fill="{LIGHT}" stroke="{BLUE}"/>'
            + person(x + 10 + w * 0.14, y + h * 0.5, 0.42 * h / 90, BLUE) +
            ''.join(f'<rect x="{x + w * 0.42}" y="{y + h * (0.42 + 0.14 * i)}" width="{w * (0.48 - 0.08 * i)}" '
                    f'height="{h * 0.06}" rx="2" fill="{NAVY}" fill-opacity="0.6"/>' for i in range(4)))


def caption_button(name, w=308, h=38):
    # The caption is written by the program over the button, in a size that fits the face the
    # system has: a caption drawn here would run out of the button with a wider face.
    body = (f'<rect x="1" y="3" width="{w - 2}" height="{h - 4}" rx="{(h - 4) / 2}" fill="#000" fill-opacity="0.18"/>'
            f'<rect x="1" y="1" width="{w - 2}" height="{h - 4}" rx="{(h - 4) / 2}" fill="url(#g)" stroke="{NAVY}"/>')
    svg(w, h, body, name)


def round_icon(name, inner, color=BLUE, size=30):
    r = size / 2
    svg(size, size, f'<circle cx="{r}" cy="{r}" r="{r - 1}" fill="{color}"/>' + inner, name)


