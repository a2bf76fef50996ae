#include "sheet_writer.h"

#include "advanced_grid.h"

void placeProblem(AdvancedGrid& sheet, SheetCursor& cursor, const QString& text) {
    const int row = cursor.rowCounter + 1;
    const int column = cursor.columnCounter - 1;
    if (column >= 0 && row >= sheet.rowCount())
        sheet.appendRows(row - sheet.rowCount() + 1);
    sheet.setCellContent(row, column, text);
    sheet.setCellFontHeight(row, column, 26);
    sheet.setColumnWidth(column, 170);

    cursor.columnCounter += 1;
    if (cursor.columnCounter == 5) {
        cursor.rowCounter += 1;
        cursor.columnCounter = 1;
    }
}
