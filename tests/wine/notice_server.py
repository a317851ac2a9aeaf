#!/usr/bin/python3
"""A stand-in for the publisher's server, on 127.0.0.1 only.

Serves the online test ("/"), the notice ("/1.html") and the logo
("/static/image/common/logo.png") from files, or stalls every request to
imitate a server that never answers. Extra paths can be served
from files (--file PATH=FILE) or answered with a redirect (--redirect
PATH=LOCATION, "{port}" in LOCATION standing for the server's port). Writes
its port to --port-file once it listens, and stops by itself after
--lifetime seconds at the latest.
"""
import argparse
import http.server
import os
import threading
import time

parser = argparse.ArgumentParser()
parser.add_argument("--notice", help="file served as /1.html (absent: 404)")
parser.add_argument("--logo", help="file served as the logo (absent: 404)")
parser.add_argument("--file", action="append", default=[], help="PATH=FILE: serve FILE as PATH")
parser.add_argument("--redirect", action="append", default=[],
                    help="PATH=LOCATION: answer PATH with 302 and this Location")
parser.add_argument("--stall", action="store_true", help="answer nothing, hold every connection")
parser.add_argument("--port-file", required=True)
parser.add_argument("--log", help="file that gets one line per request path")
parser.add_argument("--lifetime", type=float, default=120.0)
args = parser.parse_args()

stop = threading.Event()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if args.log:
            with open(args.log, "a") as log:
                log.write(self.path + "\n")
        if args.stall:
            stop.wait(args.lifetime)
            return
        files = {"/1.html": args.notice, "/static/image/common/logo.png": args.logo}
        files.update(entry.split("=", 1) for entry in args.file)
        redirects = dict(entry.split("=", 1) for entry in args.redirect)
        if self.path in redirects:
            location = redirects[self.path].replace("{port}", str(self.server.server_address[1]))
            self.send_response(302)
            self.send_header("Location", location)
            self.send_header("Content-Length", "0")
            self.send_header("Connection", "close")
            self.end_headers()
            return
        if self.path == "/":
            body, status = b"online", 200
        elif files.get(self.path):
            with open(files[self.path], "rb") as f:
                body, status = f.read(), 200
        else:
            body, status = b"<html>not found</html>", 404
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *_):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
threading.Thread(target=server.serve_forever, daemon=True).start()
with open(args.port_file + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.replace(args.port_file + ".tmp", args.port_file)
deadline = time.monotonic() + args.lifetime
while not stop.is_set() and time.monotonic() < deadline:
    stop.wait(0.5)
