"""The typefaces: a CJK font for the Chinese captions and a book serif for
the wordmark."""

import os

CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
# The wordmark wants a classic book serif (URW's Palatino clone); the
# others are fallbacks that change the look, so a fallback is reported.
TITLE_FONTS = (
    "/usr/share/fonts/opentype/urw-base35/P052-Bold.otf",
    "/usr/share/fonts/opentype/urw-base35/C059-Bold.otf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
)


def title_font():
    for path in TITLE_FONTS:
        if os.path.exists(path):
            if path != TITLE_FONTS[0]:
                print("warning: %s missing, wordmark drawn with %s"
                      % (TITLE_FONTS[0], path))
            return path
    print("warning: no serif font found, wordmark drawn with %s" % CJK_FONT)
    return CJK_FONT
