#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the benchmark's mapping sheet as .xls (python3-xlwt).

Usage: make_mapping_sheet.py OUTPUT.xls ROWS
Sheet "名单": header old | new, then IMG_00000 | B00000, IMG_00001 | B00001, ...
up to ROWS rows in all (header included).
"""
import sys
import xlwt

path, rows = sys.argv[1], int(sys.argv[2])
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("名单")
sheet.write(0, 0, "old")
sheet.write(0, 1, "new")
for i in range(rows - 1):
    sheet.write(i + 1, 0, "IMG_%05d" % i)
    sheet.write(i + 1, 1, "B%05d" % i)
book.save(path)
