#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The reference for the CSV bench: Python's csv module and Debian's python3-phonenumbers read a
CSV file on standard input and write each row whose column COLUMN is a valid number of region
REGION, with the number in E.164 form, as kelvane-cli normalize --column does (the header kept).
Usage: phone-csv-e164.py REGION COLUMN"""
import csv
import io
import sys

import phonenumbers as pn

region, name = sys.argv[1], sys.argv[2]
rows = csv.reader(io.TextIOWrapper(sys.stdin.buffer, encoding='utf-8-sig', newline=''),
                  strict=True)
out = csv.writer(io.TextIOWrapper(sys.stdout.buffer, encoding='utf-8', newline=''),
                 lineterminator='\r\n')
header = next(rows)
out.writerow(header)
column = header.index(name)
for row in rows:
    try:
        number = pn.parse(row[column], region)
    except pn.NumberParseException:
        continue
    if pn.is_valid_number(number):
        row[column] = pn.format_number(number, pn.PhoneNumberFormat.E164)
        out.writerow(row)
