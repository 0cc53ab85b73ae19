#!/usr/bin/env python3
"""Prints where the payload's compressed block lies in a setup program:
its file offset and its length, separated by a blank.

The record begins with the binder's class and component names and then the
block property: 0x10 "TFileArrayBinder", 0x10 "FileArrayBinder1", 0x22
"DateiSammlung.FDateiSammlungsDaten", the tag 0x0A and the block's length
(4 bytes, little-endian), then the block itself."""
import struct
import sys

HEAD = (b"\x10TFileArrayBinder\x10FileArrayBinder1"
        b"\x22DateiSammlung.FDateiSammlungsDaten\x0a")


def main() -> int:
    data = open(sys.argv[1], "rb").read()
    at = data.find(HEAD)
    if at < 0 or data.find(HEAD, at + 1) >= 0:
        print(f"{sys.argv[1]}: no single payload record found", file=sys.stderr)
        return 1
    start = at + len(HEAD) + 4
    (length,) = struct.unpack_from("<I", data, start - 4)
    if start + length > len(data):
        print(f"{sys.argv[1]}: the block runs past the end of the file", file=sys.stderr)
        return 1
    print(start, length)
    return 0


if __name__ == "__main__":
    sys.exit(main())
