#!/usr/bin/env python3
"""Serves the demo portal (demo/portal) on 127.0.0.1 for the launcher to open.

The launcher asks for extension-less addresses such as /tovr/login; they are
answered from the .html file of the same name. Only the loopback address is ever
bound. With --log every request line is appended to a file, for tests that need to
know what the launcher asked for. With --port 0 a free port is chosen; the first line
printed names the address either way.
"""

import argparse
import http.server
import mimetypes
import os
import posixpath
import sys
import threading
import urllib.parse

LOOPBACK = "127.0.0.1"
START_PAGE = "/tovr/login"
DEFAULT_ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "demo", "portal")


def resolve(root, url_path):
    """The file under root that answers url_path, or None. Never leaves root."""
    path = posixpath.normpath(urllib.parse.unquote(url_path))
    parts = [p for p in path.split("/") if p not in ("", ".")]
    if any(p == ".." or "\\" in p for p in parts):
        return None
    candidate = os.path.join(root, *parts)
    if os.path.isdir(candidate):
        candidate = os.path.join(candidate, "index.html")
    elif not os.path.exists(candidate) and not os.path.splitext(candidate)[1]:
        candidate += ".html"
    real_root = os.path.realpath(root)
    real = os.path.realpath(candidate)
    if not real.startswith(real_root + os.sep) or not os.path.isfile(real):
        return None
    return real


def content_type(path):
    kind = mimetypes.guess_type(path)[0] or "application/octet-stream"
    if kind.startswith("text/") or kind in ("application/javascript", "application/json"):
        kind += "; charset=utf-8"
    return kind


class PortalHandler(http.server.BaseHTTPRequestHandler):
    server_version = "OrvendalDemoPortal/1"
    root = DEFAULT_ROOT
    log_file = None
    log_lock = threading.Lock()
    verbose = False

    def do_GET(self):
        self.answer(with_body=True)

    def do_HEAD(self):
        self.answer(with_body=False)

    def answer(self, with_body):
        self.note_request()
        path = urllib.parse.urlsplit(self.path).path
        if path == "/":
            self.send_response(302)
            self.send_header("Location", START_PAGE)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        file_path = resolve(self.root, path)
        if file_path is None:
            self.send_error(404, "Not Found")
            return
        with open(file_path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", content_type(file_path))
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if with_body:
            self.wfile.write(body)

    def note_request(self):
        if self.log_file:
            with self.log_lock, open(self.log_file, "a", encoding="utf-8") as log:
                log.write(self.requestline + "\n")

    def log_message(self, format, *args):
        if self.verbose:
            sys.stderr.write("%s - %s\n" % (self.address_string(), format % args))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8080, help="port on 127.0.0.1; 0 picks a free one")
    parser.add_argument("--root", default=DEFAULT_ROOT, help="folder of the portal's pages")
    parser.add_argument("--log", help="append every request line to this file")
    parser.add_argument("--verbose", action="store_true", help="log requests to stderr")
    args = parser.parse_args(argv)

    PortalHandler.root = os.path.abspath(args.root)
    PortalHandler.log_file = args.log
    PortalHandler.verbose = args.verbose
    server = http.server.ThreadingHTTPServer((LOOPBACK, args.port), PortalHandler)
    host, port = server.server_address[:2]
    print("serving http://%s:%d%s from %s" % (host, port, START_PAGE, PortalHandler.root), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
