#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes LINES lines of telephone numbers for the normalize bench, as a merged calling list has
them: 50,000 numbers to every 200,000 lines, each time written any of a dozen ways, one in a
hundred with an extension (Israeli numbers mostly, some foreign; one line in fifty is not a number
at all, and some numbers are not in the numbering plan), CR LF breaks, the same bytes on every
run. Usage: phone-list.py LINES OUT"""
import random
import sys

lines = int(sys.argv[1])
rng = random.Random(20261212)


def israeli():
    first = rng.choice('5555555555234789')
    return first + ''.join(rng.choices('0123456789', k=8 if first == '5' else 7))


def written(n):
    a, b = n[:-7], n[-7:]
    return rng.choice([
        '0' + n, f'0{a}-{b}', f'0{a}-{b}', f'(0{a}) {b[:3]}-{b[3:]}', f'0{a}.{b[:3]}.{b[3:]}',
        f'+972 {a} {b[:3]} {b[3:]}', f'+972-{a}-{b}', '+972' + n, '00972' + n, '972' + n,
        f'0{a} {b[:3]} {b[3:]}',
    ]) + (f' ext. {rng.randint(1, 99)}' if rng.random() < 0.01 else '')


foreign = [f'+44 20 7946 {rng.randint(0, 9999):04}', f'+1 (212) 555-{rng.randint(0, 9999):04}',
           f'+33 1 {rng.randint(10, 99)} {rng.randint(10, 99)} {rng.randint(10, 99)} 00']
pool = [israeli() for _ in range(max(1, lines // 4))]
junk = ['', 'call after 5', '12', '+999 1234', '050-12345', 'n/a', '0501234567890123']
out = []
for _ in range(lines):
    if rng.random() < 0.02:
        out.append(rng.choice(junk))
    elif rng.random() < 0.1:
        out.append(rng.choice(foreign) if rng.random() < 0.5 else
                   f'+44 7{rng.randint(400, 999)} {rng.randint(100000, 999999)}')
    else:
        out.append(written(rng.choice(pool)))
with open(sys.argv[2], 'wb') as f:
    f.write(''.join(line + '\r\n' for line in out).encode())
