#pragma once

#include "cell_font.h"
#include "sheet_model.h"

#include <QString>
#include <QWidget>

class QTableView;

// The advanced grid control (高级表格): a sheet of cells with merged ranges,
// per-cell text, font height, wrap, alignment and colours, shown in a table
// view the user can type into. Cells are addressed (row, column) from 0; every
// operation silently ignores a row or column outside the grid.
class AdvancedGrid : public QWidget {
    Q_OBJECT
    // The design, as the window description gives it; each write shows the
    // new design at once, as resetToDesign does.
    Q_PROPERTY(int designRows READ designRows WRITE setDesignRows)
    Q_PROPERTY(int designColumns READ designColumns WRITE setDesignColumns)
    Q_PROPERTY(int designRowHeight READ designRowHeight WRITE setDesignRowHeight)
    Q_PROPERTY(int designColumnWidth READ designColumnWidth WRITE setDesignColumnWidth)
    // Settings of the running grid. Writing them does not move the design:
    // resetToDesign brings back 0x000000, on and on.
    Q_PROPERTY(uint gridLineColor READ gridLineColor WRITE setGridLineColor)
    Q_PROPERTY(bool fitToPageWidth READ fitToPageWidth WRITE setFitToPageWidth)
    Q_PROPERTY(bool showPrintDialog READ showPrintDialog WRITE setShowPrintDialog)
    // Screen readers meet the inner table, so it carries the control's name.
    Q_PROPERTY(QString accessibleName READ accessibleName WRITE setAccessibleName)

public:
    explicit AdvancedGrid(QWidget* parent = nullptr);
    ~AdvancedGrid() override;

    void resetToDesign();
    void appendRows(int count);

    quint32 gridLineColor() const { return m_model.gridLineColor(); }
    void setGridLineColor(quint32 bgr);
    bool fitToPageWidth() const { return m_model.fitToPageWidth(); }
    void setFitToPageWidth(bool on);
    bool showPrintDialog() const { return m_model.showPrintDialog(); }
    void setShowPrintDialog(bool on);
    int printMargin(int which) const { return m_model.printMargin(which); }
    void setPrintMargin(int which, int tenthsOfMm);
    // Prints the whole sheet, after the system print dialog when
    // showPrintDialog is on; the job carries the sheet's accessible name.
    void print();
    // The modal print preview over this grid's window; returns once closed.
    void printPreview();

    void mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn);
    // Character cell height in pixels; the face stays the grid's.
    void setCellFontHeight(int row, int column, int height);
    void setCellWordWrap(int row, int column, bool on);
    // 1 left, 2 centre, 3 right; vertically always centred.
    void setCellAlignment(int row, int column, int code);
    void setCellContent(int row, int column, const QString& text);
    void setCellBackColor(int row, int column, quint32 bgr);
    void setCellTextColor(int row, int column, quint32 bgr);
    void setRowHeight(int row, int height);
    void setColumnWidth(int column, int width);

    int rowCount() const { return m_model.rowCount(); }
    int columnCount() const { return m_model.columnCount(); }
    const SheetModel& model() const { return m_model; }
    // Empty outside the grid.
    QString cellText(int row, int column) const;

    int designRows() const { return m_model.design().rows; }
    void setDesignRows(int rows);
    int designColumns() const { return m_model.design().columns; }
    void setDesignColumns(int columns);
    int designRowHeight() const { return m_model.design().rowHeight; }
    void setDesignRowHeight(int height);
    int designColumnWidth() const { return m_model.design().columnWidth; }
    void setDesignColumnWidth(int width);

    // Hides QWidget's setter so that a write through the property or through
    // this class also names the inner table.
    void setAccessibleName(const QString& name);

protected:
    void changeEvent(QEvent* event) override;

private:
    class ItemModel;
    class CellDelegate;

    void applyDesign(const SheetDesign& design);
    void showWholeModel();
    void showSpans();

    SheetModel m_model;
    CellFontCache m_fonts;
    ItemModel* m_items;
    QTableView* m_view;
};
