#!/usr/bin/env python3
"""Writes the heavy-tailed part of a batch into DIR: one modest workbook that
prints several hundred pages, and three larger workbooks that print one page
each, so that a guess by size alone starts the long one late.

The long workbook is 16,000 rows of 24 numbers: its sheet compresses to a few
kilobytes. The quick ones hold a megabyte or more of incompressible bytes in a
part nothing refers to, which the office passes over.

Usage: make-heavy-tail.py DIR [ROWS]
ROWS: of the long workbook, 16000 (about 900 pages) unless given.
"""
import os
import random
import sys
import zipfile

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Default Extension="bin" ContentType="application/octet-stream"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Ledger" sheetId="1" r:id="rId1"/></sheets>
</workbook>"""
WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
</Relationships>"""


def sheet(rows, columns):
    cells = "".join(f"<c><v>{column + 1}</v></c>" for column in range(columns))
    body = "".join(f"<row>{cells}</row>" for _ in range(rows))
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
            '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
            f"<sheetData>{body}</sheetData></worksheet>")


def workbook(path, rows, columns, padding=0):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("[Content_Types].xml", CONTENT_TYPES)
        archive.writestr("_rels/.rels", ROOT_RELS)
        archive.writestr("xl/workbook.xml", WORKBOOK)
        archive.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        archive.writestr("xl/worksheets/sheet1.xml", sheet(rows, columns))
        if padding:
            noise = random.Random(padding).randbytes(padding)
            archive.writestr("xl/padding.bin", noise, compress_type=zipfile.ZIP_STORED)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for number in range(3):
        workbook(os.path.join(out, f"0001-photographs-{number + 1}.xlsx"), 20, 6,
                 padding=(1 + number) * 700_000)
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 16000
    workbook(os.path.join(out, "0099-ledger.xlsx"), rows, 24)


if __name__ == "__main__":
    main()
