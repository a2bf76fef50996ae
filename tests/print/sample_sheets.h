#pragma once

// Worksheets as the program leaves them, built on the model alone: what
// sheet set-up makes, and what the sheet writer adds for a run.

#include "sheet_model.h"

#include <QString>
#include <algorithm>
#include <cstdlib>

// The title band over 20 empty rows.
inline SheetModel titledSheet() {
    using namespace Qt::StringLiterals;
    SheetModel sheet;
    sheet.setGridLineColor(0xC0C0C0);
    sheet.mergeCells(0, 0, 0, 3);
    sheet.setCellFontHeight(0, 0, 30);
    sheet.setCellWordWrap(0, 0, true);
    sheet.setCellAlignment(0, 0, 2);
    sheet.setCellText(0, 0, u"数学计算能力测试（一）"_s);
    sheet.setRowHeight(0, 80);
    sheet.setCellBackColor(0, 0, 0xC0C0C0);
    sheet.setColumnWidth(0, 180);
    return sheet;
}

// An answer text such as "43÷28=1.54"; the four operations in turn.
inline QString sampleProblem(int index) {
    using namespace Qt::StringLiterals;
    const int a = 10 + (index * 37 + 33) % 90;
    const int b = 10 + (index * 53 + 18) % 90;
    switch (index % 4) {
    case 0:
        return u"%1+%2=%3"_s.arg(a).arg(b).arg(a + b);
    case 1:
        return u"%1-%2=%3"_s.arg(std::max(a, b)).arg(std::min(a, b)).arg(std::abs(a - b));
    case 2:
        return u"%1×%2=%3"_s.arg(a).arg(b).arg(a * b);
    default:
        return u"%1÷%2=%3"_s.arg(a).arg(b).arg(double(a) / b, 0, 'f', 2);
    }
}

// The sheet after a run of `problems` problems: four to a row from row 1,
// rows added below the designed 21 as needed.
inline SheetModel worksheet(int problems) {
    SheetModel sheet = titledSheet();
    for (int i = 0; i < problems; ++i) {
        const int row = 1 + i / 4;
        const int column = i % 4;
        if (row >= sheet.rowCount())
            sheet.appendRows(row - sheet.rowCount() + 1);
        sheet.setCellText(row, column, sampleProblem(i));
        sheet.setCellFontHeight(row, column, 26);
        sheet.setColumnWidth(column, 170);
    }
    return sheet;
}

// What both output buttons write on a sheet before printing or previewing it.
inline void usePrintButtonSettings(SheetModel& sheet) {
    sheet.setFitToPageWidth(false);
    sheet.setPrintMargin(int(PrintMargin::Left), 240);
    sheet.setPrintMargin(int(PrintMargin::Right), 10);
}
