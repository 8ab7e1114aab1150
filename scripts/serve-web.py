#!/usr/bin/env python3
"""serve-web.py FOLDER PORT: the site on localhost as a web host serves it: the types it gives
its files (the browser compiles WebAssembly while it arrives only as application/wasm), and
the page, the scripts, the WebAssembly and the data gzip-compressed for a browser that takes
that."""
import functools
import gzip
import http.server
import io
import os
import sys

TYPES = {
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.js': 'text/javascript',
    '.RES': 'application/octet-stream',
    '.res': 'application/octet-stream',
}
COMPRESSED = {'.html', '.js', '.wasm', '.res'}


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    # Each file compressed once per version: path -> (modification time, bytes).
    packed = {}

    # A fresh build is seen at the next load; the service worker keeps what plays offline.
    def end_headers(self):
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split('?', 1)[0].endswith('/'):
                return super().send_head()
            path = os.path.join(path, 'index.html')
        accepted = self.headers.get('Accept-Encoding', '')
        if (os.path.splitext(path)[1].lower() not in COMPRESSED or not os.path.isfile(path)
                or 'gzip' not in [part.split(';')[0].strip() for part in accepted.split(',')]):
            return super().send_head()
        version = os.stat(path).st_mtime_ns
        if self.packed.get(path, (None,))[0] != version:
            with open(path, 'rb') as file:
                self.packed[path] = (version, gzip.compress(file.read(), 9))
        body = self.packed[path][1]
        self.send_response(200)
        self.send_header('Content-Type', self.guess_type(path))
        self.send_header('Content-Encoding', 'gzip')
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Vary', 'Accept-Encoding')
        self.end_headers()
        return io.BytesIO(body)


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(SiteHandler, directory=folder)
    with http.server.ThreadingHTTPServer(('127.0.0.1', port), handler) as server:
        server.serve_forever()


if __name__ == '__main__':
    main()
