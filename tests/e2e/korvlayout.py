# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the main window's controls sit, in client coordinates, and what each symbol button inserts.

The chart is fixed pixel layout, so end-to-end tests click by position exactly as a user would.
"""

from dataclasses import dataclass

CLIENT_WIDTH = 331
CLIENT_HEIGHT = 226

PANELS = {
    "StandardChart": (10, 50),
    "AdditionalChart": (10, 50),
    "DiacriticsChart": (218, 50),
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
    ("See", "StandardChart", 0, 0, 25, 24, "i"),
    ("Sit", "StandardChart", 25, 0, 25, 24, "\u026a"),
    ("Put", "StandardChart", 50, 0, 25, 24, "\u028a"),
    ("Too", "StandardChart", 75, 0, 25, 24, "u"),
    ("Near", "StandardChart", 101, 0, 33, 24, "\u026a\u0259"),
    ("Say", "StandardChart", 134, 0, 33, 24, "e\u026a"),
    ("Slash", "StandardChart", 167, 0, 33, 24, "/"),
    ("Ten", "StandardChart", 0, 24, 25, 24, "e"),
    ("Mother", "StandardChart", 25, 24, 25, 24, "\u0259"),
    ("Bird", "StandardChart", 50, 24, 25, 24, "\u025c"),
    ("Saw", "StandardChart", 75, 24, 25, 24, "\u0254"),
    ("Pure", "StandardChart", 101, 24, 33, 24, "\u028a\u0259"),
    ("Boy", "StandardChart", 134, 24, 33, 24, "\u0254\u026a"),
    ("Go", "StandardChart", 167, 24, 33, 24, "\u0259\u028a"),
    ("Fat", "StandardChart", 0, 48, 25, 24, "\u00e6"),
    ("Cup", "StandardChart", 25, 48, 25, 24, "\u028c"),
    ("Arm", "StandardChart", 50, 48, 25, 24, "\u0251"),
    ("Got", "StandardChart", 75, 48, 25, 24, "\u0252"),
    ("Hair", "StandardChart", 101, 48, 33, 24, "e\u0259"),
    ("Eye", "StandardChart", 134, 48, 33, 24, "a\u026a"),
    ("Now", "StandardChart", 167, 48, 33, 24, "a\u028a"),
    ("Pen", "StandardChart", 0, 73, 25, 24, "p"),
    ("Bad", "StandardChart", 25, 73, 25, 24, "b"),
    ("Tea", "StandardChart", 50, 73, 25, 24, "t"),
    ("Did", "StandardChart", 75, 73, 25, 24, "d"),
    ("Chain", "StandardChart", 100, 73, 25, 24, "t\u0283"),
    ("June", "StandardChart", 125, 73, 25, 24, "d\u0292"),
    ("Kat", "StandardChart", 150, 73, 25, 24, "k"),
    ("Get", "StandardChart", 175, 73, 25, 24, "g"),
    ("Fall", "StandardChart", 0, 97, 25, 24, "f"),
    ("Van", "StandardChart", 25, 97, 25, 24, "v"),
    ("Thin", "StandardChart", 50, 97, 25, 24, "\u03b8"),
    ("Then", "StandardChart", 75, 97, 25, 24, "\u00f0"),
    ("So", "StandardChart", 100, 97, 25, 24, "s"),
    ("Zoo", "StandardChart", 125, 97, 25, 24, "z"),
    ("She", "StandardChart", 150, 97, 25, 24, "\u0283"),
    ("Vision", "StandardChart", 175, 97, 25, 24, "\u0292"),
    ("Man", "StandardChart", 0, 121, 25, 24, "m"),
    ("No", "StandardChart", 25, 121, 25, 24, "n"),
    ("Sing", "StandardChart", 50, 121, 25, 24, "\u014b"),
    ("Hat", "StandardChart", 75, 121, 25, 24, "h"),
    ("Leg", "StandardChart", 100, 121, 25, 24, "l"),
    ("Red", "StandardChart", 125, 121, 25, 24, "r"),
    ("Wet", "StandardChart", 150, 121, 25, 24, "w"),
    ("Yes", "StandardChart", 175, 121, 25, 24, "j"),
    ("PrimaryStress", "DiacriticsChart", 0, 0, 12, 24, "\u02c8"),
    ("SecondaryStress", "DiacriticsChart", 13, 0, 12, 24, "\u02cc"),
    ("Long", "DiacriticsChart", 0, 24, 12, 24, "\u02d0"),
    ("HalfLong", "DiacriticsChart", 13, 24, 12, 24, "\u02d1"),
    ("Aspired", "DiacriticsChart", 0, 48, 25, 23, "\u02b0"),
    ("Bleu", "AdditionalChart", 25, 48, 25, 24, "\u00f8"),
    ("Boeuf", "AdditionalChart", 50, 48, 25, 24, "\u0153"),
    ("Du", "AdditionalChart", 75, 48, 25, 24, "y"),
    ("Nuit", "AdditionalChart", 100, 48, 25, 24, "\u0265"),
    ("Bed", "AdditionalChart", 125, 48, 25, 24, "\u025b"),
    ("RPr", "AdditionalChart", 150, 48, 25, 24, "\u02b4"),
    ("Gli", "AdditionalChart", 25, 72, 25, 24, "\u028e"),
    ("Mignon", "AdditionalChart", 50, 72, 25, 24, "\u0272"),
    ("Loch", "AdditionalChart", 75, 72, 25, 24, "x"),
    ("Nicht", "AdditionalChart", 100, 72, 25, 24, "\u00e7"),
    ("Glottal", "AdditionalChart", 125, 72, 25, 24, "\u0294"),
    ("RollR", "AdditionalChart", 150, 72, 25, 24, "\u02b3"),
]

SYMBOLS = {
    name: Symbol(name, panel, Rect(x, y, w, h).moved(*PANELS[panel]), text)
    for name, panel, x, y, w, h, text in _SYMBOLS
}

# Everything else the tests click, in client coordinates. The tabs are as wide as their captions;
# TabStandard and TabAdditional lie inside each tab as drawn.
CONTROLS = {
    "Line": Rect(8, 10, 236, 31),
    "CopyButton": Rect(252, 10, 70, 28),
    "BackButton": Rect(252, 42, 70, 28),
    "ClearButton": Rect(252, 74, 70, 28),
    "SizeBox": Rect(277, 122, 44, 21),
    "AboutButton": Rect(252, 162, 70, 25),
    "HideButton": Rect(252, 191, 70, 25),
    "ChartTabs": Rect(9, 197, 201, 17),
    "TabStandard": Rect(12, 199, 56, 14),
    "TabAdditional": Rect(80, 199, 56, 14),
    # On the All tab: the search field, and the button that opens the IPA chart beside it.
    "SearchField": Rect(10, 50, 130, 20),
    "ChartButton": Rect(160, 50, 50, 20),
}
CONTROLS.update({name: symbol.rect for name, symbol in SYMBOLS.items()})


def control(name):
    """The client rectangle of a named control or symbol button."""
    try:
        return CONTROLS[name]
    except KeyError:
        raise KeyError(f"no control named {name!r} in the layout") from None
