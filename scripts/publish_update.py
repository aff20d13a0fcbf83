#!/usr/bin/env python3
"""Writes the update service's answer for a release.

The service is any static web host: the file this writes is served as the
body for <base>/update/1/ (for example as update/1/index.html), whatever the
query says. Its form: "*" and then, in Base64, the records
    type 1: the latest version, 4 bytes little-endian, 0xMMmmbbrr
    type 3: the page that the program opens, in the ANSI code page
each as a type byte, a signed little-endian 32-bit length and the value.

    scripts/publish_update.py 1.3.0.0 https://quillmont.brenwick.example/download/ [-o FILE]
"""
import argparse
import base64
import struct
import sys


def packed_version(text):
    parts = [int(p) for p in text.split(".")]
    if len(parts) != 4 or any(p < 0 or p > 255 for p in parts):
        raise ValueError("a version is four numbers from 0 to 255: " + text)
    return (parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | parts[3]


def record(kind, value):
    return struct.pack("<Bi", kind, len(value)) + value


def payload(version, url, extra=()):
    """The records of an answer; `extra` are (type, bytes) records put between them."""
    out = record(1, struct.pack("<I", packed_version(version)))
    for kind, value in extra:
        out += record(kind, value)
    return out + record(3, url.encode("cp1252"))


def answer(records):
    return b"*" + base64.b64encode(records)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("version", help="the latest version, four numbers: 1.3.0.0")
    parser.add_argument("url", help="the page to open when the user's version is older (http or https)")
    parser.add_argument("-o", "--output", help="the file to write (default: standard output)")
    args = parser.parse_args()
    if not args.url.lower().startswith(("http://", "https://")):
        parser.error("the program opens http and https pages only")
    body = answer(payload(args.version, args.url))
    if args.output:
        with open(args.output, "wb") as out:
            out.write(body)
    else:
        sys.stdout.buffer.write(body)


if __name__ == "__main__":
    main()
