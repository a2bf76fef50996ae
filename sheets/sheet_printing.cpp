#include "sheet_printing.h"

#include "paper_layout.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// The preview opens this share of the screen, the page fitted to its width:
// large enough to read a problem without zooming.
constexpr qreal previewScreenShare = 0.8;
constexpr double zoomStep = 1.25;
// Margins beyond this many millimetres leave no room for a sheet on any paper
// a school uses.
constexpr double largestMarginMm = 200.0;

QScreen* screenOf(const QWidget* widget) {
    return widget ? widget->screen() : QGuiApplication::primaryScreen();
}

// The sheet's face as the grid shows it, so paper and screen share fonts.
CellFontCache sheetFonts() {
    return CellFontCache(sheetFont(QApplication::font()));
}

void reportPrinterTrouble(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, u"错误"_s, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(u"确定"_s);
    box.exec();
}

struct MarginField {
    PrintMargin which;
    QStringView label;
};

constexpr std::array marginFields{
    MarginField{PrintMargin::Left, u"左边距"},
    MarginField{PrintMargin::Right, u"右边距"},
    MarginField{PrintMargin::Top, u"上边距"},
    MarginField{PrintMargin::Bottom, u"下边距"},
    MarginField{PrintMargin::Header, u"页眉"},
    MarginField{PrintMargin::Footer, u"页脚"},
    MarginField{PrintMargin::HeaderGap, u"页眉与表格间距"},
};

// The seven print margins in millimetres with one decimal: the sheet keeps
// tenths of a millimetre, so every value shown is one it can hold.
class MarginsDialog : public QDialog {
public:
    MarginsDialog(const SheetModel& sheet, QWidget* parent) : QDialog(parent) {
        setWindowTitle(u"页边距"_s);
        auto* form = new QFormLayout;
        for (std::size_t i = 0; i < marginFields.size(); ++i) {
            auto* box = new QDoubleSpinBox(this);
            box->setObjectName(marginFields[i].label.toString());
            box->setDecimals(1);
            box->setRange(0.0, largestMarginMm);
            box->setSingleStep(1.0);
            box->setSuffix(u" 毫米"_s);
            box->setValue(sheet.printMargin(int(marginFields[i].which)) / 10.0);
            form->addRow(marginFields[i].label.toString(), box);
            m_boxes[i] = box;
        }
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(u"确定"_s);
        buttons->button(QDialogButtonBox::Cancel)->setText(u"取消"_s);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
    }

    void writeTo(SheetModel& sheet) const {
        for (std::size_t i = 0; i < marginFields.size(); ++i)
            sheet.setPrintMargin(int(marginFields[i].which), qRound(m_boxes[i]->value() * 10.0));
    }

private:
    std::array<QDoubleSpinBox*, marginFields.size()> m_boxes{};
};

// The system print dialog with the printer and the number of copies only.
// Qt's own dialog on CUPS shows its page range box even with page ranges
// switched off, for the print server to pick the pages; a sheet prints whole,
// so the box goes once the dialog has set itself up for showing.
class SheetPrintDialog : public QPrintDialog {
public:
    SheetPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
        setOptions(PrintShowPageSize | PrintCollateCopies);
    }

    void setVisible(bool visible) override {
        QPrintDialog::setVisible(visible);
        if (QWidget* pageRange = findChild<QWidget*>(u"gbPrintRange"_s))
            pageRange->hide();
    }
};

QAction* addTool(QToolBar* bar, const QString& text, const QKeySequence& keys, QObject* context,
                 auto handler) {
    QAction* action = bar->addAction(text);
    action->setShortcut(keys);
    QObject::connect(action, &QAction::triggered, context, handler);
    return action;
}

} // namespace

void printSheet(const SheetModel& sheet, const QString& sheetName, QWidget* parent,
                const std::optional<QPageLayout>& paper) {
    const QString cannotOpen = u"打印机初始化出错,请检查打印设置!"_s;
    // Without any printer of the system, QPrinter falls back to writing a PDF
    // file nobody asked for.
    QPrinter printer(QPrinter::HighResolution);
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        reportPrinterTrouble(parent, cannotOpen);
        return;
    }
    if (paper)
        printer.setPageLayout(*paper);
    printer.setFullPage(true);
    printer.setDocName(u"Numvale "_s + sheetName);
    if (sheet.showPrintDialog()) {
        SheetPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    QPainter painter;
    if (!printer.isValid() || !painter.begin(&printer)) {
        reportPrinterTrouble(parent, cannotOpen);
        return;
    }
    const PaperLayout layout(sheet,
                             paperSettingsOf(printer, screenOf(parent)->logicalDotsPerInch()));
    const bool painted = paintSheet(painter, printer, layout, sheetName, sheetFonts());
    if (!painted)
        printer.abort();
    const bool ended = painter.end();
    if (!painted || !ended || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        reportPrinterTrouble(parent, u"打印表格出错,请检查打印设置或稍候重试!"_s);
}

void previewSheet(SheetModel& sheet, const QString& sheetName, QWidget* parent) {
    SheetPreviewDialog dialog(sheet, sheetName, parent);
    dialog.exec();
}

SheetPreviewDialog::SheetPreviewDialog(SheetModel& sheet, const QString& sheetName, QWidget* parent)
    : QDialog(parent), m_sheet(sheet), m_sheetName(sheetName), m_fonts(sheetFonts()),
      m_printer(QPrinter::HighResolution), m_preview(new QPrintPreviewWidget(&m_printer, this)),
      m_pageNumber(new QLabel(this)) {
    setWindowTitle(u"打印预览"_s);
    setModal(true);
    setSizeGripEnabled(true);
    // With no printer at all the preview still shows the sheet, on A4; the
    // page set-up can choose other paper.
    if (m_printer.outputFormat() != QPrinter::NativeFormat)
        m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_printer.setFullPage(true);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addTool(bar, u"打印"_s, QKeySequence::Print, this,
            [this] { printSheet(m_sheet, m_sheetName, this, m_printer.pageLayout()); });
    addTool(bar, u"页边距"_s, {}, this, [this] { editMargins(); });
    addTool(bar, u"页面设置"_s, {}, this, [this] { setUpPage(); });
    bar->addSeparator();
    m_previousPage = addTool(bar, u"上一页"_s, Qt::Key_PageUp, this,
                             [this] { goToPage(m_preview->currentPage() - 1); });
    m_nextPage = addTool(bar, u"下一页"_s, Qt::Key_PageDown, this,
                         [this] { goToPage(m_preview->currentPage() + 1); });
    bar->addWidget(m_pageNumber);
    bar->addSeparator();
    addTool(bar, u"放大"_s, QKeySequence::ZoomIn, this, [this] { m_preview->zoomIn(zoomStep); });
    addTool(bar, u"缩小"_s, QKeySequence::ZoomOut, this, [this] { m_preview->zoomOut(zoomStep); });
    addTool(bar, u"适合宽度"_s, {}, this, [this] { m_preview->fitToWidth(); });
    addTool(bar, u"整页"_s, {}, this, [this] { m_preview->fitInView(); });
    bar->addSeparator();
    addTool(bar, u"关闭"_s, {}, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { paintPages(printer); });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, [this] { showPageNumber(); });
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
    resize(screenOf(parent)->availableGeometry().size() * previewScreenShare);
}

void SheetPreviewDialog::paintPages(QPrinter* printer) {
    QPainter painter(printer);
    const PaperLayout layout(m_sheet,
                             paperSettingsOf(*printer, screenOf(this)->logicalDotsPerInch()));
    paintSheet(painter, *printer, layout, m_sheetName, m_fonts);
}

void SheetPreviewDialog::showPageNumber() {
    const int page = m_preview->currentPage();
    const int pages = m_preview->pageCount();
    m_pageNumber->setText(u"  第 %1 页 / 共 %2 页  "_s.arg(page).arg(pages));
    m_previousPage->setEnabled(page > 1);
    m_nextPage->setEnabled(page < pages);
}

// The preview tells of a new page only when the user scrolls to it.
void SheetPreviewDialog::goToPage(int page) {
    m_preview->setCurrentPage(page);
    showPageNumber();
}

void SheetPreviewDialog::editMargins() {
    MarginsDialog dialog(m_sheet, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.writeTo(m_sheet);
    m_preview->updatePreview();
}

void SheetPreviewDialog::setUpPage() {
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted)
        m_preview->updatePreview();
}
