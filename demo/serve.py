#!/usr/bin/env python3
"""Serves the demo site on a fixed host and port.

    serve.py ROOT --host 127.0.0.1 --port 8180 [--ruffle DIR] [--log FILE]

Writes one line per request to the log (default: standard output):
"<monotonic seconds> <status> GET <path>", so that a test or benchmark can see
what was fetched and when. /ruffle/<file> serves Ruffle's files from DIR, for
the play pages when they are opened in an ordinary browser.
"""

import argparse
import functools
import http.server
import os
import sys
import time
import urllib.parse

MIME_TYPES = {".swf": "application/x-shockwave-flash", ".wasm": "application/wasm", ".js": "text/javascript",
              ".html": "text/html; charset=utf-8", ".htm": "text/html; charset=utf-8",
              ".css": "text/css; charset=utf-8"}


class Handler(http.server.SimpleHTTPRequestHandler):
    ruffle = None
    log = sys.stdout

    def log_message(self, format, *args):
        pass

    def log_request(self, code="-", size="-"):
        code = getattr(code, "value", code)
        print(f"{time.monotonic():.4f} {code} {self.command} {self.path}", file=self.log, flush=True)

    def guess_type(self, path):
        return MIME_TYPES.get(os.path.splitext(path)[1]) or super().guess_type(path)

    def translate_path(self, path):
        parsed = urllib.parse.urlsplit(path).path
        if self.ruffle and parsed.startswith("/ruffle/"):
            return os.path.join(self.ruffle, os.path.basename(parsed))
        return super().translate_path(path)

    def end_headers(self):
        # The site changes whenever the demo is generated again.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=8180)
    parser.add_argument("--ruffle")
    parser.add_argument("--log")
    args = parser.parse_args()
    Handler.ruffle = args.ruffle
    if args.log:
        Handler.log = open(args.log, "a", encoding="utf-8")
    http.server.ThreadingHTTPServer.allow_reuse_address = True
    try:
        server = http.server.ThreadingHTTPServer((args.host, args.port),
                                                 functools.partial(Handler, directory=args.root))
    except OSError as error:
        sys.exit(f"serve: cannot listen on {args.host}:{args.port}: {error.strerror}")
    print(f"serve: the demo site is on http://{args.host}:{args.port}/", file=sys.stderr, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
