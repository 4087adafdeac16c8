# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the main window's controls sit, in client coordinates, and what each symbol button inserts.

The chart is fixed pixel layout, so end-to-end tests click by position exactly as a user would.
"""

from dataclasses import dataclass

CLIENT_WIDTH = 331
CLIENT_HEIGHT = 226

PANELS = {
    "IPAPanel": (10, 50),
    "AdditionalPanel": (10, 50),
    "DiacriticsPanel1": (218, 50),
}


@dataclass(frozen=True)
class Rect:
    x: int
    y: int
    w: int
    h: int

    @property
    def centre(self):
        return (self.x + self.w // 2, self.y + self.h // 2)

    def moved(self, dx, dy):
        return Rect(self.x + dx, self.y + dy, self.w, self.h)

    def contains(self, x, y):
        return self.x <= x < self.x + self.w and self.y <= y < self.y + self.h


@dataclass(frozen=True)
class Symbol:
    name: str
    panel: str
    rect: Rect  # client coordinates
    text: str


# name, panel, left, top, width, height (relative to the panel), inserted text
_SYMBOLS = [
    ("See", "IPAPanel", 0, 0, 25, 24, "i"),
    ("Sit", "IPAPanel", 25, 0, 25, 24, "\u026a"),
    ("Put", "IPAPanel", 50, 0, 25, 24, "\u028a"),
    ("Too", "IPAPanel", 75, 0, 25, 24, "u"),
    ("Near", "IPAPanel", 101, 0, 33, 24, "\u026a\u0259"),
    ("Say", "IPAPanel", 134, 0, 33, 24, "e\u026a"),
    ("Slash", "IPAPanel", 167, 0, 33, 24, "/"),
    ("Ten", "IPAPanel", 0, 24, 25, 24, "e"),
    ("Mother", "IPAPanel", 25, 24, 25, 24, "\u0259"),
    ("Bird", "IPAPanel", 50, 24, 25, 24, "\u025c"),
    ("Saw", "IPAPanel", 75, 24, 25, 24, "\u0254"),
    ("Pure", "IPAPanel", 101, 24, 33, 24, "\u028a\u0259"),
    ("Boy", "IPAPanel", 134, 24, 33, 24, "\u0254\u026a"),
    ("Go", "IPAPanel", 167, 24, 33, 24, "\u0259\u028a"),
    ("Fat", "IPAPanel", 0, 48, 25, 24, "\u00e6"),
    ("Cup", "IPAPanel", 25, 48, 25, 24, "\u028c"),
    ("Arm", "IPAPanel", 50, 48, 25, 24, "\u0251"),
    ("Got", "IPAPanel", 75, 48, 25, 24, "\u0252"),
    ("Hair", "IPAPanel", 101, 48, 33, 24, "e\u0259"),
    ("Eye", "IPAPanel", 134, 48, 33, 24, "a\u026a"),
    ("Now", "IPAPanel", 167, 48, 33, 24, "a\u028a"),
    ("Pen", "IPAPanel", 0, 73, 25, 24, "p"),
    ("Bad", "IPAPanel", 25, 73, 25, 24, "b"),
    ("Tea", "IPAPanel", 50, 73, 25, 24, "t"),
    ("Did", "IPAPanel", 75, 73, 25, 24, "d"),
    ("Chain", "IPAPanel", 100, 73, 25, 24, "t\u0283"),
    ("June", "IPAPanel", 125, 73, 25, 24, "d\u0292"),
    ("Kat", "IPAPanel", 150, 73, 25, 24, "k"),
    ("Get", "IPAPanel", 175, 73, 25, 24, "g"),
    ("Fall", "IPAPanel", 0, 97, 25, 24, "f"),
    ("Van", "IPAPanel", 25, 97, 25, 24, "v"),
    ("Thin", "IPAPanel", 50, 97, 25, 24, "\u03b8"),
    ("Then", "IPAPanel", 75, 97, 25, 24, "\u00f0"),
    ("So", "IPAPanel", 100, 97, 25, 24, "s"),
    ("Zoo", "IPAPanel", 125, 97, 25, 24, "z"),
    ("She", "IPAPanel", 150, 97, 25, 24, "\u0283"),
    ("Vision", "IPAPanel", 175, 97, 25, 24, "\u0292"),
    ("Man", "IPAPanel", 0, 121, 25, 24, "m"),
    ("No", "IPAPanel", 25, 121, 25, 24, "n"),
    ("Sing", "IPAPanel", 50, 121, 25, 24, "\u014b"),
    ("Hat", "IPAPanel", 75, 121, 25, 24, "h"),
    ("Leg", "IPAPanel", 100, 121, 25, 24, "l"),
    ("Red", "IPAPanel", 125, 121, 25, 24, "r"),
    ("Wet", "IPAPanel", 150, 121, 25, 24, "w"),
    ("Yes", "IPAPanel", 175, 121, 25, 24, "j"),
    ("PrimaryStress", "DiacriticsPanel1", 0, 0, 12, 24, "\u02c8"),
    ("SecondaryStress", "DiacriticsPanel1", 13, 0, 12, 24, "\u02cc"),
    ("Long", "DiacriticsPanel1", 0, 24, 12, 24, "\u02d0"),
    ("HalfLong", "DiacriticsPanel1", 13, 24, 12, 24, "\u02d1"),
    ("Aspired", "DiacriticsPanel1", 0, 48, 25, 23, "\u02b0"),
    ("Bleu", "AdditionalPanel", 25, 48, 25, 24, "\u00f8"),
    ("Boeuf", "AdditionalPanel", 50, 48, 25, 24, "\u0153"),
    ("Du", "AdditionalPanel", 75, 48, 25, 24, "y"),
    ("Nuit", "AdditionalPanel", 100, 48, 25, 24, "\u0265"),
    ("Bed", "AdditionalPanel", 125, 48, 25, 24, "\u025b"),
    ("RPr", "AdditionalPanel", 150, 48, 25, 24, "\u02b4"),
    ("Gli", "AdditionalPanel", 25, 72, 25, 24, "\u028e"),
    ("Mignon", "AdditionalPanel", 50, 72, 25, 24, "\u0272"),
    ("Loch", "AdditionalPanel", 75, 72, 25, 24, "x"),
    ("Nicht", "AdditionalPanel", 100, 72, 25, 24, "\u00e7"),
    ("Glottal", "AdditionalPanel", 125, 72, 25, 24, "\u0294"),
    ("RollR", "AdditionalPanel", 150, 72, 25, 24, "\u02b3"),
]

SYMBOLS = {
    name: Symbol(name, panel, Rect(x, y, w, h).moved(*PANELS[panel]), text)
    for name, panel, x, y, w, h, text in _SYMBOLS
}

# Everything else the tests click, in client coordinates. The tabs are as wide as their captions;
# TabStandard and TabAdditional lie inside each tab as drawn.
CONTROLS = {
    "TntEdit1": Rect(8, 10, 236, 31),
    "BtnCopy": Rect(252, 10, 70, 28),
    "BtnDelete": Rect(252, 42, 70, 28),
    "BtnClear": Rect(252, 74, 70, 28),
    "comboSize": Rect(277, 122, 44, 21),
    "BtnAbout": Rect(252, 162, 70, 25),
    "BtnClose": Rect(252, 191, 70, 25),
    "TabSet1": Rect(9, 197, 201, 17),
    "TabStandard": Rect(12, 199, 56, 14),
    "TabAdditional": Rect(80, 199, 56, 14),
}
CONTROLS.update({name: symbol.rect for name, symbol in SYMBOLS.items()})


def control(name):
    """The client rectangle of a named control or symbol button."""
    try:
        return CONTROLS[name]
    except KeyError:
        raise KeyError(f"no control named {name!r} in the layout") from None
