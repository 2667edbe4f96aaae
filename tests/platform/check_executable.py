#!/usr/bin/env python3
"""Release check of a built installer executable (it is not run).

Checks: PE32 for i386 (or PE32+ for x86_64), GUI subsystem, an application
manifest that asks for requireAdministrator and common controls 6, the icon
group resource 145 and a version resource. Prints one line per check and exits
non-zero when any fails.
"""
import argparse
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
MACHINES = {"i386": (0x14C, 0x10B), "x86_64": (0x8664, 0x20B)}


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, nsections = struct.unpack_from("<HH", data, pe + 4)[:2]
        opt_size = struct.unpack_from("<H", data, pe + 20)[0]
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", data, dirs + 2 * 8)[0]
        self.sections = []
        for i in range(nsections):
            s = opt + opt_size + 40 * i
            vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((va, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("RVA %#x outside every section" % rva)

    def resources(self):
        """Yields (type, name, language, bytes) for every resource leaf."""
        if not self.resource_rva:
            return
        base = self.offset(self.resource_rva)

        def entries(dir_off):
            named, ids = struct.unpack_from("<HH", self.data, base + dir_off + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, base + dir_off + 16 + 8 * i)
                yield (None if name & 0x80000000 else name), target

        for rtype, t1 in entries(0):
            for rname, t2 in entries(t1 & 0x7FFFFFFF):
                for lang, leaf in entries(t2 & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    off = self.offset(rva)
                    yield rtype, rname, lang, self.data[off:off + size]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--machine", choices=sorted(MACHINES), required=True)
    parser.add_argument("exe")
    args = parser.parse_args()

    try:
        with open(args.exe, "rb") as f:
            pe = PeFile(f.read())
        resources = list(pe.resources())
    except (OSError, ValueError, struct.error) as e:
        print("FAIL: cannot read %s: %s" % (args.exe, e))
        return 1

    machine, magic = MACHINES[args.machine]
    manifest = b"".join(r[3] for r in resources if r[0] == RT_MANIFEST).decode("utf-8", "replace")
    checks = [
        ("machine is %s" % args.machine, pe.machine == machine),
        ("optional header is %s" % ("PE32" if magic == 0x10B else "PE32+"), pe.magic == magic),
        ("GUI subsystem", pe.subsystem == 2),
        ("manifest asks for requireAdministrator", 'level="requireAdministrator"' in manifest),
        ("manifest asks for common controls 6",
         "Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest),
        ("icon group 145", any(r[0] == RT_GROUP_ICON and r[1] == 145 for r in resources)),
        ("icon images", any(r[0] == RT_ICON for r in resources)),
        ("version resource", any(r[0] == RT_VERSION for r in resources)),
    ]
    failed = 0
    for name, ok in checks:
        print("%s: %s" % ("ok" if ok else "FAIL", name))
        failed += not ok
    print("%s: %d checks, %d failed" % (args.exe, len(checks), failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
