#include "sheet_model.h"

#include <algorithm>
#include <utility>

QColor colorFromBgr(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

Qt::Alignment horizontalAlignment(CellAlignment alignment) {
    switch (alignment) {
    case CellAlignment::Centre:
        return Qt::AlignHCenter;
    case CellAlignment::Right:
        return Qt::AlignRight;
    case CellAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

bool CellSpan::contains(int r, int c) const {
    return r >= row && r < row + rowCount && c >= column && c < column + columnCount;
}

bool CellSpan::overlaps(const CellSpan& other) const {
    return row < other.row + other.rowCount && other.row < row + rowCount &&
           column < other.column + other.columnCount && other.column < column + columnCount;
}

namespace {

template <typename T> bool assign(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

SheetModel::SheetModel(const SheetDesign& design) : m_design(design) {
    resetToDesign();
}

void SheetModel::setDesign(const SheetDesign& design) {
    m_design = design;
    resetToDesign();
}

void SheetModel::resetToDesign() {
    const int rows = std::max(m_design.rows, 0);
    const int columns = std::max(m_design.columns, 0);
    m_cells.assign(std::size_t(rows) * std::size_t(columns), SheetCell{});
    m_rowHeights.assign(std::size_t(rows), m_design.rowHeight);
    m_columnWidths.assign(std::size_t(columns), m_design.columnWidth);
    m_spans.clear();
    m_gridLineColor = m_design.gridLineColor;
    m_fitToPageWidth = m_design.fitToPageWidth;
    m_showPrintDialog = m_design.showPrintDialog;
}

bool SheetModel::appendRows(int count) {
    if (count <= 0)
        return false;
    m_cells.resize(m_cells.size() + std::size_t(count) * m_columnWidths.size());
    m_rowHeights.resize(m_rowHeights.size() + std::size_t(count), m_design.rowHeight);
    return true;
}

bool SheetModel::contains(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

const SheetCell& SheetModel::cell(int row, int column) const {
    Q_ASSERT(contains(row, column));
    return m_cells[std::size_t(row) * m_columnWidths.size() + std::size_t(column)];
}

SheetCell* SheetModel::cellAt(int row, int column) {
    if (!contains(row, column))
        return nullptr;
    return &m_cells[std::size_t(row) * m_columnWidths.size() + std::size_t(column)];
}

QColor SheetModel::backColorOf(const SheetCell& cell) const {
    return colorFromBgr(cell.backColor.value_or(m_design.backColor));
}

QColor SheetModel::textColorOf(const SheetCell& cell) const {
    return colorFromBgr(cell.textColor.value_or(m_design.textColor));
}

bool SheetModel::setCellText(int row, int column, const QString& text) {
    SheetCell* cell = cellAt(row, column);
    return cell && assign(cell->text, text);
}

bool SheetModel::setCellFontHeight(int row, int column, int height) {
    SheetCell* cell = cellAt(row, column);
    return cell && height >= 0 && assign(cell->fontHeight, height);
}

bool SheetModel::setCellWordWrap(int row, int column, bool on) {
    SheetCell* cell = cellAt(row, column);
    return cell && assign(cell->wordWrap, on);
}

bool SheetModel::setCellAlignment(int row, int column, int code) {
    SheetCell* cell = cellAt(row, column);
    if (!cell || code < int(CellAlignment::Left) || code > int(CellAlignment::Right))
        return false;
    return assign(cell->alignment, CellAlignment(code));
}

bool SheetModel::setCellBackColor(int row, int column, quint32 bgr) {
    SheetCell* cell = cellAt(row, column);
    return cell && assign(cell->backColor, std::optional<quint32>(bgr & 0xFFFFFF));
}

bool SheetModel::setCellTextColor(int row, int column, quint32 bgr) {
    SheetCell* cell = cellAt(row, column);
    return cell && assign(cell->textColor, std::optional<quint32>(bgr & 0xFFFFFF));
}

int SheetModel::rowHeight(int row) const {
    return row >= 0 && row < rowCount() ? m_rowHeights[std::size_t(row)] : 0;
}

int SheetModel::columnWidth(int column) const {
    return column >= 0 && column < columnCount() ? m_columnWidths[std::size_t(column)] : 0;
}

bool SheetModel::setRowHeight(int row, int height) {
    if (row < 0 || row >= rowCount() || height < 0)
        return false;
    return assign(m_rowHeights[std::size_t(row)], height);
}

bool SheetModel::setColumnWidth(int column, int width) {
    if (column < 0 || column >= columnCount() || width < 0)
        return false;
    return assign(m_columnWidths[std::size_t(column)], width);
}

bool SheetModel::mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    if (!contains(firstRow, firstColumn) || !contains(lastRow, lastColumn))
        return false;
    if (firstRow > lastRow)
        std::swap(firstRow, lastRow);
    if (firstColumn > lastColumn)
        std::swap(firstColumn, lastColumn);
    const CellSpan merged{firstRow, firstColumn, lastRow - firstRow + 1,
                          lastColumn - firstColumn + 1};
    if (std::find(m_spans.begin(), m_spans.end(), merged) != m_spans.end())
        return false;
    const auto dissolved =
        std::erase_if(m_spans, [&merged](const CellSpan& span) { return span.overlaps(merged); });
    if (merged.rowCount == 1 && merged.columnCount == 1)
        return dissolved > 0;
    m_spans.push_back(merged);
    return true;
}

const CellSpan* SheetModel::spanAt(int row, int column) const {
    const auto found = std::find_if(m_spans.begin(), m_spans.end(), [=](const CellSpan& span) {
        return span.contains(row, column);
    });
    return found == m_spans.end() ? nullptr : &*found;
}

bool SheetModel::setGridLineColor(quint32 bgr) {
    return assign(m_gridLineColor, bgr & 0xFFFFFF);
}

bool SheetModel::setFitToPageWidth(bool on) {
    return assign(m_fitToPageWidth, on);
}

bool SheetModel::setShowPrintDialog(bool on) {
    return assign(m_showPrintDialog, on);
}

int SheetModel::printMargin(int which) const {
    if (which < int(PrintMargin::Left) || which > int(PrintMargin::HeaderGap))
        return 0;
    return m_printMargins[std::size_t(which - 1)];
}

bool SheetModel::setPrintMargin(int which, int tenthsOfMm) {
    if (which < int(PrintMargin::Left) || which > int(PrintMargin::HeaderGap))
        return false;
    return assign(m_printMargins[std::size_t(which - 1)], tenthsOfMm);
}
