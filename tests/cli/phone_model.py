#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Literal models of kelvane-cli normalize and dedupe --phone/--except/--removed, on Python's
phonenumbers (the same library and metadata). Writes a generated list of numbers written every
which way (list.txt), an except list (except.txt) and what each command should give, into FOLDER.
"""
import random
import sys
from pathlib import Path

import phonenumbers as pn

REGION, WIDTH = 'IL', 9
FORMATS = {'e164': pn.PhoneNumberFormat.E164,
           'international': pn.PhoneNumberFormat.INTERNATIONAL,
           'national': pn.PhoneNumberFormat.NATIONAL}
FULLWIDTH = str.maketrans('0123456789', '０１２３４５６７８９')


def written(rng, n):
    """Israeli national significant number `n` the way people write it, or a foreign number."""
    a, b = n[:2], n[2:]
    return rng.choice([
        '0' + n, f'0{a}-{b}', f'(0{a}) {b[:3]}-{b[3:]}', f'0{a}.{b[:3]}.{b[3:]}', f' 0{n} ',
        f'+972 {a} {b[:3]} {b[3:]}', f'+972-{a}-{b}', '00972' + n, '972' + n, '+972' + n,
        f'0{n} ext. {rng.randint(1, 99)}', f'0{n} x{rng.randint(1, 9)}', f'0{n};ext=5',
        '０' + n.translate(FULLWIDTH), f'0{a}\t{b}', f'+44 20 7946 {n[-4:]}',
        f'+1 (212) 555-{n[-4:]}', f'1-800-FLOWERS', f'+{n}', n[:rng.randint(0, 8)],
        f'call 0{n}', f'0{a}-{b} #',
    ])


def generate(rng, pool, count):
    lines = [written(rng, rng.choice(pool)).encode() for _ in range(count)]
    for i in rng.sample(range(count), count // 50):
        lines[i] = rng.choice([b'', b'\xff050 1234567', b'abc', b'+999 1234', b'--', b'()'])
    return lines


def parsed(line):
    """The valid number `line` holds, or None."""
    try:
        number = pn.parse(line.decode(), REGION)
    except (UnicodeDecodeError, pn.NumberParseException):
        return None
    return number if pn.is_valid_number(number) else None


def phone_keys(line):
    number = parsed(line)
    key = pn.format_number(number, pn.PhoneNumberFormat.E164) if number else line
    return {key}, key


def width_keys(line):
    start = line[:WIDTH]
    return (None, None) if not start else ({start, line}, line)


def dedupe(lines, taken_lines, keys):
    """Kept lines, removed lines, summary; a lookup of None is a duplicate of nothing but
    always dropped."""
    taken, kept, out, removed, excepted = set(), set(), [], [], 0
    for line in taken_lines:
        look, own = keys(line)
        if look is not None and not look & taken:
            taken.add(own)
    for line in lines:
        look, own = keys(line)
        if look is not None and look & taken:
            excepted += 1
        elif look is not None and not look & kept:
            kept.add(own)
            out.append(line)
            continue
        removed.append(line)
    summary = (f'Duplicates Found   {len(lines) - len(out) - excepted}  Of Total:   '
               f'{len(lines)}  Excepted:   {excepted}\n')
    return [b''.join(x + b'\r\n' for x in out), b''.join(x + b'\r\n' for x in removed),
            summary.encode()]


def main(folder):
    rng = random.Random(1212)
    pool = [first + ''.join(rng.choices('0123456789', k=8 if first == '5' else 7))
            for first in rng.choices('5555555234789', k=400)]
    lines, except_lines = generate(rng, pool, 3000), generate(rng, pool, 150)
    folder = Path(folder)
    folder.joinpath('list.txt').write_bytes(b''.join(x + rng.choice([b'\n', b'\r\n'])
                                                     for x in lines))
    folder.joinpath('except.txt').write_bytes(b''.join(x + b'\n' for x in except_lines))
    numbers = [parsed(line) for line in lines]
    home = pn.country_code_for_region(REGION)
    for name, form in FORMATS.items():
        folder.joinpath(f'normalize-{name}').write_bytes(b''.join(
            pn.format_number(n, form if n.country_code == home or name != 'national'
                             else pn.PhoneNumberFormat.INTERNATIONAL).encode() + b'\r\n'
            for n in numbers if n))
    folder.joinpath('bad').write_text(''.join(f'{i}\n' for i, n in enumerate(numbers, 1)
                                              if not n))
    for name, keys in [('phone', phone_keys), ('width', width_keys)]:
        for part, data in zip(['out', 'removed', 'summary'], dedupe(lines, except_lines, keys)):
            folder.joinpath(f'dedupe-{name}-{part}').write_bytes(data)


main(sys.argv[1])
