#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seeds here: workbooks of tests/fixtures/mapping/producers with
array formulas, dynamic arrays, shared formulas, error cells, _xHHHH_
escapes and merged cells, repacked without compression, so the fuzzer's
mutations reach the XML instead of breaking deflate streams.
Run from the repository's top: /usr/bin/python3 fuzz/seeds/make_stored.py"""
import zipfile

BOOKS = ["excel-style.xlsx", "lxw-arrays.xlsx", "lo-excel.xlsx", "lo-excel.ods", "excel-style.ods"]

for name in BOOKS:
    source = zipfile.ZipFile("tests/fixtures/mapping/producers/" + name)
    stem, ext = name.rsplit(".", 1)
    with zipfile.ZipFile("fuzz/seeds/%s-stored.%s" % (stem, ext), "w", zipfile.ZIP_STORED) as out:
        for info in source.infolist():
            out.writestr(info.filename, source.read(info.filename))
