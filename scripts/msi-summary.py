#!/usr/bin/env python3
"""Makes an msi's summary information reproducible.

    msi-summary.py PACKAGE.msi PACKAGE_CODE EPOCH

wixl writes a random package code (the "revision number") and the build's
wall-clock time as "created" and "last saved". This puts the given package code
and EPOCH (seconds, the last commit's time) in their place, in the file itself:
the stream keeps its size, nothing else moves.
"""
import struct
import sys

import olefile

STREAM = "\x05SummaryInformation"
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 30, 64
FILETIME_1970 = 116444736000000000  # 100-ns ticks from 1601 to 1970


def patch(data, package_code, epoch):
    data = bytearray(data)
    # Header (28 bytes), one FMTID/offset pair, then the section: size, count, (pid, offset)...
    (section,) = struct.unpack_from("<I", data, 28 + 16)
    _, count = struct.unpack_from("<II", data, section)
    seen = set()
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        at = section + offset
        (vt,) = struct.unpack_from("<I", data, at)
        if pid == PID_REVNUMBER and vt == VT_LPSTR:
            (length,) = struct.unpack_from("<I", data, at + 4)
            text = ("{%s}" % package_code.upper()).encode("ascii") + b"\0"
            if len(text) != length:
                sys.exit("msi-summary.py: revision number of %d bytes, expected %d" % (length, len(text)))
            data[at + 8 : at + 8 + length] = text
            seen.add(pid)
        elif pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and vt == VT_FILETIME:
            struct.pack_into("<Q", data, at + 4, FILETIME_1970 + epoch * 10_000_000)
            seen.add(pid)
    missing = {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM} - seen
    if missing:
        sys.exit("msi-summary.py: no summary properties %s" % sorted(missing))
    return bytes(data)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    path, package_code, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with olefile.OleFileIO(path, write_mode=True) as ole:
        ole.write_stream(STREAM, patch(ole.openstream(STREAM).read(), package_code, epoch))


if __name__ == "__main__":
    main()
