#!/usr/bin/env python3
"""Python's zipfile on the archives of the zip benchmark, for comparison.

  zipfile_manifest.py print ARCHIVE        writes META-INF/MANIFEST.MF to stdout
  zipfile_manifest.py time ARCHIVE COUNT   times COUNT runs of
        zipfile.ZipFile(ARCHIVE).read("META-INF/MANIFEST.MF") in this process
        and prints "median_seconds min_seconds max_seconds manifest_bytes"
"""

import statistics
import sys
import time
import zipfile

NAME = "META-INF/MANIFEST.MF"


def read_manifest(path):
    with zipfile.ZipFile(path) as archive:
        return archive.read(NAME)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "print":
        sys.stdout.buffer.write(read_manifest(sys.argv[2]))
        return 0
    if len(sys.argv) == 4 and sys.argv[1] == "time":
        path, count = sys.argv[2], int(sys.argv[3])
        manifest = read_manifest(path)  # a first run outside the figures
        times = []
        for _ in range(count):
            start = time.perf_counter()
            read = read_manifest(path)
            times.append(time.perf_counter() - start)
            if read != manifest:
                print("the manifest changed between runs", file=sys.stderr)
                return 1
        print(f"{statistics.median(times):.9f} {min(times):.9f} {max(times):.9f} {len(manifest)}")
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
