#!/usr/bin/env python3
"""A stand-in for the update service on 127.0.0.1, for the tests.

The first part of the request's path chooses the answer, so that one server
serves every case: http://127.0.0.1:PORT/<case>/update/1/?version=...; the
service's own path (/update/1/) gets "latest". Every
request (its request line and headers) is appended to the log as JSON lines.
Prints "PORT <n>" once it listens. With --cert and --key it speaks TLS.

    update_server.py [--port N] [--log FILE] [--cert PEM --key PEM] [--host H]
"""
import argparse
import http.server
import json
import os
import ssl
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import publish_update  # noqa: E402

NEW_PAGE = "https://quillmont.test/new?from=update"
SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")


def program_version():
    """The version the program under test sends, as four numbers."""
    text = subprocess.run([os.path.join(SCRIPTS, "version.sh"), "-four"], check=True,
                          capture_output=True, text=True).stdout.strip()
    return [int(part) for part in text.split(".")]


def dotted(parts):
    return ".".join(str(part) for part in parts)


def answers():
    own = program_version()
    newer, older = own[:3] + [own[3] + 1], [own[0] - 1, 9, 0, 0]
    packed_newer_minor = (own[0] << 24) | ((own[1] + 1) << 16)
    update = publish_update.answer(publish_update.payload(dotted(newer), NEW_PAGE))
    line_break = update[:9] + b"\r\n" + update[9:]
    two_versions = publish_update.answer(publish_update.payload(
        dotted([own[0], own[1] + 1, 0, 0]), NEW_PAGE, extra=[(1, packed_newer_minor.to_bytes(4, "little"))]))
    return {
        "newer": (200, update),
        "latest": (200, publish_update.answer(publish_update.payload(dotted(own), NEW_PAGE))),
        "older": (200, publish_update.answer(publish_update.payload(dotted(older), NEW_PAGE))),
        "error500": (500, b"<html><body>Internal Server Error</body></html>"),
        "star": (200, b"*"),
        "linebreak": (200, line_break),
        "twoversions": (200, two_versions),
        "oversize": (200, b"*" + b"A" * 0x100000),
        "fileurl": (200, publish_update.answer(publish_update.payload("9.0.0.0", "file:///C:/windows/notepad.exe"))),
    }


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    answers = answers()
    log_path = None
    log_lock = threading.Lock()

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.log_path:
            entry = {"requestline": self.requestline, "headers": [[k, v] for k, v in self.headers.items()]}
            with self.log_lock, open(self.log_path, "a") as log:
                log.write(json.dumps(entry) + "\n")
        case = self.path.lstrip("/").split("/", 1)[0]
        if case == "silent":  # takes the request and never answers (for a minute at most)
            time.sleep(60)
            return
        if case.startswith("slow"):  # slow<seconds>: answers "newer" after a while
            time.sleep(float(case[4:] or "3"))
            case = "newer"
        status, body = self.answers.get(case, self.answers["latest"])
        if case == "echo":  # the request line and headers, one per line
            echoed = self.requestline + "\n" + "".join(f"{k}: {v}\n" for k, v in self.headers.items())
            body = echoed.encode("latin-1")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--log")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    args = parser.parse_args()
    Handler.log_path = args.log
    server = http.server.ThreadingHTTPServer((args.host, args.port), Handler)
    server.daemon_threads = True
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT", server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
