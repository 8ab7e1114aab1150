#!/usr/bin/env python3
"""serve-web.py FOLDER PORT: the site on localhost, with the types a web host gives its
files (the browser compiles WebAssembly while it arrives only as application/wasm)."""
import functools
import http.server
import sys

TYPES = {
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.js': 'text/javascript',
    '.RES': 'application/octet-stream',
    '.res': 'application/octet-stream',
}


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    # A fresh build is seen at the next load; the service worker keeps what plays offline.
    def end_headers(self):
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(SiteHandler, directory=folder)
    with http.server.ThreadingHTTPServer(('127.0.0.1', port), handler) as server:
        server.serve_forever()


if __name__ == '__main__':
    main()
