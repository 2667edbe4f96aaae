#!/usr/bin/env python3
"""Analytics collection server for tests.

Accepts POST /sa?project=pc with the body "data_list=<percent-encoded Base64
of a gzip stream>&gzip=1", checks every layer of that encoding strictly,
splits the JSON array back into the record texts exactly as they were sent,
and keeps them for the test.

Control routes (GET):
  /__control/answers?plan=200,500,stall,redirect,down&then=200
      answers for the next uploads, in order, then the default `then`.
      200/500/any code: that status; redirect: 302 to the same route;
      stall: wait --stall-seconds before answering 200 (past the client's
      time-out); down: drop the connection without an answer.
  /__control/uploads  every upload so far as JSON:
      {"uploads": [{"answer": "200", "records": ["{...}", ...],
                    "user_agent": ..., "content_type": ..., "error": ""}]}
      "records" is empty and "error" says why when the body was malformed
      (the server then answered 400).
  /__control/reset    forgets the uploads and the plan.

With --tls-dir DIR the server makes a self-signed certificate for
"localhost" (DIR/ca.pem) and one of an unrelated CA (DIR/other-ca.pem)
and serves HTTPS.
"""
import base64
import gzip
import json
import os
import re
import sys
import threading
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loopback  # noqa: E402

UPLOAD_PATH = "/sa?project=pc"
BODY_PATTERN = re.compile(rb"^data_list=((?:[A-Za-z0-9._~-]|%[0-9A-F]{2})*)&gzip=1$")


class Collection:
    def __init__(self, stall_seconds):
        self.lock = threading.Lock()
        self.uploads = []
        self.plan = []
        self.then = "200"
        self.stall_seconds = stall_seconds

    def next_answer(self):
        with self.lock:
            return self.plan.pop(0) if self.plan else self.then


def split_records(text):
    """The record texts of a JSON array of objects, byte for byte as sent."""
    decoder = json.JSONDecoder()
    if not text.startswith("["):
        raise ValueError("batch is not a JSON array")
    records = []
    pos = 1
    if text[pos:pos + 1] == "]":
        pos += 1
    else:
        while True:
            value, end = decoder.raw_decode(text, pos)
            if not isinstance(value, dict):
                raise ValueError("batch entry is not an object")
            records.append(text[pos:end])
            if text[end:end + 1] == ",":
                pos = end + 1
            elif text[end:end + 1] == "]":
                pos = end + 1
                break
            else:
                raise ValueError("bad separator at %d" % end)
    if pos != len(text):
        raise ValueError("trailing bytes after the array")
    return records


def decode_body(body):
    match = BODY_PATTERN.match(body)
    if not match:
        raise ValueError("body is not data_list=<percent-encoded>&gzip=1")
    b64 = urllib.parse.unquote_to_bytes(match.group(1).decode("ascii"))
    packed = base64.b64decode(b64, validate=True)
    if base64.b64encode(packed) != b64:
        raise ValueError("Base64 text is not canonical")
    if packed[:2] != b"\x1f\x8b":
        raise ValueError("not a gzip stream")
    text = gzip.decompress(packed).decode("utf-8")
    return split_records(text)


class CollectionHandler(loopback.LoopbackHandler):
    collection = None

    def handle_get(self):
        c = self.collection
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/__control/answers":
            query = urllib.parse.parse_qs(url.query)
            with c.lock:
                plan = query.get("plan", [""])[0]
                c.plan = [a for a in plan.split(",") if a]
                c.then = query.get("then", ["200"])[0]
            self.send_text(200, "ok")
            return True
        if url.path == "/__control/uploads":
            with c.lock:
                text = json.dumps({"uploads": c.uploads})
            self.send_text(200, text, "application/json")
            return True
        if url.path == "/__control/reset":
            with c.lock:
                c.uploads = []
                c.plan = []
                c.then = "200"
            self.send_text(200, "ok")
            return True
        return False

    def handle_post(self):
        if self.path != UPLOAD_PATH:
            return False
        c = self.collection
        body = self.read_body()
        answer = c.next_answer()
        upload = {"answer": answer, "records": [], "error": "",
                  "user_agent": self.headers.get("User-Agent", ""),
                  "content_type": self.headers.get("Content-Type", "")}
        try:
            upload["records"] = decode_body(body)
        except Exception as e:  # malformed upload: tell the test why
            upload["error"] = "%s: %s" % (type(e).__name__, e)
            answer = upload["answer"] = "400"
        with c.lock:
            c.uploads.append(upload)

        if answer == "down":
            self.close_connection = True
            self.connection.shutdown(2)
            return True
        if answer == "stall":
            time.sleep(c.stall_seconds)
            answer = "200"
        if answer == "redirect":
            self.send_response(302)
            self.send_header("Location", UPLOAD_PATH)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return True
        self.send_text(int(answer), "ok" if answer == "200" else "refused")
        return True


def main():
    parser = loopback.argument_parser(__doc__)
    parser.add_argument("--stall-seconds", type=float, default=5.0)
    parser.add_argument("--tls-dir", help="make certificates here and serve HTTPS")
    args = parser.parse_args()
    CollectionHandler.collection = Collection(args.stall_seconds)

    def setup(server):
        if args.tls_dir:
            loopback.enable_https(server, args.tls_dir, "ca", "other-ca")

    loopback.serve(CollectionHandler, args, setup)


if __name__ == "__main__":
    main()
