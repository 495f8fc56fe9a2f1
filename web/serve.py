#!/usr/bin/env python3
"""Serves build-web/ (or the folder given after the port) on 127.0.0.1, port 8080 or the one given,
with the types a browser wants."""
import functools
import http.server
import os
import sys

port = int(sys.argv[1]) if len(sys.argv) > 1 else 8080
folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build-web")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".ogg": "audio/ogg",
                      ".wav": "audio/wav", ".json": "application/json", ".bin": "application/octet-stream",
                      ".webmanifest": "application/manifest+json", ".webp": "image/webp"}

    def end_headers(self):
        # A rebuilt game is picked up by a plain reload.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=folder))
print(f"Zorvane 2 is served on http://127.0.0.1:{port}/ (Ctrl+C stops it)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
