"""Prints "TARGET|ARGUMENTS" of a Windows shortcut (.lnk): the local path it
points at and its command-line arguments, read from the shell link format's
link info and string data."""
import struct
import sys

data = open(sys.argv[1], 'rb').read()
flags = struct.unpack_from('<I', data, 0x14)[0]
at = 0x4C
if flags & 0x1: at += 2 + struct.unpack_from('<H', data, at)[0]
target = ''
if flags & 0x2:
    info = data[at:at + struct.unpack_from('<I', data, at)[0]]
    base = struct.unpack_from('<I', info, 16)[0]
    target = info[base:info.index(b'\0', base)].decode('latin-1')
    at += len(info)
strings = []
for bit in (0x4, 0x8, 0x10, 0x20, 0x40):
    if flags & bit:
        count = struct.unpack_from('<H', data, at)[0]
        size = count * 2 if flags & 0x80 else count
        strings.append((bit, data[at + 2:at + 2 + size].decode('utf-16-le' if flags & 0x80 else 'latin-1')))
        at += 2 + size
arguments = dict(strings).get(0x20, '')
# Wine counts a string's terminating NUL.
print(f'{target}|{arguments}'.replace('\0', ''))
