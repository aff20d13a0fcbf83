#!/usr/bin/env python3
"""Writes the desktop archives that the zip benchmarks read.

  make_big_jar.py PATH               50,000 entries, about 110 MB
  make_big_jar.py --tiny PATH        the manifest alone
  make_big_jar.py --entries N PATH   N entries in all

The first entry is META-INF/MANIFEST.MF (deflated, Manifest-Version, Main-Class,
Created-By: a desktop archive, nothing of a MIDlet suite). Every other entry is
an asset of 1,536 to 2,560 pseudo-random bytes, so nothing in it compresses.

The archive is laid out as a jar tool writes one: every entry deflated, even
where deflating gains nothing (as the jar tool does for images and sounds), the
name marked UTF-8, the CRC and sizes in a data descriptor after the data (so the
local headers hold zeros and only the central directory knows the sizes), the
jar marker extra field on the first entry, and one central directory record
per entry at the end. Deflating incompressible data gives stored blocks, so the
file is about as large as the data and no reader can skip the data by chance.

The same arguments give the same bytes on every run (fixed seed, fixed time
stamps, and zlib gives the same output for the same input and level).
"""

import argparse
import os
import random
import struct
import sys
import zlib

MANIFEST = (b"Manifest-Version: 1.0\r\n"
            b"Main-Class: com.brenwick.atlas.AtlasViewer\r\n"
            b"Created-By: 17.0.9 (Debian)\r\n"
            b"\r\n")
SEED = 20261207
FOLDERS = 50
# 2026-12-07 12:00:00 in MS-DOS form.
DOS_TIME = (12 << 11) | (0 << 5) | 0
DOS_DATE = ((2026 - 1980) << 9) | (12 << 5) | 7
VERSION = 20                 # 2.0: deflate
FLAGS = 0x0008 | 0x0800      # data descriptor, UTF-8 name
DEFLATED = 8
JAR_MARKER = struct.pack("<HH", 0xCAFE, 0)


def deflate(data):
    packer = zlib.compressobj(6, zlib.DEFLATED, -zlib.MAX_WBITS)
    return packer.compress(data) + packer.flush()


def entries(count):
    """(name, data) of every entry, the manifest first."""
    yield "META-INF/MANIFEST.MF", MANIFEST
    rng = random.Random(SEED)
    for index in range(1, count):
        folder = index % FOLDERS
        name = f"assets/atlas{folder:02d}/tile{index:05d}.png"
        yield name, rng.randbytes(rng.randint(1536, 2560))


def write_jar(out, count):
    directory = []
    offset = 0
    for position, (name, data) in enumerate(entries(count)):
        raw_name = name.encode("utf-8")
        extra = JAR_MARKER if position == 0 else b""
        packed = deflate(data)
        crc = zlib.crc32(data)
        local = struct.pack("<IHHHHHIIIHH", 0x04034B50, VERSION, FLAGS, DEFLATED, DOS_TIME, DOS_DATE,
                            0, 0, 0, len(raw_name), len(extra))
        descriptor = struct.pack("<IIII", 0x08074B50, crc, len(packed), len(data))
        out.write(local + raw_name + extra)
        out.write(packed)
        out.write(descriptor)
        directory.append(struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, VERSION, VERSION, FLAGS, DEFLATED,
                                     DOS_TIME, DOS_DATE, crc, len(packed), len(data), len(raw_name),
                                     len(extra), 0, 0, 0, 0, offset) + raw_name + extra)
        offset += len(local) + len(raw_name) + len(extra) + len(packed) + len(descriptor)
    central = b"".join(directory)
    out.write(central)
    out.write(struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(directory), len(directory), len(central),
                          offset, 0))
    return offset + len(central) + 22, len(central)


def main():
    parser = argparse.ArgumentParser(description="Writes a desktop archive for the zip benchmarks.")
    parser.add_argument("path")
    parser.add_argument("--entries", type=int, default=50_000)
    parser.add_argument("--tiny", action="store_true", help="the manifest alone")
    arguments = parser.parse_args()
    count = 1 if arguments.tiny else arguments.entries
    if not 1 <= count <= 0xFFFF:
        parser.error("between 1 and 65535 entries")
    partial = arguments.path + ".part"
    with open(partial, "wb") as out:
        size, central = write_jar(out, count)
    # Only a complete archive takes the name, so an interrupted run is redone.
    os.replace(partial, arguments.path)
    print(f"{arguments.path}: {size} bytes, {count} entries, central directory {central} bytes",
          file=sys.stderr)


if __name__ == "__main__":
    main()
