#!/usr/bin/python3
"""Draws the launcher's artwork into res/pictures/.

Everything is painted procedurally with Pillow so the pictures can be
regenerated (and tweaked) without any image editor.  The output is checked
in, so building the launcher never needs this script.  The drawing code
lives in the artwork package next to this file; its __init__ says which
module draws what.

Run with Debian's interpreter (python3-pil, fonts-wqy-zenhei for the
captions, fonts-urw-base35 for the wordmark):

    /usr/bin/python3 tools/make_pictures.py

The output is byte-for-byte reproducible: there is no randomness except
from fixed seeds, and all shapes are computed from constants; the places,
sizes and file names the program relies on come from its own headers
through launcher_facts.py.
"""

import os

import launcher_facts as facts
from artwork.app_icon import draw_icon, write_ico
from artwork.button_faces import draw_round_buttons, draw_title_faces
from artwork.colour_key import key_equal_mask
from artwork.fonts import CJK_FONT
from artwork.landing import draw_landing, save_png
from artwork.title_bar import draw_title_bar

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "res", "pictures")


def main():
    if not os.path.exists(CJK_FONT):
        raise SystemExit("make_pictures: %s missing (apt-get install "
                         "fonts-wqy-zenhei)" % CJK_FONT)
    os.makedirs(OUT_DIR, exist_ok=True)
    landing = draw_landing()
    save_png(landing, os.path.join(OUT_DIR, facts.LANDING_ART))
    keyed = key_equal_mask(landing).histogram()[255]
    print("%s: %d key pixels of %d" % (facts.LANDING_ART, keyed,
                                       landing.width * landing.height))
    # The round buttons are painted over the artwork they sit on.
    pics = draw_round_buttons(landing)
    pics.update(draw_title_faces())
    pics.update(draw_title_bar())
    for name, img in sorted(pics.items()):
        img.save(os.path.join(OUT_DIR, name), "BMP")
    write_ico(draw_icon(), os.path.join(OUT_DIR, facts.APP_ICON))


if __name__ == "__main__":
    main()
