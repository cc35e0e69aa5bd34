#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes ROWS rows of a contacts export for the CSV bench, and the same rows' phone column alone,
one a line: six columns (an id, a name quoted when it holds a comma, the phone in mixed formats,
an e-mail, a note that may hold quotes and line breaks, a city), CR LF row ends, a byte-order
mark, the same bytes on every run. Usage: phone-csv.py ROWS CSV COLUMN"""
import random
import sys

rows = int(sys.argv[1])
rng = random.Random(20261207)


def israeli():
    first = rng.choice('5555555555234789')
    return first + ''.join(rng.choices('0123456789', k=8 if first == '5' else 7))


def written(n):
    a, b = n[:-7], n[-7:]
    return rng.choice([
        '0' + n, f'0{a}-{b}', f'(0{a}) {b[:3]}-{b[3:]}', f'0{a}.{b[:3]}.{b[3:]}',
        f'+972 {a} {b[:3]} {b[3:]}', f'+972-{a}-{b}', '+972' + n, '00972' + n, f'0{a} {b[:3]} {b[3:]}',
    ])


def quoted(text):
    return '"' + text.replace('"', '""') + '"' if any(c in text for c in ',"\r\n') else text


pool = [israeli() for _ in range(max(1, rows // 4))]
names = ['Cohen, Dana', 'Levi, Avi', 'Mizrahi', 'Peretz, Noa', 'Biton', 'Dahan, Yossi']
notes = ['', '', 'call after 5', 'VIP\nprefers mornings', 'said "not now"', 'moved,\r\nnew address']
csv, column = [], []
for i in range(rows):
    phone = rng.choice(['', 'n/a', '12']) if rng.random() < 0.02 else written(rng.choice(pool))
    column.append(phone)
    csv.append(','.join([str(i + 1), quoted(rng.choice(names)), quoted(phone),
                         f'user{i}@example.com', quoted(rng.choice(notes)), 'Tel Aviv']))
with open(sys.argv[2], 'wb') as f:
    f.write(('\ufeffid,name,phone,email,note,city\r\n' + ''.join(r + '\r\n' for r in csv)).encode())
with open(sys.argv[3], 'wb') as f:
    f.write(''.join(p + '\r\n' for p in column).encode())
