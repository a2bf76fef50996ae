#pragma once

#include "cell_font.h"
#include "sheet_model.h"

#include <QDialog>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <optional>

class QAction;
class QLabel;
class QPrintPreviewWidget;

// Prints the whole sheet on one of the system's printers, queued as
// "Numvale <sheetName>" so a teacher can tell the sheets apart. With the
// sheet's showPrintDialog on, the system print dialog comes first, offering
// the printer and the number of copies only; cancelling it prints nothing.
// `paper` is the page set-up to start from, such as the preview's; without it
// the printer's own. Printer trouble is told in a message box over `parent`;
// the sheet is never changed.
void printSheet(const SheetModel& sheet, const QString& sheetName, QWidget* parent,
                const std::optional<QPageLayout>& paper = std::nullopt);

// Shows the sheet in a modal SheetPreviewDialog over `parent` and returns when
// the user closes it. Margins the user changes there are written to the sheet.
void previewSheet(SheetModel& sheet, const QString& sheetName, QWidget* parent);

// The print preview: the sheet's pages as they will print, with printing,
// the seven print margins, the page set-up, paging and zoom at hand.
class SheetPreviewDialog : public QDialog {
    Q_OBJECT

public:
    SheetPreviewDialog(SheetModel& sheet, const QString& sheetName, QWidget* parent = nullptr);

private:
    void paintPages(QPrinter* printer);
    void showPageNumber();
    void goToPage(int page);
    void editMargins();
    void setUpPage();

    SheetModel& m_sheet;
    QString m_sheetName;
    CellFontCache m_fonts;
    QPrinter m_printer;
    QPrintPreviewWidget* m_preview;
    QLabel* m_pageNumber;
    QAction* m_previousPage = nullptr;
    QAction* m_nextPage = nullptr;
};
