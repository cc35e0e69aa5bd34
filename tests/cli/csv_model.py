#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Literal models of kelvane-cli normalize/dedupe --column, --type, extract and info, on Python's
csv module (strict=True) and phonenumbers (the same library and metadata). Writes generated CSV
files with every hazard (a byte-order mark, quoted fields with delimiters, doubled quotes and line
breaks, LF, CR LF and lone CR row ends, empty lines and fields, no last line end), broken ones,
free text and a list, and what each command should give, into FOLDER."""
import csv
import random
import sys
from pathlib import Path

import phonenumbers as pn
from phonenumbers import geocoder

REGION = 'IL'
FORMATS = {'e164': pn.PhoneNumberFormat.E164, 'international': pn.PhoneNumberFormat.INTERNATIONAL,
           'national': pn.PhoneNumberFormat.NATIONAL, 'rfc3966': pn.PhoneNumberFormat.RFC3966}
TYPES = ['fixed-line', 'mobile', 'fixed-line-or-mobile', 'toll-free', 'premium-rate',
         'shared-cost', 'voip', 'personal-number', 'pager', 'uan', 'voicemail']
LENIENCY = {'possible': pn.Leniency.POSSIBLE, 'valid': pn.Leniency.VALID,
            'strict': pn.Leniency.STRICT_GROUPING, 'exact': pn.Leniency.EXACT_GROUPING}
rng = random.Random(1919)
pool = [p + ''.join(rng.choices('0123456789', k=k)) for p, k in
        rng.choices([('5', 8), ('3', 7), ('2', 7), ('9', 7), ('72', 7), ('1800', 6), ('1900', 6)],
                    weights=[6, 2, 1, 1, 1, 1, 1], k=300)]


def phone():
    n = rng.choice(pool)
    a, b = n[:-7], n[-7:]
    return rng.choice([
        '0' + n, f'0{a}-{b}', f'+972 {a} {b[:3]} {b[3:]}', f'(0{a}) {b[:3]}-{b[3:]}', '00972' + n,
        f'0{n} ext. {rng.randint(1, 99)}', '', 'n/a', f'+44 20 7946 {n[-4:]}', n,
        f'+1 212 555 {n[-4:]}', f'{n[:4]}-{n[4:]}', f'0{a} {b[:3]} {b[3:]}', '12'])


def number_type(n):
    t = pn.number_type(n)
    return TYPES[t] if t < len(TYPES) else 'unknown'


def parsed(text):
    try:
        number = pn.parse(text, REGION)
    except pn.NumberParseException:
        return None
    return number if pn.is_valid_number(number) else None


def formatted(n, form):
    national = form == 'national' and n.country_code != pn.country_code_for_region(REGION)
    return pn.format_number(n, pn.PhoneNumberFormat.INTERNATIONAL if national else FORMATS[form])


def raw(value, delim):
    if any(c in value for c in delim + '"\r\n') or rng.random() < 0.3:
        return '"' + value.replace('"', '""') + '"'
    return value


def generate(rows, delim):
    """[(raw fields or None for an empty line, values, line end)]; the last row has no end."""
    out = [(['id', '"name"', 'phone', 'email', 'note', 'city'], None, '\r\n')]
    for i in range(rows):
        end = rng.choice(['\n', '\r\n', '\r'])
        if rng.random() < 0.05 and i < rows - 1:
            out.append((None, [''], '\r' if out[-1][2] == '\r' else end))
            continue
        values = [str(i), rng.choice(['Cohen, Dana', 'Eve "E"', 'Bob', 'דנה', '']), phone(),
                  rng.choice(['a@b.c', '']), rng.choice(['line1\nline2', 'a\r\nb', 'c\rd', 'x;y', '',
                                                         'x,y', 'fine']), 'Tel Aviv']
        out.append(([raw(v, delim) for v in values], values, end))
    out[-1] = out[-1][:2] + ('',)
    return out


def text_of(rows, delim):
    return '\ufeff' + ''.join(delim.join(f or []) + end for f, _, end in rows)


def check_with_csv(path, rows, delim):
    """Python's csv module reads the rows as they were written; returns each row's first line."""
    starts, line = [], 0
    with open(path, newline='', encoding='utf-8-sig') as f:
        reader = csv.reader(f, delimiter=delim, strict=True)
        for (fields, values, _), record in zip(rows, reader):
            assert record == (values if fields else []) or values is None, (record, values)
            starts.append(line + 1)
            line = reader.line_num
    assert len(starts) == len(rows)
    return starts


def put(folder, name, data):
    folder.joinpath(name).write_bytes(data.encode() if isinstance(data, str) else data)


def keeper(types):
    wanted = set(types.split(',')) if types else set(TYPES + ['unknown'])
    return lambda t: t in wanted or (t == 'fixed-line-or-mobile' and
                                     bool(wanted & {'mobile', 'fixed-line'}))


def column_models(folder, name, delim, form, types, keep_invalid):
    rows = generate(400, delim)
    put(folder, name, text_of(rows, delim))
    starts = check_with_csv(folder / name, rows, delim)
    keeps = keeper(types)
    out, bad, kept, removed, seen = ['\ufeff' + delim.join(rows[0][0]) + '\r\n'], [], [], [], set()
    empty = other = excepted = 0
    taken = [x for x in (phone() for _ in range(60)) if x]
    put(folder, name + '.except', ''.join(x + '\n' for x in taken))
    taken = {pn.format_number(n, pn.PhoneNumberFormat.E164) if n else x
             for x, n in ((x, parsed(x)) for x in taken)}
    for (fields, values, end), line in zip(rows[1:], starts[1:]):
        text = values[2] if fields else ''
        row = delim.join(fields or []) + end
        n = parsed(text)
        if n and keeps(number_type(n)):
            new = formatted(n, form)
            out.append(delim.join(fields[:2] + [raw(new, delim) if any(
                c in new for c in delim + '"\r\n') else new] + fields[3:]) + end)
        else:
            bad.append(f'{line}\n')
            out += [row] if keep_invalid and not n else []
        key = pn.format_number(n, pn.PhoneNumberFormat.E164) if n else text
        if text and key in taken:
            excepted += 1
            removed.append(row)
            continue
        if not text:
            empty += 1
        elif n and not keeps(number_type(n)):
            other += 1
            removed.append(row)
            continue
        elif key in seen:
            removed.append(row)
            continue
        seen.add(key)
        kept.append(row)
    put(folder, name + '.normalized', ''.join(out))
    put(folder, name + '.bad', ''.join(bad))
    put(folder, name + '.kept', out[0] + ''.join(kept))
    put(folder, name + '.removed', out[0] + ''.join(removed))
    total = len(rows) - 1
    put(folder, name + '.summary', f'Duplicates Found   {total - len(kept) - other - excepted}  '
        f'Of Total:   {total}  Excepted:   {excepted}' + (f'  Other Types:   {other}' if types else '')
        + f'  Empty:   {empty}\n')
    return rows


def broken(folder, rows):
    """Files Python's csv refuses, or with a row too short for the phone column, and the error."""
    good = text_of(rows[:-1], ',') + '\n'
    lines = len(good.replace('\r\n', '\n').replace('\r', '\n').split('\n')) - 1
    cases = {'unclosed.csv': (good + '9,"Dana,\n050-1234567,x\n', f'{lines + 1}: a quote that '
                              'never closes'),
             'short.csv': (good + '9,Dana\n', f'{lines + 1}: 2 fields, too few for column phone')}
    stray = text_of(rows, ',').replace('"Bob"', '"Bob"x', 1)
    try:
        reader = csv.reader(stray[1:].splitlines(keepends=True), strict=True)
        for _ in reader:
            pass
    except csv.Error:
        cases['stray.csv'] = (stray, f'{reader.line_num}: text after the closing quote of a '
                              'quoted field')
    for name, (text, message) in cases.items():
        put(folder, name, text)
    put(folder, 'broken', ''.join(f'{name}\t{name}:{message}\n' for name, (_, message)
                                  in cases.items()))


def text_models(folder, rows):
    notes = []
    for _ in range(300):
        a, b, c = phone(), phone(), rng.choice(pool)
        notes.append(rng.choice([f'Call Dana on {a} after 5', f'{a}, {b}', 'order #12345678',
                                 f'fax: {a} / cell 0{c[:2]}-{c[2:5]}-{c[5:]}', 'nothing',
                                 f'tel {a};{b}', f'+{c} (mobile)', f'0{c}0{c}']))
    put(folder, 'notes.txt', ''.join(x + '\n' for x in notes))
    for (leniency, form) in [('possible', 'national'), ('valid', 'e164'),
                             ('strict', 'international'), ('exact', 'rfc3966')]:
        put(folder, f'extract-{leniency}', ''.join(
            f'notes.txt:{i}: {formatted(m.number, form)}\n' for i, line in enumerate(notes, 1)
            for m in pn.PhoneNumberMatcher(line, REGION, leniency=LENIENCY[leniency])))
    listed = [values[2] for fields, values, _ in rows[1:] if fields]
    put(folder, 'list.txt', ''.join(x + '\n' for x in listed))
    keeps, norm, bad, kept, seen, other = keeper('mobile,toll-free'), [], [], [], set(), 0
    for i, line in enumerate(listed, 1):
        n = parsed(line)
        if n and keeps(number_type(n)):
            norm.append(formatted(n, 'national') + '\r\n')
        else:
            bad.append(f'{i}\n')
        key = pn.format_number(n, pn.PhoneNumberFormat.E164) if n else line
        other += bool(n and not keeps(number_type(n)))
        if key not in seen and not (n and not keeps(number_type(n))):
            seen.add(key)
            kept.append(line + '\r\n')
    put(folder, 'list-normalized', ''.join(norm))
    put(folder, 'list-bad', ''.join(bad))
    put(folder, 'list-kept', ''.join(kept))
    put(folder, 'list-summary', f'Duplicates Found   {len(listed) - len(kept) - other}  Of Total:   '
        f'{len(listed)}  Other Types:   {other}\n')
    info = []
    for line in listed:
        n = parsed(line)
        if not n:
            info.append(f'{line}\tinvalid\t\t\t\t\n')
            continue
        place = geocoder.description_for_number(n, 'en')
        finer = place != geocoder.country_name_for_number(n, 'en')
        info.append(f'{line}\tvalid\t{pn.format_number(n, pn.PhoneNumberFormat.E164)}\t'
                    f'{pn.region_code_for_number(n)}\t{number_type(n)}\t'
                    f'{place if finer else "*"}\n')
    put(folder, 'info', ''.join(info))


def main(folder):
    folder = Path(folder)
    rows = column_models(folder, 'contacts.csv', ',', 'e164', '', False)
    column_models(folder, 'mobiles.csv', ';', 'rfc3966', 'mobile,toll-free', True)
    column_models(folder, 'tabs.tsv', '\t', 'international', '', False)
    broken(folder, rows)
    text_models(folder, rows)


main(sys.argv[1])
