#!/usr/bin/env python3
"""Expected outcome of ZipArchiveReader for every real archive of the shared test data.

Applies the reader's rules, written out again here from the rules and not from the
C++ code, to each archive under zip/ and writes zip_corpus_expected.tsv beside this
script. zip_corpus_test.cpp checks the reader against that table entry by entry.

    zip_oracle.py            rewrite the table and print where Python's zipfile differs
    zip_oracle.py --check    compare the table with what the archives give now (exit 1 on a difference)

Rows: archive (relative to the test data), entry name, outcome, why. A name keeps
printable ASCII as it is and writes every other byte, and '%', '*' and tab, as %XX.
Outcomes: "open-fails"; "empty" (directory of size 0) or "no-entries" (the walk
finds no record) under the name "*"; "ok SIZE CRC32" or "refused" for an entry.
After the names the walk reaches come the names of central records and local
headers found anywhere else in the file, which the reader must not find.
"""

import argparse
import difflib
import io
import os
import pathlib
import struct
import sys
import zipfile
import zlib

HERE = pathlib.Path(__file__).resolve().parent
TABLE = HERE / "zip_corpus_expected.tsv"
DEFAULT_TESTDATA = pathlib.Path(os.environ.get("QUILLMONT_TESTDATA") or HERE.parents[2] / "shared" / "testdata")
SKIPPED = 77  # the exit code of a check that had no archives to read; ctest counts it as skipped
CORPUS = "zip"

END_SIG, CENTRAL_SIG, LOCAL_SIG = 0x06054B50, 0x02014B50, 0x04034B50
END_SIZE, CENTRAL_SIZE, LOCAL_SIZE = 22, 46, 30
SEARCH_WINDOW = END_SIZE + 0xFFFF + 1  # the end record with the longest comment, and one byte more
MAX_ENTRY_SIZE = 64 * 1024 * 1024
METHOD_NAMES = {1: "shrink", 6: "implode", 9: "deflate64", 12: "bzip2", 14: "lzma", 93: "zstd", 95: "xz", 99: "AES"}


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def escape(name):
    return "".join(chr(b) if 0x20 <= b <= 0x7E and b not in b"%*" else f"%{b:02X}" for b in name)


class OpenFails(Exception):
    pass


def find_end_record(data):
    size = len(data)
    if size < END_SIZE:
        raise OpenFails(f"{size} bytes: shorter than an end record")
    last_miss = None
    for p in range(size - min(size, SEARCH_WINDOW), size - END_SIZE + 1):
        if u32(data, p) != END_SIG:
            continue
        remaining = size - p
        if data[p + 4:p + 8] != b"\0\0\0\0":
            last_miss = f"end record at {p} names disks {u16(data, p + 4)}/{u16(data, p + 6)}"
        elif u16(data, p + 8) != u16(data, p + 10):
            last_miss = f"end record at {p} counts {u16(data, p + 8)} entries on this disk of {u16(data, p + 10)}"
        elif u16(data, p + 20) != remaining - END_SIZE:
            last_miss = f"end record at {p} has a {u16(data, p + 20)}-byte comment, {remaining - END_SIZE} bytes follow"
        else:
            return p
    raise OpenFails(last_miss or f"no end record signature in the last {min(size, SEARCH_WINDOW)} bytes")


def open_directory(data):
    """The directory's bytes and where they start; b"" for an empty one."""
    p = find_end_record(data)
    dir_size, dir_offset = u32(data, p + 12), u32(data, p + 16)
    if dir_size == 0xFFFFFFFF:
        raise OpenFails(f"end record at {p}: directory size 0xFFFFFFFF (zip64)")
    if dir_size == 0:
        return b"", dir_offset, f"end record at {p} gives a directory of size 0"
    if dir_offset + dir_size > len(data):
        raise OpenFails(f"directory {dir_offset}+{dir_size} ends beyond the file ({len(data)} bytes)")
    return data[dir_offset:dir_offset + dir_size], dir_offset, ""


def walk(directory):
    """The central records the reader walks, and why the walk ended."""
    records, at = [], 0
    while len(directory) - at >= CENTRAL_SIZE:
        if u32(directory, at) != CENTRAL_SIG:
            return records, f"walk stops at directory byte {at}: signature 0x{u32(directory, at):08X}"
        n, m, k = u16(directory, at + 28), u16(directory, at + 30), u16(directory, at + 32)
        length = CENTRAL_SIZE + n + m + k
        if length > len(directory) - at:
            return records, f"walk stops at directory byte {at}: record of {length} bytes, {len(directory) - at} left"
        records.append(directory[at:at + length])
        at += length
    tail = len(directory) - at
    return records, (f"walk ends with {tail} bytes left over" if tail else "")


def inflate(comp, usize):
    """One inflate call over all of comp into exactly usize bytes: (bytes, None) or (None, why).

    Given all the input and usize bytes of room, inflate runs until the stream
    ends (Z_STREAM_END; what follows the stream stays unread), until it needs room
    it has not got, or until the input runs out (both Z_OK). While it has room and
    input it never stops, and after the last byte of output it still reads what
    needs no room, such as the end-of-block code of the last block. decompress()
    with max_length usize calls inflate until exactly those points too, however
    it cuts its own output buffer: input left because the room ran out comes
    back as unconsumed_tail, input after the end of the stream as unused_data.
    So the call succeeds when both are empty and usize bytes came out; a stream
    without its end that fills the room with its last input byte is Z_OK as well.
    Without any input inflate makes no progress and says Z_BUF_ERROR.
    """
    if not comp:
        return None, "inflate: no compressed bytes, zlib makes no progress"
    d = zlib.decompressobj(-15)
    try:
        # max_length 0 would mean no limit: for an entry declared empty, one byte
        # of room shows whether the stream wants to write anything. (Not quite:
        # a cut-off stream whose input ends with the Huffman code of its first
        # byte passes inflate with no room, and fails here; no archive is one.)
        out = d.decompress(comp, usize or 1)
    except zlib.error as error:
        return None, f"inflate: {error}"
    if len(out) > usize or (len(out) == usize and d.unconsumed_tail):
        return None, f"inflate: the stream holds more than the {usize} bytes declared"
    if len(out) < usize:
        state = "ends" if d.eof else "is cut off"
        return None, f"inflate: the stream {state} after {len(out)} of {usize} bytes"
    if d.unused_data:
        return None, f"inflate: {len(d.unused_data)} bytes follow the end of the deflate stream"
    return out, None if d.eof else "no end of stream within the compressed size, zlib says Z_OK"


def read_entry(data, rec):
    """("ok", bytes, notes) or ("refused", why)."""
    version, flags, method = u16(rec, 6), u16(rec, 8), u16(rec, 10)
    crc, csize, usize = u32(rec, 16), u32(rec, 20), u32(rec, 24)
    if version & 0xFF > 20:
        return "refused", f"version: needs {version & 0xFF} (0x{version:04X})"
    if flags & 1:
        return "refused", "encrypted: flag bit 0"
    if method not in (0, 8):
        return "refused", f"method {method}" + (f" ({METHOD_NAMES[method]})" if method in METHOD_NAMES else "")
    if usize > MAX_ENTRY_SIZE:
        return "refused", f"too-large: {usize} bytes declared" + (" (zip64)" if usize == 0xFFFFFFFF else "")
    offset = u32(rec, 42)
    if offset + LOCAL_SIZE > len(data):
        return "refused", f"local-header: at {offset}, beyond the file ({len(data)} bytes)"
    if u32(data, offset) != LOCAL_SIG:
        return "refused", f"local-header: signature 0x{u32(data, offset):08X} at {offset}"
    notes = local_header_notes(data, offset, rec)
    start = offset + LOCAL_SIZE + u16(data, offset + 26) + u16(data, offset + 28)
    length = usize if method == 0 else csize
    if start + length > len(data):
        return "refused", f"outside-file: data {start}+{length} ends beyond the file ({len(data)} bytes)"
    if method == 0:
        out = data[start:start + usize]
        notes.insert(0, "stored")
        if csize != usize:
            notes.append(f"compressed size {csize} ignored")
    else:
        out, why = inflate(data[start:start + csize], usize)
        if out is None:
            return "refused", why
        notes.insert(0, f"deflated from {csize} bytes")
        if why:
            notes.append(why)
    if zlib.crc32(out) != crc:
        return "refused", f"crc: data gives {zlib.crc32(out):08x}, central record says {crc:08x}"
    if flags & 8:
        notes.append("data descriptor: sizes from the central record")
    if version >> 8:
        notes.append(f"version needed 0x{version:04X}: low byte {version & 0xFF}")
    return "ok", out, notes


def local_header_notes(data, offset, rec):
    notes = []
    local_n, local_m = u16(data, offset + 26), u16(data, offset + 28)
    central_n, central_m = u16(rec, 28), u16(rec, 30)
    if local_m != central_m:
        notes.append(f"local extra {local_m} bytes vs central {central_m}: read from the local header")
    local_name = data[offset + LOCAL_SIZE:offset + LOCAL_SIZE + local_n]
    if local_n != central_n:
        notes.append(f"local name {local_n} bytes vs central {central_n}: skipped by its own length")
    elif local_name != rec[CENTRAL_SIZE:CENTRAL_SIZE + central_n]:
        notes.append("local name differs: only the central name counts")
    for what, local_at, central_at, read in (("method", 8, 10, u16), ("crc", 14, 16, u32),
                                             ("compressed size", 18, 20, u32), ("size", 22, 24, u32)):
        if read(data, offset + local_at) != read(rec, central_at) and not (u16(rec, 8) & 8 and what != "method"):
            notes.append(f"local {what} {read(data, offset + local_at)} ignored")
    return notes


def names_elsewhere(data):
    """Names of central records and local headers anywhere in the file, in file order."""
    names = []
    for sig, fixed, name_at in ((b"PK\x01\x02", CENTRAL_SIZE, 28), (b"PK\x03\x04", LOCAL_SIZE, 26)):
        at = data.find(sig)
        while at >= 0:
            if at + fixed <= len(data):
                n = u16(data, at + name_at)
                if at + fixed + n <= len(data):
                    names.append((at, data[at + fixed:at + fixed + n]))
            at = data.find(sig, at + 1)
    return [name for _, name in sorted(names)]


def archive_rows(relative, data):
    """The rows of one archive and, for the summary, each entry's outcome by name."""
    try:
        directory, _, empty_why = open_directory(data)
    except OpenFails as failure:
        return [(relative, "*", "open-fails", str(failure))], {}
    rows, outcomes = [], {}
    records, stop = walk(directory)
    if not directory:
        rows.append((relative, "*", "empty", empty_why))
    elif not records:
        rows.append((relative, "*", "no-entries", stop))
    for rec in records:
        name = rec[CENTRAL_SIZE:CENTRAL_SIZE + u16(rec, 28)]
        if name in outcomes:
            continue
        result = read_entry(data, rec)
        outcomes[name] = result
        if result[0] == "ok":
            out, notes = result[1], result[2]
            rows.append((relative, escape(name), f"ok {len(out)} {zlib.crc32(out):08x}", "; ".join(notes)))
        else:
            rows.append((relative, escape(name), "refused", result[1]))
    for name in names_elsewhere(data):
        if name not in outcomes:
            outcomes[name] = ("refused", "not-found")
            why = stop or "the walk reaches the end of the directory without it"
            rows.append((relative, escape(name), "refused", f"not-found: named by a header elsewhere; {why}"))
    return rows, outcomes


HEADER = """\
# Expected outcome of ZipArchiveReader for every archive under zip/ of the shared test data.
# Written by tests/corpus/zip_oracle.py from the reader's rules; rerun it rather than edit this.
# archive<TAB>entry name (%XX escapes; * for the archive)<TAB>outcome<TAB>why
"""


def archives(testdata):
    return sorted(p.relative_to(testdata).as_posix() for p in (testdata / CORPUS).rglob("*") if p.is_file())


def build(testdata):
    lines, compared = [HEADER], []
    for relative in archives(testdata):
        data = (testdata / relative).read_bytes()
        rows, outcomes = archive_rows(relative, data)
        lines.extend("\t".join(row) + "\n" for row in rows)
        compared.append((relative, data, outcomes))
    return "".join(lines), compared


def zipfile_differences(relative, data, outcomes):
    """Where Python's zipfile reads an entry otherwise than the reader's rules."""
    try:
        archive = zipfile.ZipFile(io.BytesIO(data))
    except Exception as error:
        ok = sum(1 for o in outcomes.values() if o[0] == "ok")
        return [f"{relative}: zipfile cannot open it ({error})" + (f", the rules read {ok} entries" if ok else "")]
    found, lines = {}, []
    for info in archive.infolist():
        raw = info.orig_filename.encode("utf-8" if info.flag_bits & 0x800 else "cp437")
        found.setdefault(raw, info)
    for name, outcome in outcomes.items():
        info = found.get(name)
        try:
            theirs = archive.read(info) if info else None
            their_why = "" if info else "no such entry"
        except Exception as error:
            theirs, their_why = None, f"{type(error).__name__}: {error}"
        label = f"{relative} {escape(name)}"
        if outcome[0] == "ok" and theirs is None:
            lines.append(f"{label}: ok here, zipfile fails ({their_why})")
        elif outcome[0] == "ok" and theirs != outcome[1]:
            lines.append(f"{label}: zipfile reads {len(theirs)} other bytes")
        elif outcome[0] != "ok" and theirs is not None:
            lines.append(f"{label}: zipfile reads {len(theirs)} bytes, here {outcome[1]}")
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the committed table")
    parser.add_argument("--testdata", type=pathlib.Path, default=DEFAULT_TESTDATA)
    args = parser.parse_args()
    if not (args.testdata / "README.md").is_file():
        print(f"the real-file corpus is not at {args.testdata}")
        return SKIPPED
    table, compared = build(args.testdata.resolve())
    if args.check:
        committed = TABLE.read_text(encoding="ascii") if TABLE.exists() else ""
        if committed == table:
            print(f"{TABLE.name} matches the {len(compared)} archives")
            return 0
        sys.stdout.writelines(difflib.unified_diff(committed.splitlines(True), table.splitlines(True),
                                                   "committed", "regenerated"))
        return 1
    TABLE.write_text(table, encoding="ascii", newline="\n")
    differences = [line for c in compared for line in zipfile_differences(*c)]
    rows = table.count("\n") - HEADER.count("\n")
    print(f"{len(compared)} archives, {rows} rows written to {TABLE.name}")
    print(f"Python's zipfile differs on {len(differences)} entries or archives:")
    for line in differences:
        print("  " + line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
