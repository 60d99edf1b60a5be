#!/usr/bin/env python3
"""The built Orvendal.exe as a user meets it, checked only from outside.

Each case starts the launcher with `wine` in a fresh copy of the Wine prefix on the X
display, the way a user starts a downloaded program, and looks only at what a user
could see: the window on the screen (xdotool, xwininfo, screenshots of the root
window), the files it leaves in the prefix, the requests a local web server gets,
and what happens to the process. Nothing inside the program is asked.

Run one case with `acceptance_test.py Acceptance.test_<name>`; tests/CMakeLists.txt
registers every case as a ctest entry of its own. The cases need the X display and
the keyboard to themselves (RUN_SERIAL). Environment:
  DISPLAY                  an X display of 1920 x 1080 or any other size
  ORVENDAL_LAUNCHER        the built Orvendal.exe
  ORVENDAL_KEY_COUNTER     the built key_counter.exe, the user's other program (F10)
  ORVENDAL_PORTAL_HOST     host:port of the build's start page, e.g. 127.0.0.1:28080
  ORVENDAL_WINE_ARCH       win64 for a 64-bit build's launcher: 64-bit prefixes and Wine
"""

import os
import re
import shutil
import subprocess
import sys
import time
import unittest

from PIL import Image, ImageChops, ImageDraw

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# The window's size, the button places and the picture files as the launcher's own
# headers give them, read by the module the picture tools use as well.
sys.path.insert(0, os.path.join(ROOT, "tools"))
import launcher_facts as facts  # noqa: E402

WINE_SH = os.path.join(ROOT, "scripts", "lib", "wine.sh")
PICTURES = os.path.join(ROOT, "res", "pictures")
PORTAL_SERVER = os.path.join(ROOT, "tools", "portal_server.py")

LAUNCHER = os.environ.get("ORVENDAL_LAUNCHER", os.path.join(ROOT, "build", "win32", "Orvendal.exe"))
KEY_COUNTER = os.environ.get("ORVENDAL_KEY_COUNTER", os.path.join(ROOT, "build", "win32", "key_counter.exe"))
PORTAL_HOST = os.environ.get("ORVENDAL_PORTAL_HOST", "127.0.0.1:28080")

WINDOW_TITLE = "^Orvendal$"
CONFIRMATION_TITLE = "^退出$"
WINDOW_SIZE = facts.LANDING_SIZE
KEY = facts.KEY
BROWSER = facts.BROWSER_AREA  # the page's place in the picture frame: not artwork on the screen
ARTWORK = facts.LANDING_ART


def landing_button(name):
    """A landing button's plain face, place in the window and size."""
    button = facts.BUTTONS[name]
    return facts.picture_file(button.plain_face), (button.x, button.y), button.size


BUTTONS = {
    "minimize": landing_button("LandingMinimize"),
    "close": landing_button("LandingClose"),
    "refresh": landing_button("LandingRefresh"),
}
TOLERANCE = 3  # per colour channel, for anything compared with the pictures


def run(*command, timeout=30, **options):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=timeout,
                          **options)


def wine_sh(script, *arguments):
    """Runs a piece of bash with scripts/lib/wine.sh sourced; its standard output."""
    result = run("bash", "-c", '. "$0"; ' + script, WINE_SH, *arguments, timeout=120)
    if result.returncode != 0:
        raise RuntimeError("wine.sh failed: " + script)
    return result.stdout


def wait_for(condition, seconds, interval=0.1):
    """Polls until the condition gives a true value or the time is up; its last value."""
    end = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() >= end:
            return value
        time.sleep(interval)


def stays(condition, seconds, interval=0.1):
    """True when the condition holds at every sample for the whole time."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not condition():
            return False
        time.sleep(interval)
    return True


def xdotool(*arguments):
    return run("xdotool", *arguments, timeout=15).stdout.split()


def pointer_position():
    """["x", "y"] of the pointer on the screen."""
    fields = dict(f.split(":", 1) for f in xdotool("getmouselocation") if ":" in f)
    return [fields.get("x"), fields.get("y")]


def visible_windows(title, process=None):
    """Shown X windows of that title; only those of the process when one is given
    (Wine keeps the process id through its loader: it is the window's _NET_WM_PID)."""
    of_process = ["--all", "--pid", str(process.pid)] if process else []
    return xdotool("search", "--onlyvisible", *of_process, "--name", title)


def window_geometry(window):
    """(x, y, width, height) of an X window on the screen."""
    info = run("xwininfo", "-id", window).stdout
    values = {}
    for name, key in (("Absolute upper-left X", "x"), ("Absolute upper-left Y", "y"), ("Width", "w"),
                      ("Height", "h")):
        match = re.search(r"^\s*%s:\s*(-?\d+)" % name, info, re.MULTILINE)
        values[key] = int(match.group(1)) if match else None
    return values["x"], values["y"], values["w"], values["h"]


def screen_size():
    info = run("xwininfo", "-root").stdout
    return (int(re.search(r"Width:\s*(\d+)", info).group(1)), int(re.search(r"Height:\s*(\d+)", info).group(1)))


def screenshot():
    """The whole screen as an RGB image, as `import -window root` sees it."""
    width, height = screen_size()
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, timeout=30, check=True).stdout
    return Image.frombytes("RGB", (width, height), raw)


def file_bytes(path):
    """A file's whole content, or None while it does not exist."""
    if not os.path.isfile(path):
        return None
    with open(path, "rb") as f:
        return f.read()


def picture(name):
    return Image.open(os.path.join(PICTURES, name)).convert("RGB")


# Masks: "L" images, 255 where something holds and 0 where it does not.
def agreeing(a, b, tolerance=TOLERANCE):
    """Where two RGB images agree within the tolerance in every channel."""
    channels = [c.point(lambda v: 255 if v <= tolerance else 0) for c in ImageChops.difference(a, b).split()]
    return both(*channels)


def both(*masks):
    result = masks[0]
    for mask in masks[1:]:
        result = ImageChops.multiply(result, mask)
    return result


def count(mask):
    return mask.histogram()[255]


def of_colour(image, colour):
    return agreeing(image, Image.new("RGB", image.size, colour), tolerance=0)


def outside_page_and_buttons():
    """The window's own surface: everything but the page and the three buttons."""
    mask = Image.new("L", WINDOW_SIZE, 255)
    draw = ImageDraw.Draw(mask)
    for left, top, right, bottom in [BROWSER] + [(x, y, x + w, y + h) for _, (x, y), (w, h) in BUTTONS.values()]:
        draw.rectangle([left, top, right - 1, bottom - 1], fill=0)
    return mask


def window_area(shot, origin):
    return shot.crop((origin[0], origin[1], origin[0] + WINDOW_SIZE[0], origin[1] + WINDOW_SIZE[1]))


def share_of_artwork_shown(shot, origin):
    """The share of the artwork's pixels (apart from its key colour) that the screen
    shows at the window's place, outside the page and the buttons."""
    art = picture(ARTWORK)
    telling = both(ImageChops.invert(of_colour(art, KEY)), outside_page_and_buttons())
    return count(both(telling, agreeing(window_area(shot, origin), art))) / count(telling)


def share_of_face_shown(shot, origin, button):
    """How much of a button's plain face the screen shows at its place, 0 to 1; the
    face's key-coloured corners are cut out of the window and do not count."""
    name, (x, y), (width, height) = BUTTONS[button]
    face = picture(name)
    left, top = origin[0] + x, origin[1] + y
    telling = ImageChops.invert(of_colour(face, KEY))
    return count(both(telling, agreeing(shot.crop((left, top, left + width, top + height)), face))) / count(telling)


class WinePrefix:
    """A fresh copy of the booted template prefix, with its own desktop and home."""

    def __init__(self):
        self.folder = wine_sh("wine_ensure_prefixes; wine_fresh_copy").strip()
        listing = wine_sh('wine_use "$1"; env -0', self.folder)
        self.env = dict(item.split("=", 1) for item in listing.split("\0") if "=" in item)

    def path(self, *parts):
        return os.path.join(self.folder, "prefix", "drive_c", *parts)

    def desktop(self):
        """Where the prefix's desktop folder really is, following Wine's links."""
        for user in os.listdir(self.path("users")):
            desktop = self.path("users", user, "Desktop")
            if user != "Public" and os.path.exists(desktop):
                return os.path.realpath(desktop)
        return None

    def remove(self):
        wine_sh('wine_stop "$1"', self.folder)
        shutil.rmtree(self.folder, ignore_errors=True)


class Acceptance(unittest.TestCase):
    def setUp(self):
        if not os.environ.get("DISPLAY") or run("xdpyinfo").returncode != 0:
            self.fail("no X display; run the tests through scripts/test")
        self.assertTrue(os.path.isfile(LAUNCHER), LAUNCHER)
        self.assertEqual(visible_windows(WINDOW_TITLE), [],
                         "a launcher window is already on the screen, left over from some other run")
        self.prefix = WinePrefix()
        self.addCleanup(self.prefix.remove)
        xdotool("mousemove", "0", "0")  # the pointer rests on no button
        self.screen = screen_size()
        self.before = screenshot()

    # -- the launcher, started and found as a user starts and finds it --

    def start(self, program=LAUNCHER, *arguments):
        process = subprocess.Popen([self.prefix.env["ORVENDAL_WINE"], program, *arguments], env=self.prefix.env,
                                   cwd=self.prefix.folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.end, process)
        return process

    def end(self, process):
        if process.poll() is None:
            wine_sh('wine_stop "$1"', self.prefix.folder)
        try:
            process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()

    def expected_origin(self):
        # Centred as C divides: toward zero, also for a screen smaller than the window.
        return tuple(int((s - w) / 2) for s, w in zip(self.screen, WINDOW_SIZE))

    def start_launcher(self):
        """Starts the launcher and waits until its window shows the artwork; the
        process, the X window and its place."""
        process = self.start()
        # A generous wait: on a loaded machine whose kernel runs Wine's 32-bit parts
        # through an emulator, a first start in a new prefix can take half a minute.
        windows = wait_for(lambda: visible_windows(WINDOW_TITLE, process), 60)
        self.assertEqual(len(windows), 1, "one launcher window must appear")
        window = windows[0]
        geometry = window_geometry(window)
        # Mapped before its first paint, but transparent until then: wait for the artwork.
        painted = wait_for(lambda: share_of_artwork_shown(screenshot(), geometry) > 0.97, 20, interval=0.3)
        self.assertTrue(painted, "the artwork never appeared in the window at %s" % (geometry,))
        return process, window, geometry

    def click(self, origin, button):
        _, (x, y), (width, height) = BUTTONS[button]
        at = [str(origin[0] + x + width // 2), str(origin[1] + y + height // 2)]
        # Not --sync: that waits for a move, and the pointer may be there already.
        xdotool("mousemove", *at)
        self.assertTrue(wait_for(lambda: pointer_position() == at, 5), "the pointer did not get there")
        xdotool("click", "1")

    def answer_confirmation(self, process, key):
        boxes = wait_for(lambda: visible_windows(CONFIRMATION_TITLE, process), 10)
        self.assertEqual(len(boxes), 1, "a box titled 退出 must appear")
        xdotool("windowfocus", "--sync", boxes[0])
        xdotool("key", key)
        self.assertTrue(wait_for(lambda: not visible_windows(CONFIRMATION_TITLE, process), 10), "the box stays open")

    # -- the cases --

    def test_window_is_centred_and_of_the_artworks_size(self):
        _, _, geometry = self.start_launcher()
        self.assertEqual(geometry[2:], WINDOW_SIZE)
        self.assertEqual(geometry[:2], self.expected_origin())

    def test_window_takes_the_shape_of_the_artwork(self):
        _, _, geometry = self.start_launcher()
        shot = screenshot()
        area = window_area(shot, geometry)
        self.assertEqual(count(of_colour(area, KEY)), 0, "pixels of the key colour must be cut out, not shown")
        self.assertGreater(share_of_artwork_shown(shot, geometry), 0.99, "the artwork must show where the window is")
        # Where the artwork has the key colour, the screen shows what was there before
        # the launcher started: the corners of the window's rectangle first.
        x, y = geometry[:2]
        width, height = WINDOW_SIZE
        for corner in ((x, y), (x + width - 1, y), (x, y + height - 1), (x + width - 1, y + height - 1)):
            self.assertEqual(shot.getpixel(corner), self.before.getpixel(corner), "corner %s" % (corner,))
        cut_out = both(of_colour(picture(ARTWORK), KEY), outside_page_and_buttons())
        behind = agreeing(area, window_area(self.before, geometry), tolerance=0)
        self.assertGreater(count(both(cut_out, behind)) / count(cut_out), 0.99,
                           "the screen behind must show through where the artwork has the key colour")

    def test_the_three_buttons_show_their_faces(self):
        _, _, geometry = self.start_launcher()

        def all_faces_shown():
            shot = screenshot()
            return all(share_of_face_shown(shot, geometry, button) > 0.85 for button in BUTTONS)

        wait_for(all_faces_shown, 5, interval=0.3)  # the buttons paint themselves after the artwork
        shot = screenshot()
        for button in BUTTONS:
            with self.subTest(button=button):
                # The round buttons overlap by a few rows where they meet.
                self.assertGreater(share_of_face_shown(shot, geometry, button), 0.85)

    def test_closing_asks_first_cancel_keeps_it_ok_ends_it_with_exit_code_zero(self):
        process, _, geometry = self.start_launcher()
        self.click(geometry, "close")
        self.answer_confirmation(process, "Escape")  # Cancel
        self.assertTrue(stays(lambda: process.poll() is None and visible_windows(WINDOW_TITLE, process), 1.0),
                        "Cancel must leave the launcher running and shown")
        self.click(geometry, "close")
        self.answer_confirmation(process, "Return")  # OK, the default button
        self.assertEqual(process.wait(timeout=15), 0)
        self.assertEqual(visible_windows(WINDOW_TITLE, process), [])

    def test_installs_a_copy_of_itself_and_a_desktop_shortcut_to_it(self):
        self.start_launcher()
        installed = self.prefix.path("Program Files", "Orvendal", "Orvendal.exe")
        program = file_bytes(LAUNCHER)
        # The install step runs once the artwork is up, not before it: it may still be busy.
        wait_for(lambda: file_bytes(installed) == program, 10)
        copy = file_bytes(installed)
        self.assertIsNotNone(copy, "no installed copy")
        self.assertTrue(copy == program, "the installed copy is not the started program")
        desktop = self.prefix.desktop()
        self.assertIsNotNone(desktop, "the prefix has no desktop folder")
        self.assertTrue(desktop.startswith(self.prefix.folder + os.sep), "the desktop must be the fresh prefix's own")
        shortcut = os.path.join(desktop, "Orvendal.lnk")
        target = b"C:\\Program Files\\Orvendal\\Orvendal.exe"
        wait_for(lambda: target in (file_bytes(shortcut) or b""), 10)
        link = file_bytes(shortcut)
        self.assertIsNotNone(link, "no shortcut on the desktop")
        self.assertIn(target, link, "the shortcut's target")

    def test_asks_the_local_portal_for_the_start_page(self):
        host, _, port = PORTAL_HOST.partition(":")
        if host not in ("127.0.0.1", "localhost"):
            self.skipTest("the build's start page is not on this machine: " + PORTAL_HOST)
        log = os.path.join(self.prefix.folder, "requests.log")
        self.start_portal(int(port or 80), log)
        self.start_launcher()

        def requests():
            if not os.path.exists(log):
                return []
            with open(log, encoding="utf-8") as lines:
                return [line.rstrip("\n") for line in lines]

        self.assertTrue(wait_for(lambda: "GET /tovr/login HTTP/1.1" in requests(), 20), "no request for the start page")
        self.assertEqual(requests()[0], "GET /tovr/login HTTP/1.1", "the start page comes first")

    def test_f10_hides_and_shows_the_window_and_its_open_box_from_another_program(self):
        self.assertTrue(os.path.isfile(KEY_COUNTER), KEY_COUNTER)
        report = os.path.join(self.prefix.folder, "key-counts.txt")
        other = self.start(KEY_COUNTER, "Z:" + report.replace("/", "\\"))
        self.assertTrue(wait_for(lambda: os.path.exists(report), 30), "the other program did not start")
        counters = wait_for(lambda: visible_windows("^KeyCounter", other), 10)
        self.assertTrue(counters, "the other program shows no window")
        counter = counters[0]
        launcher, window, geometry = self.start_launcher()

        def counter_in_front():
            with open(report, encoding="utf-8") as f:
                active = f.read().startswith("KeyCounter active ")
            return active and xdotool("getwindowfocus") == [counter]

        # Keys reach Wine only while one of its windows has the X focus, and the user's
        # other program is in front: it gets the X focus and a click until it stays.
        def bring_counter_to_front():
            end = time.monotonic() + 15
            while time.monotonic() < end:
                xdotool("windowfocus", "--sync", counter)
                xdotool("mousemove", "--window", counter, "20", "20", "sleep", "0.2", "click", "1")
                if wait_for(counter_in_front, 2) and stays(counter_in_front, 1.0):
                    return
            self.fail("the other program cannot come in front")

        def hidden():
            return not visible_windows(WINDOW_TITLE, launcher)

        bring_counter_to_front()
        xdotool("key", "F10")
        self.assertTrue(wait_for(hidden, 5), "F10 did not hide the window")
        self.assertTrue(stays(hidden, 1.0), "the window came back by itself")
        bring_counter_to_front()
        xdotool("key", "F10")
        self.assertTrue(wait_for(lambda: not hidden(), 5), "F10 did not show the window again")
        self.assertEqual(window_geometry(window), geometry, "the window comes back where it was")
        self.assertTrue(wait_for(lambda: share_of_artwork_shown(screenshot(), geometry) > 0.97, 10, interval=0.3),
                        "the window came back without its artwork")

        # The quit box open, waiting for its answer: F10 takes it off the screen with the
        # window, and brings both back; the box still answers.
        self.click(geometry, "close")
        self.assertEqual(len(wait_for(lambda: visible_windows(CONFIRMATION_TITLE, launcher), 10)), 1,
                         "a box titled 退出 must appear")
        bring_counter_to_front()
        xdotool("key", "F10")
        self.assertTrue(wait_for(lambda: not visible_windows("", launcher), 5),
                        "F10 left a window of the launcher on the screen")
        bring_counter_to_front()
        xdotool("key", "F10")
        self.assertTrue(wait_for(lambda: not hidden() and visible_windows(CONFIRMATION_TITLE, launcher), 5),
                        "F10 did not bring back the window and its box")
        self.answer_confirmation(launcher, "Return")  # OK
        self.assertEqual(launcher.wait(timeout=15), 0)

    def start_portal(self, port, log):
        """Serves the demo portal on 127.0.0.1:port with a request log. A port still
        held by another run is waited for, up to a minute."""
        end = time.monotonic() + 60
        while True:
            server = subprocess.Popen([sys.executable, PORTAL_SERVER, "--port", str(port), "--log", log],
                                      stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            if server.stdout.readline().startswith("serving "):
                self.addCleanup(self.stop_portal, server)
                return
            server.wait()
            if time.monotonic() >= end:
                self.fail("port %d stayed busy" % port)
            time.sleep(0.5)

    @staticmethod
    def stop_portal(server):
        server.terminate()
        server.wait(timeout=10)
        server.stdout.close()


if __name__ == "__main__":
    unittest.main()
