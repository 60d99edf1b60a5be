"""The named colours the pictures share: gold, teal and crimson for the
ornaments, and the warm orange band of the title bar with its glyphs."""

GOLD_SHADOW = (58, 34, 10)
GOLD_DEEP = (110, 70, 22)
GOLD = (196, 146, 60)
GOLD_BRIGHT = (238, 198, 110)
GOLD_PALE = (255, 240, 196)

TEAL_BLACK = (6, 28, 32)
TEAL_DEEP = (10, 58, 62)
TEAL = (24, 112, 112)
TEAL_BRIGHT = (74, 190, 178)
TEAL_GLOW = (150, 240, 220)

CRIMSON_DEEP = (96, 12, 16)
CRIMSON = (170, 30, 34)
CRIMSON_BRIGHT = (222, 72, 62)

CREAM = (250, 240, 222)

# Title bar: a warm orange band.
STRIP_TOP = (198, 106, 32)
STRIP_MID = (166, 74, 16)
STRIP_BOTTOM = (112, 42, 8)
STRIP_HIGHLIGHT = (238, 160, 80)
STRIP_EDGE = (78, 28, 6)
GLYPH = (255, 242, 214)
GLYPH_SHADOW = (86, 32, 4)
HOVER_BORDER = (255, 196, 84)
HOVER_GLOW = (255, 150, 40)
