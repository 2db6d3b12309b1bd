#!/usr/bin/env python3
"""Packs files into a zip, in one folder, that depends on nothing but their names and contents
and the time given: make_zip.py ZIP FOLDER SECONDS_SINCE_1970 FILE...

The folder's entry comes first, then the files' in the order of their names, each FOLDER/NAME.
Each carries the given time (as the DOS time of day in UTC, and exactly in an extended timestamp
field), the permissions rwxr-xr-x for the folder and an executable file, rw-r--r-- otherwise,
and no owner, access or change time: whoever packs the same files, wherever and whenever, gets
the same bytes.
"""
import os
import stat
import struct
import sys
import time
import zipfile

MS_DOS_DIRECTORY = 0x10


def entry(name, seconds, mode):
    info = zipfile.ZipInfo(name, time.gmtime(seconds)[:6])
    info.create_system = 3  # Unix, so that unzip restores the permissions below.
    info.external_attr = mode << 16
    # The extended timestamp field ("UT"), modification time only: flag 1, then the time.
    info.extra = struct.pack("<HHBl", 0x5455, 5, 1, seconds)
    return info


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    output, folder, seconds, files = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
    with zipfile.ZipFile(output, "w") as archive:
        directory = entry(folder + "/", seconds, stat.S_IFDIR | 0o755)
        directory.external_attr |= MS_DOS_DIRECTORY
        archive.writestr(directory, b"")
        for path in sorted(files, key=os.path.basename):
            mode = 0o755 if os.access(path, os.X_OK) else 0o644
            info = entry(folder + "/" + os.path.basename(path), seconds, stat.S_IFREG | mode)
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as content:
                archive.writestr(info, content.read())


if __name__ == "__main__":
    main()
