#!/usr/bin/env python3
"""A small web site for the tests of the real platform controls.

Serves files from a folder on 127.0.0.1 at a free port and prints the port
on its first line of output, then one line per request ("GET /path").
Besides the files:
  /redirect?to=<path>   answers 302 to <path>
  POST to any path      answers a page naming the path and the posted fields
  /ruffle/<file>        Ruffle's files, when --ruffle names their folder
Anything else that is missing is a 404.
"""

import argparse
import functools
import http.server
import os
import sys
import urllib.parse

MIME_TYPES = {".swf": "application/x-shockwave-flash", ".wasm": "application/wasm", ".js": "text/javascript"}


class Handler(http.server.SimpleHTTPRequestHandler):
    ruffle = None

    def log_message(self, format, *args):
        pass

    def log_request(self, code="-", size="-"):
        print(f"{self.command} {self.path}", flush=True)

    def guess_type(self, path):
        return MIME_TYPES.get(os.path.splitext(path)[1], None) or super().guess_type(path)

    def translate_path(self, path):
        parsed = urllib.parse.urlsplit(path).path
        if self.ruffle and parsed.startswith("/ruffle/"):
            return os.path.join(self.ruffle, os.path.basename(parsed))
        return super().translate_path(path)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/redirect":
            target = urllib.parse.parse_qs(url.query).get("to", ["/"])[0]
            self.send_response(302)
            self.send_header("Location", target)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        super().do_GET()

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        fields = self.rfile.read(length).decode("utf-8", "replace")
        body = f"<!DOCTYPE html><title>posted</title><p id=posted>{self.path} {fields}</p>".encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("--ruffle")
    args = parser.parse_args()
    Handler.ruffle = args.ruffle
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Handler, directory=args.root))
    print(server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    sys.exit(0)


if __name__ == "__main__":
    main()
