"""Shared plumbing for the loopback servers that tests start.

A test (a Windows program under Wine) starts a server as a Unix child process
with --port-file; the server binds 127.0.0.1 on a free port, writes the port
to that file and serves until the test calls /__control/shutdown. Because a
test that crashes cannot say goodbye, every server also exits by itself after
--idle-timeout seconds without a request.
"""
import argparse
import http.server
import os
import socketserver
import ssl
import subprocess
import sys
import threading
import time


class LoopbackServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, handler_class, idle_timeout):
        super().__init__(("127.0.0.1", 0), handler_class)
        self.idle_timeout = idle_timeout
        self.last_activity = time.monotonic()
        self.stopping = threading.Event()

    def touch(self):
        self.last_activity = time.monotonic()

    def request_shutdown(self):
        self.stopping.set()
        threading.Thread(target=self.shutdown, daemon=True).start()

    def watch_idle(self):
        while not self.stopping.wait(1.0):
            if time.monotonic() - self.last_activity > self.idle_timeout:
                print("loopback server: idle, exiting", file=sys.stderr)
                self.request_shutdown()


class LoopbackHandler(http.server.BaseHTTPRequestHandler):
    """Base handler: activity tracking, quiet logging, the shutdown route.

    Subclasses implement handle_get/handle_head/handle_post; each returns
    False when the path was not theirs, so that a 404 goes out.
    """
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):  # keep test output readable
        if os.environ.get("TOVREL_SERVER_VERBOSE"):
            super().log_message(fmt, *args)

    def _dispatch(self, method):
        self.server.touch()
        if self.path == "/__control/shutdown":
            self.send_text(200, "bye")
            self.server.request_shutdown()
            return
        handler = getattr(self, "handle_" + method, None)
        if handler is None or not handler():
            self.send_text(404, "not found")

    def do_GET(self):
        self._dispatch("get")

    def do_HEAD(self):
        self._dispatch("head")

    def do_POST(self):
        self._dispatch("post")

    def read_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length > 0 else b""

    def send_text(self, status, text, content_type="text/plain; charset=utf-8"):
        body = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)


def make_certificate(folder, name, subject="/CN=localhost"):
    """A self-signed certificate valid for "localhost": folder/name.pem and .key."""
    cert, key = os.path.join(folder, name + ".pem"), os.path.join(folder, name + ".key")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                    "-subj", subject, "-addext", "subjectAltName=DNS:localhost",
                    "-keyout", key, "-out", cert], check=True, capture_output=True)
    return cert, key


def enable_https(server, folder, trusted_name, unrelated_name):
    """Serves HTTPS with a new certificate for localhost, saved as
    folder/<trusted_name>.pem for the client to trust, and writes the
    certificate of an unrelated CA as folder/<unrelated_name>.pem, which a
    client that really verifies must refuse this server with."""
    os.makedirs(folder, exist_ok=True)
    cert, key = make_certificate(folder, trusted_name)
    make_certificate(folder, unrelated_name, "/CN=Unrelated Test CA")
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server.socket = context.wrap_socket(server.socket, server_side=True)


def argument_parser(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--port-file", required=True,
                        help="file that receives the chosen port once listening")
    parser.add_argument("--idle-timeout", type=float, default=120.0,
                        help="exit after this many seconds without a request")
    return parser


def serve(handler_class, args, setup=None):
    """Binds, publishes the port, serves until shutdown or idle timeout."""
    server = LoopbackServer(handler_class, args.idle_timeout)
    if setup:
        setup(server)
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)  # readers never see a half-written port
    threading.Thread(target=server.watch_idle, daemon=True).start()
    try:
        server.serve_forever(poll_interval=0.2)
    finally:
        server.server_close()
