#!/usr/bin/env python3
"""Packs files into a zip that depends on nothing but their names and contents and the time
given: make_zip.py ZIP SECONDS_SINCE_1970 FILE...

Entries stand at the top of the zip in the order of their names. Each carries the given time
(as the DOS time of day in UTC, and exactly in an extended timestamp field), the permissions
rw-r--r--, or rwxr-xr-x for an executable file, and no owner, access or change time: whoever
packs the same files, wherever and whenever, gets the same bytes.
"""
import os
import struct
import sys
import time
import zipfile


def entry(path, seconds):
    info = zipfile.ZipInfo(os.path.basename(path), time.gmtime(seconds)[:6])
    info.create_system = 3  # Unix, so that unzip restores the permissions below.
    mode = 0o755 if os.access(path, os.X_OK) else 0o644
    info.external_attr = (0o100000 | mode) << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    # The extended timestamp field ("UT"), modification time only: flag 1, then the time.
    info.extra = struct.pack("<HHBl", 0x5455, 5, 1, seconds)
    return info


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    output, seconds, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    with zipfile.ZipFile(output, "w") as archive:
        for path in sorted(files, key=os.path.basename):
            with open(path, "rb") as content:
                archive.writestr(entry(path, seconds), content.read())


if __name__ == "__main__":
    main()
