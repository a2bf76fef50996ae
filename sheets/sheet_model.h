#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// Colours of a sheet are 24-bit values laid out 0x00BBGGRR: red in the low byte.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor& color);

// The codes the alignment operation takes; text is always centred vertically.
enum class CellAlignment { Left = 1, Centre = 2, Right = 3 };
// The horizontal flag the screen and the paper draw a cell's text with.
Qt::Alignment horizontalAlignment(CellAlignment alignment);

struct SheetCell {
    QString text;
    // Character cell height in pixels; 0 keeps the grid's own font.
    int fontHeight = 0;
    bool wordWrap = false;
    CellAlignment alignment = CellAlignment::Left;
    // Without a colour of its own a cell shows the grid's.
    std::optional<quint32> backColor;
    std::optional<quint32> textColor;

    bool operator==(const SheetCell&) const = default;
};

// Cells shown as one, addressed by the first (top-left) cell. The first cell's
// content and attributes are shown; the others are kept but not drawn.
struct CellSpan {
    int row = 0;
    int column = 0;
    int rowCount = 1;
    int columnCount = 1;

    bool contains(int r, int c) const;
    bool overlaps(const CellSpan& other) const;
    bool operator==(const CellSpan&) const = default;
};

// What a grid looks like as designed, and what resetToDesign brings back.
struct SheetDesign {
    int rows = 21;
    int columns = 4;
    int rowHeight = 50;
    int columnWidth = 165;
    quint32 gridLineColor = 0x000000;
    quint32 backColor = 0xFFFFFF;
    quint32 textColor = 0x000000;
    bool fitToPageWidth = true;
    bool showPrintDialog = true;

    bool operator==(const SheetDesign&) const = default;
};

// The print margins, in tenths of a millimetre, numbered as setPrintMargin takes them.
enum class PrintMargin { Left = 1, Right, Top, Bottom, Header, Footer, HeaderGap };

// The content and layout of one grid, free of any widget, so the screen and
// the paper draw the same sheet. Every operation silently ignores a row or
// column outside the grid; the setters return whether anything changed, so a
// view redraws only what did.
class SheetModel {
public:
    explicit SheetModel(const SheetDesign& design = {});

    const SheetDesign& design() const { return m_design; }
    // Takes a new design and shows it at once, as resetToDesign does.
    void setDesign(const SheetDesign& design);

    // All cells new and empty, merges dissolved, rows, columns and their sizes
    // and the grid-wide settings as designed. The print margins are kept: they
    // belong to the grid between prints, not to its content.
    void resetToDesign();
    // Rows at the bottom with the designed height and new cells.
    bool appendRows(int count);

    int rowCount() const { return static_cast<int>(m_rowHeights.size()); }
    int columnCount() const { return static_cast<int>(m_columnWidths.size()); }
    bool contains(int row, int column) const;

    // The cell must lie inside the grid.
    const SheetCell& cell(int row, int column) const;
    QColor backColorOf(const SheetCell& cell) const;
    QColor textColorOf(const SheetCell& cell) const;

    bool setCellText(int row, int column, const QString& text);
    // Negative heights are ignored.
    bool setCellFontHeight(int row, int column, int height);
    bool setCellWordWrap(int row, int column, bool on);
    // Codes other than 1, 2 and 3 are ignored.
    bool setCellAlignment(int row, int column, int code);
    bool setCellBackColor(int row, int column, quint32 bgr);
    bool setCellTextColor(int row, int column, quint32 bgr);

    // Out-of-grid rows and columns read as 0.
    int rowHeight(int row) const;
    int columnWidth(int column) const;
    // Negative sizes are ignored.
    bool setRowHeight(int row, int height);
    bool setColumnWidth(int column, int width);

    // The corners may come in either order. Merges the new range overlaps are
    // dissolved first; a single cell leaves no merge behind.
    bool mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn);
    const std::vector<CellSpan>& spans() const { return m_spans; }
    // The merge that covers the cell, first cell included; null when none does.
    const CellSpan* spanAt(int row, int column) const;

    quint32 gridLineColor() const { return m_gridLineColor; }
    bool setGridLineColor(quint32 bgr);
    bool fitToPageWidth() const { return m_fitToPageWidth; }
    bool setFitToPageWidth(bool on);
    bool showPrintDialog() const { return m_showPrintDialog; }
    bool setShowPrintDialog(bool on);

    // `which` as PrintMargin numbers them; any other `which` reads 0 and is
    // ignored on writing.
    int printMargin(int which) const;
    bool setPrintMargin(int which, int tenthsOfMm);

    bool operator==(const SheetModel&) const = default;

private:
    SheetCell* cellAt(int row, int column);

    SheetDesign m_design;
    std::vector<SheetCell> m_cells; // row by row
    std::vector<int> m_rowHeights;
    std::vector<int> m_columnWidths;
    std::vector<CellSpan> m_spans;
    quint32 m_gridLineColor = 0;
    bool m_fitToPageWidth = true;
    bool m_showPrintDialog = true;
    std::array<int, 7> m_printMargins{40, 40, 20, 20, 60, 60, 20};
};
