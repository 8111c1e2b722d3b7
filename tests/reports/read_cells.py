# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a workbook back the way another program would: prints its sheet
names, the active sheet and every non-empty cell of that sheet with its type
and whether it is bold and boxed, as JSON on one line.

    python3 read_cells.py FILE
"""
import json
import sys

from openpyxl import load_workbook

book = load_workbook(sys.argv[1])
sheet = book.active
cells = {}
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        cells[cell.coordinate] = {
            "value": str(cell.value),
            "type": cell.data_type,
            "bold": bool(cell.font is not None and cell.font.b),
            "boxed": bool(cell.border is not None and cell.border.left is not None
                          and cell.border.left.style is not None),
        }
print(json.dumps({"sheets": book.sheetnames, "active": sheet.title, "cells": cells},
                 ensure_ascii=False))
