#!/usr/bin/env python3
"""Download server for the downloader tests, with switchable faults.

Like the real download server, the package path (default /software/340)
redirects to /<md5>/<file name>: the package digest is the second-to-last
segment of the final URL. Files answer GET and HEAD with Content-Length and
honour byte ranges.

The test configures the behaviour with POST /__control/configure and a JSON
object (every key optional; a configure call resets what it does not name):
  size           package length in bytes (default 2 MiB); content is a fixed
                 pseudo-random pattern, identical for equal sizes
  file           serve the bytes of this file (a Unix path, read when
                 configured) as the package instead; "size" is then ignored
  name           file name in the final URL (default "setup.exe")
  package_path   path that redirects to the file (default "/software/340")
  location       redirect the package path here instead (an absolute URL)
  digest         "correct" | "upper" | "wrong" | "none" (final URL without a
                 32-digit segment) (default "correct")
  status         answer this status to every request of the package path and
                 the file (probes and transfers)
  get_status     answer this status to GET of the file only
  head_status    answer this status to HEAD requests only
  no_length      omit Content-Length (the body is ended by closing)
  no_ranges      ignore Range headers: always 200 with the whole file
  drop_after     bytes of a GET body after which the connection is dropped...
  drop_times     ...this many times (default 1 when drop_after is given)
  stall_after    bytes of a GET body after which the server stalls...
  stall_seconds  ...this long (default 3600, ended early by shutdown)
  stall_times    how many GETs stall (default: all)
  extra_bytes    a range answer carries this many bytes past the range end
  rate           limit each GET body to about this many bytes per second
  range_rules    list of per-range behaviours for GETs of the file: each an
                 object with "from" and "to" (the range start must lie in
                 [from, to), defaults 0 and the end), "times" (how many GETs
                 it serves, default all) and any of "status", "drop_after",
                 "stall_after", "stall_seconds", "extra_bytes", "rate",
                 which replace the global options for that GET. The first
                 matching rule with times left applies.
GET /__control/info   -> {"size", "md5", "final_path"}
With --tls the server speaks HTTPS with a certificate for "localhost" made at
start, and writes next to the port file "server-ca.pem" (its certificate)
and "unrelated-ca.pem" (a certificate of another CA) for the test to trust.
GET /__control/log    -> list of {"method", "path", "range", "status", "sent",
                         "time"} (time: seconds since the server started, at
                         the end of the request)
"""
import hashlib
import json
import os
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loopback  # noqa: E402

PATTERN_LENGTH = 1_000_003  # prime, so a misplaced resume offset shows up


def make_pattern():
    state = 0x9E3779B9
    out = bytearray(PATTERN_LENGTH)
    for i in range(PATTERN_LENGTH):
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        out[i] = state >> 24
    return bytes(out)


class Package:
    _pattern = None
    _cache = {}

    @classmethod
    def content(cls, size):
        if size not in cls._cache:
            if cls._pattern is None:
                cls._pattern = make_pattern()
            reps = size // PATTERN_LENGTH + 1
            data = (cls._pattern * reps)[:size]
            cls._cache = {size: (data, hashlib.md5(data).hexdigest())}
        return cls._cache[size]


class State:
    def __init__(self):
        self.lock = threading.Lock()
        self.stopping = threading.Event()
        self.log = []
        self.configure({})

    def configure(self, cfg):
        with self.lock:
            self.cfg = dict(cfg)
            if "file" in cfg:
                with open(cfg["file"], "rb") as served:
                    self.data = served.read()
                self.md5 = hashlib.md5(self.data).hexdigest()
                self.size = len(self.data)
            else:
                self.size = int(cfg.get("size", 2 * 1024 * 1024))
                self.data, self.md5 = Package.content(self.size)
            self.drops_left = int(cfg.get("drop_times", 1)) if "drop_after" in cfg else 0
            self.stalls_left = int(cfg.get("stall_times", 1 << 30)) if "stall_after" in cfg else 0
            self.rules = [dict(rule) for rule in cfg.get("range_rules", [])]
            self.log = []

    def take_rule(self, start):
        """The per-range rule for a GET whose range starts at `start`."""
        with self.lock:
            for rule in self.rules:
                if rule.get("times", 1) <= 0:
                    continue
                if int(rule.get("from", 0)) <= start < int(rule.get("to", 1 << 62)):
                    if "times" in rule:
                        rule["times"] -= 1
                    return rule
        return {}

    def final_path(self):
        digest = self.cfg.get("digest", "correct")
        name = self.cfg.get("name", "setup.exe")
        segment = {
            "correct": self.md5,
            "upper": self.md5.upper(),
            "wrong": hashlib.md5(b"not the package").hexdigest(),
            "none": "files",
        }.get(digest, digest)
        return "/%s/%s" % (segment, name)


STATE = State()
STARTED = time.monotonic()


def parse_range(header, size):
    """'bytes=a-b' or 'bytes=a-' -> (start, end inclusive), None if absent."""
    if not header or not header.startswith("bytes="):
        return None
    first = header[6:].split(",")[0].strip()
    start_text, _, end_text = first.partition("-")
    if not start_text:
        return None  # suffix ranges are not used by the installer
    start = int(start_text)
    end = int(end_text) if end_text else size - 1
    return start, min(end, size - 1)


class DownloadHandler(loopback.LoopbackHandler):
    def record(self, status, sent=0):
        with STATE.lock:
            STATE.log.append({"method": self.command, "path": self.path,
                              "range": self.headers.get("Range"), "status": status, "sent": sent,
                              "time": round(time.monotonic() - STARTED, 3)})

    def handle_post(self):
        if self.path == "/__control/configure":
            STATE.configure(json.loads(self.read_body() or b"{}"))
            self.send_text(200, json.dumps({"size": STATE.size, "md5": STATE.md5,
                                            "final_path": STATE.final_path()}))
            return True
        return False

    def handle_head(self):
        return self.handle_package(with_body=False)

    def handle_get(self):
        if self.path == "/__control/info":
            self.send_text(200, json.dumps({"size": STATE.size, "md5": STATE.md5,
                                            "final_path": STATE.final_path()}))
            return True
        if self.path == "/__control/log":
            with STATE.lock:
                self.send_text(200, json.dumps(STATE.log))
            return True
        return self.handle_package(with_body=True)

    def fail_status(self, with_body):
        cfg = STATE.cfg
        if "status" in cfg:
            return int(cfg["status"])
        if not with_body and "head_status" in cfg:
            return int(cfg["head_status"])
        return None

    def handle_package(self, with_body):
        path = self.path.split("?", 1)[0]
        cfg = STATE.cfg
        final = STATE.final_path()
        if path == cfg.get("package_path", "/software/340"):
            status = self.fail_status(with_body)
            if status:
                self.record(status)
                self.send_text(status, "configured failure")
                return True
            self.send_response(302)
            self.send_header("Location", cfg.get("location", final))
            self.send_header("Content-Length", "0")
            self.end_headers()
            self.record(302)
            return True
        if path != final:
            return False
        status = self.fail_status(with_body)
        if status is None and with_body and "get_status" in cfg:
            status = int(cfg["get_status"])
        rule = {}
        if status is None and with_body:
            requested = parse_range(self.headers.get("Range"), STATE.size)
            rule = STATE.take_rule(requested[0] if requested else 0)
            if "status" in rule:
                status = int(rule["status"])
        if status:
            self.record(status)
            self.send_text(status, "configured failure")
            return True
        self.send_file(with_body, rule)
        return True

    def send_file(self, with_body, rule):
        size, data = STATE.size, STATE.data
        cfg = dict(STATE.cfg, **rule)
        wanted = None if cfg.get("no_ranges") else parse_range(self.headers.get("Range"), size)
        if wanted and wanted[0] >= size:
            self.send_response(416)
            self.send_header("Content-Range", "bytes */%d" % size)
            self.send_header("Content-Length", "0")
            self.end_headers()
            self.record(416)
            return
        start, end = wanted if wanted else (0, size - 1)
        if wanted and cfg.get("extra_bytes"):
            end = min(size - 1, end + int(cfg["extra_bytes"]))
        length = end - start + 1
        status = 206 if wanted else 200
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Accept-Ranges", "none" if cfg.get("no_ranges") else "bytes")
        if wanted:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, size))
        if cfg.get("no_length"):
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        if not with_body:
            self.record(status)
            return
        self.stream(data, start, length, status, cfg, rule)

    def stream(self, data, start, length, status, cfg, rule):
        with STATE.lock:
            drop_at = None
            if "drop_after" in rule:
                drop_at = int(rule["drop_after"])
            elif STATE.drops_left > 0:
                STATE.drops_left -= 1
                drop_at = int(cfg["drop_after"])
            stall_at = None
            if "stall_after" in rule:
                stall_at = int(rule["stall_after"])
            elif STATE.stalls_left > 0:
                STATE.stalls_left -= 1
                stall_at = int(cfg["stall_after"])
        rate = float(cfg.get("rate", 0))
        view = memoryview(data)[start:start + length]
        sent, began, chunk = 0, time.monotonic(), 256 * 1024
        if rate:
            chunk = max(1024, min(chunk, int(rate / 20)))
        try:
            while sent < length:
                if drop_at is not None and sent >= drop_at:
                    self.close_connection = True
                    self.connection.shutdown(2)
                    break
                if stall_at is not None and sent >= stall_at:
                    STATE.stopping.wait(float(cfg.get("stall_seconds", 3600)))
                    stall_at = None
                    if STATE.stopping.is_set():
                        break
                limit = length
                if drop_at is not None:
                    limit = min(limit, drop_at)
                if stall_at is not None:
                    limit = min(limit, stall_at)
                piece = view[sent:min(limit, sent + chunk)] if limit > sent else view[sent:sent + chunk]
                self.wfile.write(piece)
                sent += len(piece)
                self.server.touch()
                if rate:
                    ahead = sent / rate - (time.monotonic() - began)
                    if ahead > 0:
                        time.sleep(ahead)
        except (BrokenPipeError, ConnectionResetError, OSError):
            pass
        self.record(status, sent)


def main():
    parser = loopback.argument_parser(__doc__)
    parser.add_argument("--tls", action="store_true", help="serve HTTPS (see above)")
    args = parser.parse_args()

    def on_setup(server):
        if args.tls:
            loopback.enable_https(server, os.path.dirname(os.path.abspath(args.port_file)),
                                  "server-ca", "unrelated-ca")
        original = server.request_shutdown

        def shutdown():
            STATE.stopping.set()
            original()
        server.request_shutdown = shutdown

    loopback.serve(DownloadHandler, args, setup=on_setup)


if __name__ == "__main__":
    main()
