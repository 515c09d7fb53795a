#!/usr/bin/env python3
"""Draws the pictures of the history, statistics and export windows into resources/art."""
from artlib import *  # noqa: F401,F403

# The backdrop of a link on the dark export strip of the history query; the program writes the
# link's word over it.
svg(160, 40, f'<rect x="1" y="1" width="158" height="38" rx="19" fill="#2B4C75" stroke="#3E6596"/>', 'link_sfondo')
print('history pictures written')
