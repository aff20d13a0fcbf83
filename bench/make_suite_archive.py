#!/usr/bin/env python3
"""Writes a MIDlet suite's archive of exactly SIZE bytes to PATH: a manifest and a
stored filler entry. The descriptor flow opens the archive and reads its manifest
before it compares sizes, so the benchmarks' archive must be a real one.

    make_suite_archive.py PATH SIZE
"""
import io
import sys
import zipfile


def build(filler):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_STORED) as archive:
        archive.writestr("META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMIDlet-1: App, , a.App\r\n")
        archive.writestr("filler.bin", bytes(filler))
    return out.getvalue()


def main():
    path, size = sys.argv[1], int(sys.argv[2])
    data = build(size - len(build(0)))
    assert len(data) == size
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
