# SPDX-License-Identifier: GPL-3.0-or-later
"""The generated Korvani font against the legacy code table and its source, Charis SIL."""

import os
import re
import unittest

from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.ttLib import TTFont

FONT = os.environ["KORVANI_FONT"]
SOURCE = os.environ["KORV_CHARIS_REGULAR"]
TABLE_SOURCE = os.path.join(os.environ["KORV_SOURCE_DIR"], "src", "export", "legacycode.cpp")
# How each reader reaches a code: plain Latin-1 text, and RTF symbol-charset text (U+F0xx).
ENCODINGS = [((3, 1), 0), ((0, 3), 0), ((3, 1), 0xF000), ((0, 3), 0xF000), ((3, 0), 0xF000)]


def legacy_rows():
    with open(TABLE_SOURCE, encoding="utf-8") as f:
        rows = re.findall(r"\{0x([0-9A-Fa-f]{4}), (\d+)\}", f.read())
    return {int(unicode, 16): int(code) for unicode, code in rows}


def drawing(font, glyph):
    pen = DecomposingRecordingPen(font.getGlyphSet())
    font.getGlyphSet()[glyph].draw(pen)
    return font["hmtx"][glyph][0], pen.value


class KorvaniFontTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = TTFont(FONT)
        cls.source = TTFont(SOURCE)
        cls.rows = legacy_rows()

    def test_each_code_draws_its_row_or_else_its_own_character(self):
        self.assertEqual(len(self.rows), 31)
        symbol = {code: unicode for unicode, code in self.rows.items()}
        source = self.source.getBestCmap()
        for code in sorted(set(range(0x100)) | set(symbol)):
            unicode = symbol.get(code, code)
            with self.subTest(f"U+{unicode:04X} at {code}"):
                # Controls: the source has nothing to draw, and neither has Korvani.
                has = code in symbol or unicode in source
                expected = drawing(self.source, source[unicode]) if has else None
                for (platform, encoding), base in ENCODINGS:
                    glyph = self.font["cmap"].getcmap(platform, encoding).cmap.get(base + code)
                    drawn = drawing(self.font, glyph) if glyph is not None else None
                    self.assertEqual(drawn, expected, f"({platform},{encoding}) U+{base + code:04X}")
        for (platform, encoding), _ in ENCODINGS:
            extra = [u for u in self.font["cmap"].getcmap(platform, encoding).cmap if u & 0xFF00 not in (0, 0xF000)]
            self.assertEqual(extra, [], (platform, encoding))

    def test_names_and_licence(self):
        names = self.font["name"]
        self.assertEqual(names.getDebugName(1), "Korvani")
        self.assertEqual(names.getDebugName(2), "Regular")
        for name in names.names:
            if name.nameID not in (0, 9, 10, 13, 14):
                self.assertNotRegex(name.toUnicode(), r"Charis|SIL", name.nameID)
        licence = self.source["name"].getDebugName(13)
        self.assertIn("Open Font License", licence)
        self.assertEqual(names.getDebugName(13), licence)
        with open(os.path.join(os.path.dirname(FONT), "Korvani-OFL.txt"), encoding="utf-8") as f:
            self.assertEqual(f.read().strip(), licence.strip())


if __name__ == "__main__":
    unittest.main()
