#include "advanced_grid.h"

#include "sheet_printing.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Room between a cell's edge and its text.
constexpr int textPadding = 3;
// Selected cells, in the grid's colour layout.
constexpr quint32 selectionBackColor = 0x907F6F;

} // namespace

// The sheet as Qt's item views see it: the text, for showing, editing and
// screen readers. Everything else the delegate reads from the sheet directly.
class AdvancedGrid::ItemModel : public QAbstractTableModel {
public:
    ItemModel(SheetModel& sheet, QObject* parent) : QAbstractTableModel(parent), m_sheet(sheet) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_sheet.rowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_sheet.columnCount();
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return m_sheet.cell(index.row(), index.column()).text;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        if (m_sheet.setCellText(index.row(), index.column(), value.toString()))
            emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    void cellChanged(int row, int column) {
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed);
    }

    void appendRows(int count) {
        const int first = m_sheet.rowCount();
        beginInsertRows({}, first, first + count - 1);
        m_sheet.appendRows(count);
        endInsertRows();
    }

    template <typename Change> void reset(Change change) {
        beginResetModel();
        change();
        endResetModel();
    }

private:
    SheetModel& m_sheet;
};

// Draws each cell from the sheet: background, text, and the grid lines on its
// right and bottom edges. The view hands a merged range over as one rect, so
// no line crosses its inside.
class AdvancedGrid::CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(const SheetModel& sheet, const CellFontCache& fonts, QObject* parent)
        : QStyledItemDelegate(parent), m_sheet(sheet), m_fonts(fonts) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const SheetCell& cell = m_sheet.cell(index.row(), index.column());
        const QRect rect = option.rect;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->fillRect(rect,
                          selected ? colorFromBgr(selectionBackColor) : m_sheet.backColorOf(cell));
        if (!cell.text.isEmpty()) {
            const int flags = int(Qt::AlignVCenter | horizontalAlignment(cell.alignment)) |
                              (cell.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
            painter->setFont(m_fonts.font(cell.fontHeight));
            painter->setPen(selected ? QColor(Qt::white) : m_sheet.textColorOf(cell));
            painter->drawText(rect.adjusted(textPadding, 0, -textPadding - 1, -1), flags,
                              cell.text);
        }
        const QColor lineColor = colorFromBgr(m_sheet.gridLineColor());
        painter->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), lineColor);
        painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), lineColor);
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setFont(m_fonts.font(m_sheet.cell(index.row(), index.column()).fontHeight));
        return editor;
    }

private:
    const SheetModel& m_sheet;
    const CellFontCache& m_fonts;
};

AdvancedGrid::AdvancedGrid(QWidget* parent)
    : QWidget(parent), m_fonts(sheetFont(font())), m_items(new ItemModel(m_model, this)),
      m_view(new QTableView(this)) {
    setFont(m_fonts.base());
    m_view->setModel(m_items);
    m_view->setItemDelegate(new CellDelegate(m_model, m_fonts, m_view));
    for (QHeaderView* header : {m_view->horizontalHeader(), m_view->verticalHeader()}) {
        header->hide();
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(0);
    }
    m_view->setShowGrid(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_view->setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    showWholeModel();
}

AdvancedGrid::~AdvancedGrid() = default;

void AdvancedGrid::resetToDesign() {
    m_items->reset([this] { m_model.resetToDesign(); });
    showWholeModel();
}

void AdvancedGrid::appendRows(int count) {
    if (count > 0)
        m_items->appendRows(count);
}

void AdvancedGrid::setGridLineColor(quint32 bgr) {
    if (m_model.setGridLineColor(bgr))
        m_view->viewport()->update();
}

void AdvancedGrid::setFitToPageWidth(bool on) {
    m_model.setFitToPageWidth(on);
}

void AdvancedGrid::setShowPrintDialog(bool on) {
    m_model.setShowPrintDialog(on);
}

void AdvancedGrid::setPrintMargin(int which, int tenthsOfMm) {
    m_model.setPrintMargin(which, tenthsOfMm);
}

void AdvancedGrid::print() {
    printSheet(m_model, accessibleName(), window());
}

void AdvancedGrid::printPreview() {
    previewSheet(m_model, accessibleName(), window());
}

void AdvancedGrid::mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    if (m_model.mergeCells(firstRow, firstColumn, lastRow, lastColumn))
        showSpans();
}

void AdvancedGrid::setCellFontHeight(int row, int column, int height) {
    if (m_model.setCellFontHeight(row, column, height))
        m_items->cellChanged(row, column);
}

void AdvancedGrid::setCellWordWrap(int row, int column, bool on) {
    if (m_model.setCellWordWrap(row, column, on))
        m_items->cellChanged(row, column);
}

void AdvancedGrid::setCellAlignment(int row, int column, int code) {
    if (m_model.setCellAlignment(row, column, code))
        m_items->cellChanged(row, column);
}

void AdvancedGrid::setCellContent(int row, int column, const QString& text) {
    if (m_model.setCellText(row, column, text))
        m_items->cellChanged(row, column);
}

void AdvancedGrid::setCellBackColor(int row, int column, quint32 bgr) {
    if (m_model.setCellBackColor(row, column, bgr))
        m_items->cellChanged(row, column);
}

void AdvancedGrid::setCellTextColor(int row, int column, quint32 bgr) {
    if (m_model.setCellTextColor(row, column, bgr))
        m_items->cellChanged(row, column);
}

void AdvancedGrid::setRowHeight(int row, int height) {
    if (m_model.setRowHeight(row, height))
        m_view->setRowHeight(row, height);
}

void AdvancedGrid::setColumnWidth(int column, int width) {
    if (m_model.setColumnWidth(column, width))
        m_view->setColumnWidth(column, width);
}

QString AdvancedGrid::cellText(int row, int column) const {
    return m_model.contains(row, column) ? m_model.cell(row, column).text : QString();
}

void AdvancedGrid::setDesignRows(int rows) {
    SheetDesign design = m_model.design();
    design.rows = rows;
    applyDesign(design);
}

void AdvancedGrid::setDesignColumns(int columns) {
    SheetDesign design = m_model.design();
    design.columns = columns;
    applyDesign(design);
}

void AdvancedGrid::setDesignRowHeight(int height) {
    SheetDesign design = m_model.design();
    design.rowHeight = height;
    applyDesign(design);
}

void AdvancedGrid::setDesignColumnWidth(int width) {
    SheetDesign design = m_model.design();
    design.columnWidth = width;
    applyDesign(design);
}

void AdvancedGrid::setAccessibleName(const QString& name) {
    QWidget::setAccessibleName(name);
    m_view->setAccessibleName(name);
}

void AdvancedGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_fonts = CellFontCache(font());
        m_view->viewport()->update();
    }
    QWidget::changeEvent(event);
}

void AdvancedGrid::applyDesign(const SheetDesign& design) {
    if (design.rows < 0 || design.columns < 0 || design.rowHeight < 0 || design.columnWidth < 0)
        return;
    m_items->reset([&] { m_model.setDesign(design); });
    showWholeModel();
}

// After the sheet was replaced as a whole: new sections take the designed
// sizes, and the few that differ are set one by one.
void AdvancedGrid::showWholeModel() {
    QHeaderView* rows = m_view->verticalHeader();
    QHeaderView* columns = m_view->horizontalHeader();
    rows->setDefaultSectionSize(m_model.design().rowHeight);
    columns->setDefaultSectionSize(m_model.design().columnWidth);
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (rows->sectionSize(row) != m_model.rowHeight(row))
            rows->resizeSection(row, m_model.rowHeight(row));
    }
    for (int column = 0; column < m_model.columnCount(); ++column) {
        if (columns->sectionSize(column) != m_model.columnWidth(column))
            columns->resizeSection(column, m_model.columnWidth(column));
    }
    showSpans();
    m_view->viewport()->update();
}

void AdvancedGrid::showSpans() {
    m_view->clearSpans();
    for (const CellSpan& span : m_model.spans())
        m_view->setSpan(span.row, span.column, span.rowCount, span.columnCount);
}
