#!/usr/bin/env python3
"""The demo portal and its server: what the launcher asks for is answered, nothing
outside the portal's folder is, every request line is logged, and the pages' script
stays within what the launcher's control runs (ES3)."""

import http.client
import os
import re
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SERVER = os.path.join(ROOT, "tools", "portal_server.py")
PORTAL = os.path.join(ROOT, "demo", "portal")


class PortalServer(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.log = tempfile.NamedTemporaryFile(suffix=".log", delete=False).name
        cls.process = subprocess.Popen([sys.executable, SERVER, "--port", "0", "--log", cls.log],
                                       stdout=subprocess.PIPE, text=True)
        first = cls.process.stdout.readline()
        match = re.match(r"serving http://([\d.]+):(\d+)/tovr/login", first)
        if not match:
            cls.process.kill()
            raise AssertionError("server did not start: %r" % first)
        cls.host, cls.port = match.group(1), int(match.group(2))

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        cls.process.wait(timeout=10)
        os.unlink(cls.log)

    def get(self, path):
        connection = http.client.HTTPConnection(self.host, self.port, timeout=10)
        connection.request("GET", path)
        response = connection.getresponse()
        body = response.read()
        connection.close()
        return response, body

    def test_listens_on_loopback_only(self):
        self.assertEqual(self.host, "127.0.0.1")

    def test_start_page_and_game_page_are_served_as_utf8_html(self):
        for path, marker in [("/tovr/login", "/static/login.js"), ("/tovr/game?player=%E6%B5%8B&server=2", "game.js")]:
            with self.subTest(path=path):
                response, body = self.get(path)
                self.assertEqual(response.status, 200)
                self.assertEqual(response.getheader("Content-Type"), "text/html; charset=utf-8")
                self.assertIn(marker, body.decode("utf-8"))

    def test_login_button_calls_the_launchers_bridge(self):
        response, body = self.get("/static/login.js")
        self.assertEqual(response.status, 200)
        self.assertIn("window.external.enterGame()", body.decode("utf-8"))
        page = self.get("/tovr/login")[1].decode("utf-8")
        self.assertIn('onsubmit="return enterGame()"', page)

    def test_root_redirects_to_the_start_page(self):
        response, _ = self.get("/")
        self.assertEqual(response.status, 302)
        self.assertEqual(response.getheader("Location"), "/tovr/login")

    def test_nothing_outside_the_portal_is_served(self):
        for path in ["/nope", "/tovr/missing", "/../tools/portal_server.py", "/%2e%2e/tools/portal_server.py",
                     "/static/..%2f..%2f..%2ftools%2fportal_server.py", "/tovr/login.html/..%5c..%5cREADME.md"]:
            with self.subTest(path=path):
                self.assertEqual(self.get(path)[0].status, 404)

    def test_request_lines_are_logged_in_order(self):
        self.get("/tovr/login?probe=1")
        self.get("/tovr/game?probe=2")
        with open(self.log, encoding="utf-8") as log:
            lines = log.read().splitlines()
        self.assertIn("GET /tovr/login?probe=1 HTTP/1.1", lines)
        self.assertLess(lines.index("GET /tovr/login?probe=1 HTTP/1.1"), lines.index("GET /tovr/game?probe=2 HTTP/1.1"))


# What the control's oldest script engine (ES3, old DOM) does not know.
NOT_ES3 = [
    (r"\blet\s", "let"), (r"\bconst\s", "const"), (r"=>", "arrow function"), (r"`", "template string"),
    (r"\bclass\s+\w", "class"), (r"\.(forEach|map|filter|reduce|some|every)\(", "ES5 array method"),
    (r"\.trim\(", "String.trim"), (r"\bJSON\.", "JSON"), (r"Object\.(keys|create|defineProperty)", "ES5 Object"),
    (r"addEventListener", "addEventListener"), (r"querySelector", "querySelector"),
    (r",\s*[}\]]", "trailing comma"),
]


class PortalScript(unittest.TestCase):
    def scripts(self):
        for folder, _, files in os.walk(PORTAL):
            for name in files:
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                if name.endswith(".js"):
                    yield path, text
                elif name.endswith(".html"):
                    for inline in re.findall(r"<script[^>]*>(.*?)</script>", text, re.S):
                        yield path, inline
                    for handler in re.findall(r'\bon\w+="([^"]*)"', text):
                        yield path, handler

    def test_pages_use_es3_script_only(self):
        seen = 0
        for path, text in self.scripts():
            seen += 1
            code = re.sub(r"//[^\n]*", "", text)
            for pattern, what in NOT_ES3:
                with self.subTest(file=os.path.relpath(path, PORTAL), construct=what):
                    self.assertIsNone(re.search(pattern, code))
        self.assertGreater(seen, 2)


if __name__ == "__main__":
    unittest.main(verbosity=2)
