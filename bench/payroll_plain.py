#!/usr/bin/env python3
"""A payroll register from a TAB-separated text, as a technical user would
script it: name, card, amount per line in Windows-1251; the same bytes as the
program writes (moment of saving aside).

usage: payroll_plain.py ROWS.txt BRANCH CLIENT NUMBER DD.MM.YYYY MONTH YEAR
"""
import datetime
import decimal
import os
import sys
import zlib


def main():
    rows_path, branch, client, number, date, month, year = sys.argv[1:8]
    with open(rows_path, 'rb') as f:
        text = f.read().decode('cp1251')
    month = '%02d' % int(month)
    moment = datetime.datetime.now().strftime('%d.%m.%Y %H:%M:%S')
    lines = ['\t'.join(['H', '0000000001', moment, branch, client, date, month, year, number]) + '\t']
    cent = decimal.Decimal('0.01')
    count = 0
    for line in text.splitlines():
        line = line.lstrip('\t')
        if not line:
            continue
        fields = line.split('\t')
        name = fields[0] if len(fields) > 1 else ''
        card = fields[1].replace(' ', '') if len(fields) > 2 else ''
        amount_text = fields[-1].replace(' ', '').replace(',', '.') or '0'
        amount = decimal.Decimal(amount_text).quantize(cent, rounding=decimal.ROUND_HALF_UP)
        count += 1
        if not name or not card or amount == 0:
            continue
        lines.append('\t'.join(['D', '%010d' % (count + 1), name, card, str(amount)]) + '\t')
    body = [l.encode('cp1251') for l in lines]
    crc = 0
    for b in body:
        crc = zlib.crc32(b, crc)
    body.append(('T\t%010d\t%08X\t' % (count + 2, crc)).encode('cp1251'))
    folder = os.path.join('Кардолист', year)
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, 'ZPSV' + branch + client + month + year + number)
    with open(path, 'wb') as f:
        f.write(b'\r\n'.join(body) + b'\r\n')
        f.flush()
        os.fsync(f.fileno())
    print(path)


if __name__ == '__main__':
    main()
