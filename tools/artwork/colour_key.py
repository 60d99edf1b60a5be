"""The colour key of the landing window and the helpers that keep it honest.

The program punches out every pixel of exactly KEY, so the artwork may
hold that colour only where the window is meant to be see-through.
"""

from PIL import Image, ImageChops

import launcher_facts as facts

# The landing window is a colour-keyed layered window: every pixel of
# exactly this colour is punched out.
KEY = facts.KEY
# What an accidental key-coloured pixel inside the artwork becomes.
KEY_NUDGED = (31, 30, 30)
# Anti-aliased silhouette edges are blended against this instead of the
# key, so the cut-out edge reads as a thin dark outline on any desktop.
EDGE_DARK = (12, 10, 9)


def key_equal_mask(rgb):
    """255 where an RGB image holds exactly the key colour."""
    chans = [c.point(lambda v, k=k: 255 if v == k else 0)
             for c, k in zip(rgb.split(), KEY)]
    return ImageChops.multiply(ImageChops.multiply(chans[0], chans[1]),
                               chans[2])


def nudge_key(rgb, keep=None):
    """Move accidental key-coloured pixels off the key (except `keep`)."""
    m = key_equal_mask(rgb)
    if keep is not None:
        m = ImageChops.subtract(m, keep)
    rgb.paste(KEY_NUDGED, mask=m)
    return rgb


def flatten_on_key(rgba):
    """Hard-edged cut-out: mostly covered pixels keep their colour (edges
    darkened), the rest becomes the key."""
    cover = rgba.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    art = Image.new("RGBA", rgba.size, EDGE_DARK + (255,))
    art.alpha_composite(rgba)
    art = nudge_key(art.convert("RGB"))
    out = Image.new("RGB", rgba.size, KEY)
    out.paste(art, mask=cover)
    return out

