#!/usr/bin/env python3
"""Writes a MIDlet suite's archive of exactly SIZE bytes to PATH: a manifest and a
stored filler entry. The descriptor flow opens the archive and reads its manifest
before it compares sizes, so the benchmarks' archive must be a real one. With
--desktop it is a desktop archive instead: its manifest names a main class,
whose class file (Java 8) is there.

    make_suite_archive.py [--desktop] PATH SIZE
"""
import io
import sys
import zipfile


SUITE = {"META-INF/MANIFEST.MF": b"Manifest-Version: 1.0\r\nMIDlet-1: App, , a.App\r\n"}
DESKTOP = {"META-INF/MANIFEST.MF": b"Manifest-Version: 1.0\r\nMain-Class: app.Main\r\n",
           "app/Main.class": bytes.fromhex("cafebabe00000034") + bytes(64)}


def build(entries, filler):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_STORED) as archive:
        for name, data in entries.items():
            archive.writestr(name, data)
        archive.writestr("filler.bin", bytes(filler))
    return out.getvalue()


def main():
    args = sys.argv[1:]
    entries = DESKTOP if args and args[0] == "--desktop" else SUITE
    if args and args[0] == "--desktop":
        args = args[1:]
    path, size = args[0], int(args[1])
    data = build(entries, size - len(build(entries, 0)))
    assert len(data) == size
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
