#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the plate benchmark's large sheet as .xls (python3-xlwt).

Usage: make_plate_sheet.py OUTPUT.xls ROWS
Sheet "板图": a list of ROWS - 17 rows (IMG_00000 | B00000 | 0, ...), then a
384-well block in the last 17 rows: its corner in column A, the column
numbers 1-24 across, the row letters A-P down, wells Q001 to Q384."""
import sys
import xlwt

path, rows = sys.argv[1], int(sys.argv[2])
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("板图")
top = rows - 17
for i in range(top):
    sheet.write(i, 0, "IMG_%05d" % i)
    sheet.write(i, 1, "B%05d" % i)
    sheet.write(i, 2, i)
for c in range(1, 25):
    sheet.write(top, c, c)
for r in range(16):
    sheet.write(top + 1 + r, 0, chr(ord("A") + r))
    for c in range(1, 25):
        sheet.write(top + 1 + r, c, "Q%03d" % (r * 24 + c))
book.save(path)
