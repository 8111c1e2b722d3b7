#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes moban.xlsx, the spreadsheet template of the three exports.

Run by hand after a change (python3-openpyxl), then commit the workbook:
    /usr/bin/python3 src/reports/template/make_moban.py src/reports/template/moban.xlsx

One sheet per export, named as the exports ask for them: 标签 (envelope labels
in two columns), 列表 (the contact list) and 统计 (the interaction statistics).
The program writes values only; everything else comes from here: fonts, column
widths, the title and header cells, and a model data row (row 5) whose borders
the data rows below it take over.
"""
import sys

from openpyxl import Workbook
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side
from openpyxl.worksheet.page import PageMargins

FONT = "宋体"
thin = Side(style="thin", color="808080")
box = Border(left=thin, right=thin, top=thin, bottom=thin)
header_fill = PatternFill("solid", fgColor="DDE4EE")


def body(size=10, bold=False):
    return Font(name=FONT, size=size, bold=bold)


def table_sheet(ws, widths, title_col, title, date_cells, right_cols, landscape):
    for col, width in enumerate(widths, start=1):
        letter = ws.cell(row=1, column=col).column_letter
        ws.column_dimensions[letter].width = width
    t = ws.cell(row=1, column=title_col)
    t.font = body(16, True)
    t.alignment = Alignment(horizontal="left", vertical="center")
    ws.row_dimensions[1].height = 28
    for col in date_cells:
        ws.cell(row=3, column=col).font = body(10)
    for col in range(1, len(widths) + 1):
        h = ws.cell(row=4, column=col)
        h.font = body(10, True)
        h.fill = header_fill
        h.border = box
        h.alignment = Alignment(horizontal="center", vertical="center")
        d = ws.cell(row=5, column=col)
        d.font = body(10)
        d.border = box
        d.alignment = Alignment(horizontal="right" if col in right_cols else "left",
                                vertical="center")
    ws.row_dimensions[4].height = 20
    ws.page_setup.orientation = "landscape" if landscape else "portrait"
    ws.page_setup.paperSize = ws.PAPERSIZE_A4
    ws.page_setup.fitToWidth = 1
    ws.page_setup.fitToHeight = 0
    ws.sheet_properties.pageSetUpPr.fitToPage = True
    ws.print_options.horizontalCentered = True
    ws.page_margins = PageMargins(left=0.4, right=0.4, top=0.6, bottom=0.6)
    ws.print_title_rows = "$4:$4"


def main(path):
    wb = Workbook()

    labels = wb.active
    labels.title = "标签"
    for letter in ("A", "B"):
        labels.column_dimensions[letter].width = 46
        # Labels carry no table lines: their font comes with the column.
        labels.column_dimensions[letter].font = body(12)
    labels.page_setup.orientation = "portrait"
    labels.page_setup.paperSize = labels.PAPERSIZE_A4
    # Both columns of labels on one sheet of paper.
    labels.page_setup.fitToWidth = 1
    labels.page_setup.fitToHeight = 0
    labels.sheet_properties.pageSetUpPr.fitToPage = True
    labels.page_margins = PageMargins(left=0.5, right=0.5, top=0.6, bottom=0.6)

    contacts = wb.create_sheet("列表")
    table_sheet(contacts, [10, 6, 12, 8, 16, 15, 30, 40], 4, None, [8], [], False)

    stats = wb.create_sheet("统计")
    table_sheet(stats, [11, 7, 10, 14, 14, 10, 9, 9, 24, 14, 14, 12, 10, 12], 6, None,
                [13, 14], [13, 14], True)

    wb.active = 0
    wb.save(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "moban.xlsx")
