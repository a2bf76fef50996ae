#include "sheet_setup.h"

#include "advanced_grid.h"
#include "form_runtime.h"
#include "main_window_ids.h"

static void setUpSheet(FormRuntime& runtime, quint32 gridNumber) {
    AdvancedGrid* sheet = runtime.control<AdvancedGrid>(mainwindow::window, gridNumber);
    if (!sheet)
        return;
    sheet->resetToDesign();
    runtime.setProperty(mainwindow::window, gridNumber, property::gridLineColor, wholeValue,
                        qint32(0xC0C0C0));
    // Merge first: every later change addresses the first cell, which the
    // merged range shows.
    sheet->mergeCells(0, 0, 0, 3);
    sheet->setCellFontHeight(0, 0, 30);
    sheet->setCellWordWrap(0, 0, true);
    sheet->setCellAlignment(0, 0, 2);
    sheet->setCellContent(0, 0, QStringLiteral("数学计算能力测试（一）"));
    sheet->setRowHeight(0, 80);
    sheet->setCellBackColor(0, 0, 0xC0C0C0);
    sheet->setColumnWidth(0, 180);
}

void setUpSheets(FormRuntime& runtime) {
    setUpSheet(runtime, mainwindow::高级表格1);
    setUpSheet(runtime, mainwindow::高级表格2);
}
