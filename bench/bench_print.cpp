// How long a worksheet of 100 problems (the title and 25 rows of four) takes
//  (a) from opening the print preview until its first page is painted, and
//  (b) to print to a PDF file, without a dialog,
// on A4 with the settings both output buttons write. The first run of each
// pays for loading fonts and plugins and is shown apart; the figures are the
// median, fastest and slowest of the runs after it. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.

#include "paper_layout.h"
#include "sample_sheets.h"
#include "sheet_printing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGraphicsView>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Notes the first paint of the widget it watches; the paint itself is over
// once the event loop turn that delivered it returns.
class PaintSpy : public QObject {
public:
    bool painted = false;

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

double previewMs(SheetModel& sheet) {
    QElapsedTimer clock;
    clock.start();
    SheetPreviewDialog dialog(sheet, u"试题答案"_s);
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    PaintSpy spy;
    preview->findChild<QGraphicsView*>()->viewport()->installEventFilter(&spy);
    dialog.show();
    while (!spy.painted)
        QCoreApplication::processEvents();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (preview->pageCount() != 2) {
        std::fprintf(stderr, "the preview shows %d pages, not 2\n", preview->pageCount());
        std::exit(1);
    }
    dialog.close();
    return ms;
}

double printMs(const SheetModel& sheet, const QString& path) {
    QElapsedTimer clock;
    clock.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(u"Numvale 试题答案"_s);
    QPainter painter(&printer);
    const PaperLayout layout(
        sheet, paperSettingsOf(printer, QGuiApplication::primaryScreen()->logicalDotsPerInch()));
    const bool painted = paintSheet(painter, printer, layout, u"试题答案"_s,
                                    CellFontCache(sheetFont(QApplication::font())));
    if (!painter.end() || !painted) {
        std::fprintf(stderr, "printing to %s failed\n", qPrintable(path));
        std::exit(1);
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

void report(const char* what, double first, std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    std::printf("%s: first %.1f ms; then median %.1f ms (fastest %.1f, slowest %.1f) over %zu "
                "runs\n",
                what, first, runs[runs.size() / 2], runs.front(), runs.back(), runs.size());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    SheetModel sheet = worksheet(100);
    usePrintButtonSettings(sheet);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"sheet.pdf"_s);

    const double firstPreview = previewMs(sheet);
    std::vector<double> previews;
    for (int run = 0; run < runs; ++run)
        previews.push_back(previewMs(sheet));
    const double firstPrint = printMs(sheet, pdf);
    std::vector<double> prints;
    for (int run = 0; run < runs; ++run)
        prints.push_back(printMs(sheet, pdf));

    report("preview until its first page is painted", firstPreview, previews);
    report("print to PDF", firstPrint, prints);
    return 0;
}
