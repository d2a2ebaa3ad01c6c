"""Prints the width and height of a PNG file from its header, or fails."""
import struct
import sys

with open(sys.argv[1], "rb") as png:
    head = png.read(24)
if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
    sys.exit(f"{sys.argv[1]}: not a PNG file")
print(*struct.unpack(">II", head[16:24]))
