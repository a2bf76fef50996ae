#pragma once

#include <QString>

class AdvancedGrid;

// Where the next problem of a run lands on one sheet: row (rowCounter + 1),
// column (columnCounter - 1). A run starts both counters at 0, so its first
// problem lands outside the sheet and is shown nowhere.
struct SheetCursor {
    qint32 rowCounter = 0;
    qint32 columnCounter = 0;
};

// Writes a problem into the cursor's cell, four to a row, and advances the
// cursor. A problem below the last row gets new rows, so every problem of a
// run appears.
void placeProblem(AdvancedGrid& sheet, SheetCursor& cursor, const QString& text);
