#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the legacy 8-bit IPA font "Korvani" from Charis SIL Regular.

Each code 0..255 draws the glyph of the Unicode character the program re-codes to it (the table
is what korv_legacytable prints); every other code draws its own Latin-1 character,
when the source font has one. The codes are reachable three ways, so that every reader finds them:
U+0000-U+00FF (plain text, HTML), U+F000-U+F0FF (RTF symbol-charset text as LibreOffice reads it)
in the Unicode subtables, and U+F0xx in a Windows symbol subtable.

Usage: makekorvani.py TABLE_PROGRAM SOURCE.ttf OUTPUT_DIR
Writes Korvani.ttf, Korvani-OFL.txt (the source font's licence, unchanged) and Korvani-FONTLOG.txt
(what was changed, as the licence asks).
"""

import logging
import os
import re
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4

FAMILY = "Korvani"
VERSION = "1.000"
SYMBOL_BASE = 0xF000
# Names of the source that describe the source itself (reserved names, trademark, vendor, feature
# names); the derived font gets its own or none.
KEPT_NAME_IDS = (0, 9, 12, 13, 14)
WINDOWS_ENGLISH = (3, 1, 0x409)

FONTLOG = """\
Korvani-FONTLOG.txt: how Korvani.ttf was made

Korvani.ttf is a Modified Version of {source} (version {source_version}), Font Software by SIL
International, licensed under the SIL Open Font License, Version 1.1 (see Korvani-OFL.txt, the
source font's licence text, unchanged). Korvani is under the same licence. It does not use the
source's Reserved Font Names.

Changes, all made by a script at build time (data/fonts/makekorvani.py):
- Renamed: family "Korvani", style "Regular", version {version}. The source's copyright notice,
  licence, designers and licence address are kept; trademark, vendor and feature names dropped.
- Reduced to the glyphs of the 8-bit legacy IPA code layout below, plus what the kept
  OpenType features (default shaping only) reach; outlines, metrics and hinting are unchanged.
- Re-encoded: each legacy code draws the glyph of its IPA symbol; every other code 0-255 draws
  its own Latin-1 character. The codes are mapped at U+0000-U+00FF and at U+F000-U+F0FF in the
  Unicode subtables and at U+F000-U+F0FF in a Windows symbol subtable.

Legacy codes (code: symbol):
{rows}
"""


def read_table(program):
    """{unicode: code} from the program's lines 'U+XXXX code'."""
    table = {}
    for line in subprocess.run([program], check=True, capture_output=True, text=True).stdout.splitlines():
        match = re.fullmatch(r"U\+([0-9A-F]{4,6}) (\d+)", line.strip())
        if not match:
            raise SystemExit(f"unreadable table line: {line!r}")
        table[int(match.group(1), 16)] = int(match.group(2))
    codes = list(table.values())
    if not table or any(not 0 <= code <= 0xFF for code in codes) or len(set(codes)) != len(codes):
        raise SystemExit("the table must give distinct codes 0..255")
    return table


def code_glyphs(source_cmap, table):
    """{code: glyph name}: the row's symbol, otherwise the code's own character."""
    glyphs = {}
    for code in range(0x100):
        glyph = source_cmap.get(code)
        if glyph is not None:
            glyphs[code] = glyph
    for unicode, code in table.items():
        if unicode not in source_cmap:
            raise SystemExit(f"the source font has no glyph for U+{unicode:04X}")
        glyphs[code] = source_cmap[unicode]
    return glyphs


def subtable(platform, encoding, mapping):
    table = cmap_format_4(4)
    table.platformID, table.platEncID, table.language = platform, encoding, 0
    table.cmap = dict(mapping)
    return table


def encode(font, glyphs):
    latin = dict(glyphs)
    symbol = {SYMBOL_BASE + code: glyph for code, glyph in glyphs.items()}
    cmap = newTable("cmap")
    cmap.tableVersion = 0
    cmap.tables = [
        subtable(0, 3, {**latin, **symbol}),
        subtable(3, 0, symbol),
        subtable(3, 1, {**latin, **symbol}),
    ]
    font["cmap"] = cmap


def rename(font):
    name = font["name"]
    kept = {i: name.getDebugName(i) for i in KEPT_NAME_IDS if name.getDebugName(i)}
    name.names = []
    own = {
        1: FAMILY,
        2: "Regular",
        3: f"{FAMILY} Regular {VERSION}",
        4: FAMILY,
        5: f"Version {VERSION}",
        6: f"{FAMILY}-Regular",
        10: "Legacy 8-bit IPA code layout; a Modified Version of an SIL Open Font License font "
        "(see Korvani-FONTLOG.txt).",
    }
    for name_id, text in sorted({**kept, **own}.items()):
        name.setName(text, name_id, *WINDOWS_ENGLISH)
    font["head"].fontRevision = float(VERSION)
    os2 = font["OS/2"]
    os2.achVendID = "NONE"
    # Latin 1 and symbol character sets: the codes serve both.
    os2.ulCodePageRange1 = (1 << 0) | (1 << 31)
    os2.ulCodePageRange2 = 0
    os2.recalcUnicodeRanges(font)


def build(source_path, out_dir, table):
    font = TTFont(source_path, recalcTimestamp=False)
    source_name = font["name"].getDebugName(4)
    source_version = font["name"].getDebugName(5).removeprefix("Version ")
    glyphs = code_glyphs(font.getBestCmap(), table)

    options = subset.Options()
    options.glyph_names = True
    options.notdef_outline = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=sorted(set(glyphs.values())))
    subsetter.subset(font)

    encode(font, glyphs)
    rename(font)
    licence = font["name"].getDebugName(13)
    if not licence or "Open Font License" not in licence:
        raise SystemExit("the source font carries no Open Font License text")

    os.makedirs(out_dir, exist_ok=True)
    font.save(os.path.join(out_dir, "Korvani.ttf"))
    with open(os.path.join(out_dir, "Korvani-OFL.txt"), "w", encoding="utf-8") as f:
        f.write(licence.rstrip() + "\n")
    rows = "\n".join(
        f"  {code:3d}: U+{unicode:04X} {chr(unicode)}" for unicode, code in sorted(table.items(), key=lambda r: r[1])
    )
    with open(os.path.join(out_dir, "Korvani-FONTLOG.txt"), "w", encoding="utf-8") as f:
        f.write(
            FONTLOG.format(source=source_name, source_version=source_version, version=VERSION, rows=rows)
        )


def main(argv):
    if len(argv) != 4:
        raise SystemExit(__doc__)
    # The subsetter names every source table it leaves out (the source's own 'Silt'): not news.
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)
    build(argv[2], argv[3], read_table(argv[1]))


if __name__ == "__main__":
    main(sys.argv)
