#!/usr/bin/env python3
"""A payroll register of ROWS rows as an .xlsx workbook, laid out as an office
suite saves one: shared strings for names and cards, numbers for amounts.
Prints the workbook's unpacked size in bytes.

usage: sheet_xlsx.py OUT.xlsx ROWS
"""
import sys
import zipfile
from xml.sax.saxutils import escape

MAIN = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'


def main():
    out, rows = sys.argv[1], int(sys.argv[2])
    strings, cells = [], []
    for i in range(rows):
        strings.append('Иванов Иван Иванович %d' % i)
        strings.append('8600 1234 %08d' % i)
        amount = '%d.%02d' % (1000 + i * 7 % 100000, i % 100)
        r = i + 1
        cells.append('<row r="%d"><c r="A%d" t="s"><v>%d</v></c><c r="B%d" t="s"><v>%d</v></c>'
                     '<c r="C%d"><v>%s</v></c></row>' % (r, r, 2 * i, r, 2 * i + 1, r, amount))
    parts = {
        '[Content_Types].xml':
            '<?xml version="1.0" encoding="UTF-8"?>'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
            '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
            '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
            '</Types>',
        '_rels/.rels':
            '<?xml version="1.0" encoding="UTF-8"?>'
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
            '</Relationships>',
        'xl/workbook.xml':
            '<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="%s" xmlns:r="%s">'
            '<sheets><sheet name="Ведомость" sheetId="1" r:id="rId1"/></sheets></workbook>' % (MAIN, REL),
        'xl/_rels/workbook.xml.rels':
            '<?xml version="1.0" encoding="UTF-8"?>'
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
            '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>'
            '</Relationships>',
        'xl/sharedStrings.xml':
            '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="%s" count="%d" uniqueCount="%d">%s</sst>'
            % (MAIN, len(strings), len(strings), ''.join('<si><t>%s</t></si>' % escape(s) for s in strings)),
        'xl/worksheets/sheet1.xml':
            '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>'
            % (MAIN, ''.join(cells)),
    }
    unpacked = 0
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, text in parts.items():
            data = text.encode('utf-8')
            unpacked += len(data)
            z.writestr(name, data)
    print(unpacked)


if __name__ == '__main__':
    main()
