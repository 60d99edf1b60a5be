"""What the launcher's own sources say about its window and its pictures, for
the Python side: the picture generator, the picture check and the acceptance
suite.

The C++ headers stay the one place where a button's place, its size and its
face resources are written down; this module reads them from there rather
than keeping copies that could drift apart:

  core/chrome_table.h   kChromeButtons (place, size, plain face of each button),
                        kLandingButtons and kBarButtons
  core/layout.h         the landing size, the browser's place in the artwork,
                        the title bar's pieces and the colour key
  res/resource_ids.h    the resource numbers
  res/orvendal.rc       which file under res/ each resource is

Facts that only the Python side needs (how many key-coloured pixels a face
carries, the icon's size) are kept at the end of this file.
"""

import collections
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHROME_TABLE = os.path.join(ROOT, "core", "chrome_table.h")
LAYOUT = os.path.join(ROOT, "core", "layout.h")
RESOURCE_IDS = os.path.join(ROOT, "res", "resource_ids.h")
RESOURCE_SCRIPT = os.path.join(ROOT, "res", "orvendal.rc")


class SourceError(Exception):
    """A header no longer has the shape this module reads."""


def _read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def _without_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def _block(text, opening, path):
    """The text between `opening ... {` and the matching `};`."""
    match = re.search(re.escape(opening) + r"[^{]*\{(.*?)\};", text, re.S)
    if not match:
        raise SourceError("%s: no %s" % (path, opening))
    return match.group(1)


def read_resource_ids(path=RESOURCE_IDS):
    """{"IDB_LOGO": 121, ...} from the #define lines."""
    ids = {}
    for name, value in re.findall(r"^\s*#\s*define\s+(ID\w+)\s+(\d+)\b",
                                  _read(path), re.M):
        ids[name] = int(value)
    if not ids:
        raise SourceError("%s: no resource identifiers" % path)
    return ids


def read_resource_files(path=RESOURCE_SCRIPT):
    """{"IDB_LOGO": "pictures/121_logo.bmp", ...}: the file each resource
    is made of, relative to res/."""
    files = dict(re.findall(r'^\s*(ID\w+)\s+\w+\s+"([^"]+)"\s*$',
                            _read(path), re.M))
    if not files:
        raise SourceError("%s: no resource files" % path)
    return files


def read_layout(path=LAYOUT):
    """The integer and rectangle constants of the layout header, by name."""
    text = _without_comments(_read(path))
    values = {}
    for name, value in re.findall(
            r"constexpr\s+(?:int|unsigned)\s+(k\w+)\s*=\s*(0x[0-9A-Fa-f]+|\d+)"
            r"[uU]?\s*;", text):
        values[name] = int(value, 0)
    for name, body in re.findall(
            r"constexpr\s+IntRect\s+(k\w+)\s*=\s*\{([^}]*)\}\s*;", text):
        values[name] = tuple(int(v) for v in body.split(","))
    return values


class Button(collections.namedtuple(
        "Button", "name x y width height shown_at_creation offset_from_right "
                  "plain_face hover_face")):
    """One row of kChromeButtons; x and y are where it is created."""

    @property
    def size(self):
        return (self.width, self.height)


def read_chrome_buttons(path=CHROME_TABLE, ids=None):
    """The rows of kChromeButtons as Buttons, in the table's order, with
    the face resources resolved to their numbers."""
    ids = read_resource_ids() if ids is None else ids
    text = _without_comments(_read(path))
    order = [n.strip() for n in
             _block(text, "enum ChromeButton", path).split(",") if n.strip()]
    if order[-1] != "ChromeButtonCount":
        raise SourceError("%s: enum ChromeButton does not end with its "
                          "count" % path)
    order = order[:-1]
    row = re.compile(r"\{\s*(\w+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(\d+)\s*,"
                     r"\s*(\d+)\s*,\s*(true|false)\s*,\s*(\d+)\s*,\s*(\w+)\s*,")
    buttons = []
    for match in row.finditer(_block(text, "kChromeButtons[", path)):
        name, x, y, w, h, shown, right, face = match.groups()
        if face not in ids:
            raise SourceError("%s: %s's face %s is not in %s"
                              % (path, name, face, RESOURCE_IDS))
        plain = ids[face]
        # The program takes the hover face to be the plain face's number
        # minus one (HoverFace in the table header).
        buttons.append(Button(name, int(x), int(y), int(w), int(h),
                              shown == "true", int(right), plain, plain - 1))
    if [b.name for b in buttons] != order:
        raise SourceError("%s: kChromeButtons rows %s do not follow enum "
                          "ChromeButton %s"
                          % (path, [b.name for b in buttons], order))
    return buttons


def read_button_group(name, path=CHROME_TABLE):
    """The button names listed in one of the table header's arrays, such as
    kLandingButtons, in their order."""
    text = _without_comments(_read(path))
    names = [n.strip() for n in _block(text, name + "[", path).split(",")
             if n.strip()]
    if not names:
        raise SourceError("%s: %s is empty" % (path, name))
    return names


RESOURCE_NUMBERS = read_resource_ids()
_NAMES_BY_NUMBER = {n: name for name, n in RESOURCE_NUMBERS.items()
                    if name.startswith(("IDB_", "IDR_", "IDI_"))}
_FILES = read_resource_files()
_LAYOUT = read_layout()


def picture_file(resource):
    """The file name under res/pictures/ of a resource, given by its name
    ("IDB_LOGO") or its number (121)."""
    name = _NAMES_BY_NUMBER[resource] if isinstance(resource, int) \
        else resource
    path = _FILES[name]
    folder, _, file_name = path.rpartition("/")
    if folder != "pictures":
        raise SourceError("%s: %s is not a picture (%s)"
                          % (RESOURCE_SCRIPT, name, path))
    return file_name


def _colour(colorref):
    # A COLORREF keeps red in its lowest byte.
    return (colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF)


BUTTONS = {b.name: b for b in read_chrome_buttons(ids=RESOURCE_NUMBERS)}
LANDING_BUTTONS = read_button_group("kLandingButtons")
BAR_BUTTONS = read_button_group("kBarButtons")

LANDING_SIZE = (_LAYOUT["kLandingWidth"], _LAYOUT["kLandingHeight"])
BROWSER_AREA = _LAYOUT["kLandingBrowserRect"]   # left, top, right, bottom
KEY = _colour(_LAYOUT["kColourKey"])
STRIP_SIZE = (_LAYOUT["kTitleTileWidth"], _LAYOUT["kTitleBarHeight"])
LOGO_SIZE = (_LAYOUT["kLogoWidth"], _LAYOUT["kTitleBarHeight"])

LANDING_ART = picture_file("IDR_LANDING_ART")
APP_ICON = picture_file("IDI_APP")
TITLE_STRIP = RESOURCE_NUMBERS["IDB_TITLE_STRIP"]
LOGO = RESOURCE_NUMBERS["IDB_LOGO"]

# Known to the Python side only.

# Key-coloured pixels on each face of a button (plain and lit alike); the
# window shows through them, which cuts the round landing faces out of their
# squares.  Buttons not listed carry none: the landing refresh button's
# corners repeat the artwork under it instead.
KEYED_PIXELS = {"LandingClose": 34, "LandingMinimize": 14}
ICON_SIZE = 64      # the icon's one image, square


def keyed_pixels(button):
    return KEYED_PIXELS.get(button, 0)
