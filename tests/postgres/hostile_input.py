#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes COUNT random byte strings, none with a NUL, of 0 to 10,240 bytes (most of them short),
for the extension's hostile-input test: FOLDER/strings.csv, one quoted CSV field each, and
FOLDER/keys/N.bin, string N as the one field of a binary COPY file. A third are any bytes, a
third text that looks like numbers (digits, separators, plus signs, letters, line breaks,
fullwidth and Arabic-Indic digits) and a third any characters, in UTF-8. The same on every run.
Usage: hostile_input.py COUNT FOLDER"""
import csv
import random
import struct
import sys
from pathlib import Path

count, folder = int(sys.argv[1]), Path(sys.argv[2])
rng = random.Random(20261225)
LOOKS_LIKE = ('0123456789' * 4 + ' -.()+/#*;,x\t\r\nabcdefghijklmnopqrstuvwxyzEXT:=' +
              '０１２３４５６７８９٠١٢٣٤٥٦٧٨٩')


def hostile(size):
    kind = rng.randrange(3)
    if kind == 0:
        return rng.randbytes(size).replace(b'\0', b'\1')
    if kind == 1:
        text = ''.join(rng.choice(LOOKS_LIKE) for _ in range(size))
    else:
        text = ''.join(chr(rng.choice([rng.randrange(1, 0x80), rng.randrange(0x80, 0xD800),
                                       rng.randrange(0xE000, 0x110000)])) for _ in range(size))
    return text.encode()[:size]


strings = [hostile(0 if rng.random() < 0.01 else int(10240 ** rng.random())) for _ in range(count)]
with open(folder / 'strings.csv', 'w', encoding='latin-1', newline='') as out:
    csv.writer(out, quoting=csv.QUOTE_ALL).writerows([s.decode('latin-1')] for s in strings)
keys = folder / 'keys'
keys.mkdir()
for n, s in enumerate(strings, 1):
    header = b'PGCOPY\n\xff\r\n\0' + struct.pack('!ii', 0, 0)
    keys.joinpath(f'{n}.bin').write_bytes(header + struct.pack('!hi', 1, len(s)) + s +
                                          struct.pack('!h', -1))
