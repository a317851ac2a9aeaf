#!/usr/bin/python3
"""Writes a small RGB PNG logo (three colour bands) without any library."""
import struct
import sys
import zlib

width, height = int(sys.argv[2]), int(sys.argv[3])
bands = [(200, 30, 30), (30, 160, 60), (40, 60, 220)]
rows = b"".join(
    b"\x00" + b"".join(bytes(bands[x * 3 // width]) for x in range(width)) for _ in range(height))


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n")
    f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
    f.write(chunk(b"IDAT", zlib.compress(rows)))
    f.write(chunk(b"IEND", b""))
