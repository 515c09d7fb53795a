#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the pictures of the history, statistics and export windows into resources/art."""
from artlib import *  # noqa: F401,F403

# The backdrop of a link on the dark export strip of the history query; the program writes the
# link's word over it.
svg(160, 40, f'<rect x="1" y="1" width="158" height="38" rx="19" fill="#2B4C75" stroke="#3E6596"/>', 'link_sfondo')

# --- export windows -----------------------------------------------------------------------------
# The banner of the export windows: a sheet of cells on a green band; the program writes
# "ESPORTAZIONE IN EXCEL" over its free part.
XL, XLDARK = '#2E7D4F', '#1E5C39'
cells = ''.join(f'<rect x="{22 + 22 * (i % 4)}" y="{14 + 12 * (i // 4)}" width="20" height="10" '
                f'fill="{"#FFFFFF" if i >= 4 else LIGHT}" fill-opacity="0.9"/>' for i in range(16))
svg(837, 66, f'<defs><linearGradient id="xl" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="{XLDARK}"/>'
    f'<stop offset="1" stop-color="{XL}"/></linearGradient></defs>'
    f'<rect x="0" y="0" width="837" height="66" rx="10" fill="url(#xl)"/>'
    f'<rect x="14" y="8" width="104" height="50" rx="4" fill="{XLDARK}"/>' + cells, 'banner_excel')
# A hand pointing right, at the export command.
svg(56, 40, f'<path d="M 4 14 L 30 14 Q 34 14 34 10 Q 34 6 30 6 L 14 6" fill="none" stroke="{NAVY}" stroke-width="2"/>'
    f'<path d="M 2 14 L 40 14 Q 50 14 50 20 Q 50 26 40 26 L 36 26 Q 38 32 32 34 L 10 34 Q 2 34 2 26 Z" '
    f'fill="#F1C9A5" stroke="{NAVY}" stroke-width="2"/>'
    f'<path d="M 20 26 L 34 26 M 18 30 L 32 30" stroke="{NAVY}" stroke-width="1.5"/>', 'icon_mano')
print('history and export pictures written')
