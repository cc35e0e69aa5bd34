#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The reference for the normalize bench: Debian's python3-phonenumbers reads standard input a
line at a time with region REGION and writes each valid number in E.164 form with CR LF, as
kelvane-cli normalize does. Usage: phone-e164.py REGION"""
import sys

import phonenumbers as pn

region, out = sys.argv[1], []
for line in sys.stdin.buffer:
    line = line[:-2] if line.endswith(b'\r\n') else line.rstrip(b'\n')
    try:
        number = pn.parse(line.decode(), region)
    except (UnicodeDecodeError, pn.NumberParseException):
        continue
    if pn.is_valid_number(number):
        out.append(pn.format_number(number, pn.PhoneNumberFormat.E164) + '\r\n')
sys.stdout.buffer.write(''.join(out).encode())
