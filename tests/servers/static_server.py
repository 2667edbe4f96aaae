#!/usr/bin/env python3
"""Serves the files of one folder by GET and HEAD (for the platform tests)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loopback  # noqa: E402


class StaticHandler(loopback.LoopbackHandler):
    root = "."

    def _file(self):
        name = self.path.split("?", 1)[0].lstrip("/")
        path = os.path.realpath(os.path.join(self.root, name))
        if not path.startswith(os.path.realpath(self.root) + os.sep) or not os.path.isfile(path):
            return None
        return path

    def _serve(self, with_body):
        path = self._file()
        if path is None:
            return False
        with open(path, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        if with_body:
            self.wfile.write(data)
        return True

    def handle_get(self):
        return self._serve(True)

    def handle_head(self):
        return self._serve(False)


def main():
    parser = loopback.argument_parser(__doc__)
    parser.add_argument("--root", required=True, help="folder to serve")
    args = parser.parse_args()
    StaticHandler.root = args.root
    loopback.serve(StaticHandler, args)


if __name__ == "__main__":
    main()
