#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the scalable icon: a deep blue rounded tile with a white schwa of Charis SIL, centred by
its ink. The glyph is stored as a path, so the icon needs no font where it is shown; the program
draws its own icon from the same path (src/app/appicon.cpp).

Usage: data/icons/drawicon.py [FONT] > data/icons/org.example.korvani.svg
"""
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

SIZE = 64.0
FONT = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/truetype/charis/CharisSIL-Regular.ttf"

font = TTFont(FONT)
glyphs = font.getGlyphSet()
name = font.getBestCmap()[0x0259]
scale = round(SIZE * 0.95) / font["head"].unitsPerEm

bounds = BoundsPen(glyphs)
glyphs[name].draw(bounds)
x_min, y_min, x_max, y_max = bounds.bounds
# Font units to pixels, y downwards, ink centred on the tile as QFontMetricsF::tightBoundingRect does.
dx = (SIZE - (x_max - x_min) * scale) / 2 - x_min * scale
dy = (SIZE - (y_max - y_min) * scale) / 2 + y_max * scale

path = SVGPathPen(glyphs, ntos=lambda v: f"{v:.2f}".rstrip("0").rstrip("."))
glyphs[name].draw(TransformPen(path, (scale, 0, 0, -scale, dx, dy)))

radius = SIZE * 0.18
print(f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE:g}" height="{SIZE:g}" viewBox="0 0 {SIZE:g} {SIZE:g}">
  <rect x="0.5" y="0.5" width="{SIZE - 1:g}" height="{SIZE - 1:g}" rx="{radius:g}" ry="{radius:g}"
        fill="#1f4e8c" stroke="#0f2e5a" stroke-width="2"/>
  <path fill="#ffffff" d="{path.getCommands()}"/>
</svg>""")
