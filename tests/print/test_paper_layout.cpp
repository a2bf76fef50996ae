#include "paper_layout.h"
#include "sample_sheets.h"
#include "text_recorder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SheetModel)

namespace {

// At 254 device units per inch a tenth of a millimetre is one unit, and with
// the screen at the same resolution a sheet pixel is one unit too: the
// arithmetic of a page can be read straight off the numbers.
constexpr qreal tenthsPerInch = 254;

PaperSettings tenthsPaper(qreal width, qreal height) {
    return {QSizeF(width, height), QPointF(), tenthsPerInch, tenthsPerInch};
}

QString pagesText(const PaperLayout& layout) {
    QStringList pages;
    for (const PageRows& page : layout.pages())
        pages << u"%1+%2"_s.arg(page.firstRow).arg(page.rowCount);
    return pages.join(u' ');
}

void setMargins(SheetModel& sheet, const QList<int>& tenths) {
    for (int which = 1; which <= tenths.size(); ++which)
        sheet.setPrintMargin(which, tenths[which - 1]);
}

CellFontCache gridFonts() {
    return CellFontCache(sheetFont(QGuiApplication::font()));
}

// The pages a PDF holds, counted by its page objects.
int pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression pageObject(u"/Type\\s*/Page(?!s)"_s);
    return int(QString::fromLatin1(pdf).count(pageObject));
}

// The worksheet of 100 problems as both output buttons print it, on A4 at
// 1200 dpi, the screen at 96.
struct PrintedWorksheet {
    SheetModel sheet = worksheet(100);
    PaperSettings paper{QSizeF(9917, 14033), QPointF(), 1200, 96};

    PrintedWorksheet() { usePrintButtonSettings(sheet); }
};

} // namespace

class TestPaperLayout : public QObject {
    Q_OBJECT

private slots:
    void pageBreaks_data() {
        QTest::addColumn<SheetModel>("sheet");
        QTest::addColumn<qreal>("paperHeight");
        QTest::addColumn<QString>("pages");

        // The title sheet is 80 + 20 x 50 units high. The default margins
        // leave 180 of the paper's height for anything but the table.
        SheetModel titled = titledSheet();
        titled.setFitToPageWidth(false);
        QTest::newRow("rows that do not fit go to the next page")
            << titled << qreal(600) << u"0+7 7+8 15+6"_s;
        QTest::newRow("a page filled exactly keeps its last row")
            << titled << qreal(610) << u"0+8 8+8 16+5"_s;
        QTest::newRow("one row short of exact") << titled << qreal(609) << u"0+7 7+8 15+6"_s;
        QTest::newRow("everything on one page") << titled << qreal(1500) << u"0+21"_s;

        SheetModel joined = titled;
        joined.mergeCells(6, 0, 7, 1);
        QTest::newRow("rows joined by a merge move together")
            << joined << qreal(600) << u"0+6 6+8 14+7"_s;

        SheetModel tallRow = titled;
        tallRow.setRowHeight(3, 1000);
        QTest::newRow("a row taller than a page gets a page of its own")
            << tallRow << qreal(600) << u"0+3 3+1 4+8 12+8 20+1"_s;

        SheetModel tallMerge = titled;
        tallMerge.mergeCells(1, 0, 10, 3);
        QTest::newRow("a merge taller than a page breaks between rows")
            << tallMerge << qreal(600) << u"0+1 1+8 9+8 17+4"_s;

        QTest::newRow("a sheet without rows has one page")
            << SheetModel(SheetDesign{.rows = 0}) << qreal(600) << u"0+0"_s;
    }
    void pageBreaks() {
        QFETCH(SheetModel, sheet);
        QFETCH(qreal, paperHeight);
        QFETCH(QString, pages);
        const PaperLayout layout(sheet, tenthsPaper(800, paperHeight));
        QCOMPARE(pagesText(layout), pages);
    }

    void marginsInTenthsOfMillimetres_data() {
        QTest::addColumn<qreal>("resolution");
        QTest::addColumn<QList<int>>("margins");
        QTest::addColumn<QRectF>("header");
        QTest::addColumn<QRectF>("table");
        QTest::addColumn<QRectF>("footer");

        // Paper 2100 x 2970 tenths of a millimetre (A4).
        QTest::newRow("starting margins, one unit a tenth")
            << qreal(254) << QList<int>{40, 40, 20, 20, 60, 60, 20} << QRectF(40, 20, 2020, 60)
            << QRectF(40, 100, 2020, 2790) << QRectF(40, 2890, 2020, 60);
        QTest::newRow("print button margins, one unit a tenth")
            << qreal(254) << QList<int>{240, 10, 20, 20, 60, 60, 20} << QRectF(240, 20, 1850, 60)
            << QRectF(240, 100, 1850, 2790) << QRectF(240, 2890, 1850, 60);
        // 1200 dpi: 24 mm is 1133.86 units, 1 mm 47.24, 2 mm 94.49, 6 mm 283.46.
        QTest::newRow("print button margins at 1200 dpi")
            << qreal(1200) << QList<int>{240, 10, 20, 20, 60, 60, 20}
            << QRectF(1133.858, 94.488, 8740.157, 283.465)
            << QRectF(1133.858, 472.441, 8740.157, 13181.102)
            << QRectF(1133.858, 13653.543, 8740.157, 283.465);
        QTest::newRow("negative margins count as none")
            << qreal(254) << QList<int>{-5, -5, -5, -5, -5, -5, -5} << QRectF(0, 0, 2100, 0)
            << QRectF(0, 0, 2100, 2970) << QRectF(0, 2970, 2100, 0);
        QTest::newRow("margins larger than the paper leave no room")
            << qreal(254) << QList<int>{1500, 1500, 1500, 1500, 60, 60, 20}
            << QRectF(1500, 1500, 0, 60) << QRectF(1500, 1580, 0, 0) << QRectF(1500, 1410, 0, 60);
    }
    void marginsInTenthsOfMillimetres() {
        QFETCH(qreal, resolution);
        QFETCH(QList<int>, margins);
        QFETCH(QRectF, header);
        QFETCH(QRectF, table);
        QFETCH(QRectF, footer);
        SheetModel sheet = titledSheet();
        setMargins(sheet, margins);
        const qreal units = resolution / tenthsPerInch;
        const PaperLayout layout(sheet,
                                 {QSizeF(2100 * units, 2970 * units), QPointF(), resolution, 96});
        const auto near = [](const QRectF& actual, const QRectF& expected) {
            return std::abs(actual.left() - expected.left()) < 0.01 &&
                   std::abs(actual.top() - expected.top()) < 0.01 &&
                   std::abs(actual.width() - expected.width()) < 0.01 &&
                   std::abs(actual.height() - expected.height()) < 0.01;
        };
        QVERIFY2(near(layout.headerRect(), header),
                 std::unique_ptr<char[]>(QTest::toString(layout.headerRect())).get());
        QVERIFY2(near(layout.tableRect(), table),
                 std::unique_ptr<char[]>(QTest::toString(layout.tableRect())).get());
        QVERIFY2(near(layout.footerRect(), footer),
                 std::unique_ptr<char[]>(QTest::toString(layout.footerRect())).get());
    }

    void marginsLargerThanThePaperStillEnd() {
        SheetModel sheet = titledSheet();
        sheet.setFitToPageWidth(false);
        setMargins(sheet, {1500, 1500, 1500, 1500, 60, 60, 20});
        const PaperLayout layout(sheet, tenthsPaper(2100, 2970));
        QCOMPARE(layout.pageCount(), sheet.rowCount());
    }

    void scale_data() {
        QTest::addColumn<bool>("fitToPageWidth");
        QTest::addColumn<qreal>("resolution");
        QTest::addColumn<qreal>("screenDpi");
        QTest::addColumn<qreal>("scale");

        // Off: a sheet pixel is a screen pixel at the screen's resolution.
        QTest::newRow("off, 1200 dpi paper, 96 dpi screen") << false << 1200.0 << 96.0 << 12.5;
        QTest::newRow("off, 600 dpi paper, 120 dpi screen") << false << 600.0 << 120.0 << 5.0;
        QTest::newRow("off, same resolution") << false << 96.0 << 96.0 << 1.0;
        // On: the 675 pixels of the title sheet's columns fill the 2020 units
        // between the starting margins, whatever the screen.
        QTest::newRow("on, one unit a tenth") << true << 254.0 << 96.0 << 2020.0 / 675.0;
        QTest::newRow("on, 1200 dpi") << true << 1200.0 << 120.0 << 2020.0 / 675.0 * 1200 / 254;
    }
    void scale() {
        QFETCH(bool, fitToPageWidth);
        QFETCH(qreal, resolution);
        QFETCH(qreal, screenDpi);
        QFETCH(qreal, scale);
        SheetModel sheet = titledSheet();
        sheet.setFitToPageWidth(fitToPageWidth);
        const qreal units = resolution / tenthsPerInch;
        const PaperLayout layout(
            sheet, {QSizeF(2100 * units, 2970 * units), QPointF(), resolution, screenDpi});
        QVERIFY2(std::abs(layout.scale() - scale) < 1e-9,
                 std::unique_ptr<char[]>(QTest::toString(layout.scale())).get());
    }

    void hundredProblemsSpanTwoPagesOfA4() {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        SheetModel sheet = worksheet(100);
        usePrintButtonSettings(sheet);
        QCOMPARE(sheet.rowCount(), 26);

        const PaperSettings paper = paperSettingsOf(writer, 96);
        QCOMPARE(paper.paperSize, QSizeF(9917, 14033));
        QCOMPARE(paper.origin, QPointF(0, 0));
        const PaperLayout layout(sheet, paper);
        // 279 mm of room: the title band (21.2 mm) and 19 rows of 13.2 mm.
        QCOMPARE(pagesText(layout), u"0+20 20+6"_s);

        QPainter painter(&writer);
        QVERIFY(paintSheet(painter, writer, layout, u"原题"_s, gridFonts()));
        painter.end();
        QCOMPARE(pdfPageCount(pdf.data()), 2);
    }

    void emptySheetLaysOut() {
        SheetModel sheet = titledSheet();
        usePrintButtonSettings(sheet);
        const PrintedWorksheet a4;
        const PaperLayout layout(sheet, a4.paper);
        // 285.8 mm of rows for 279 mm of room: the last empty row goes over.
        QCOMPARE(pagesText(layout), u"0+20 20+1"_s);
    }

    void writerMarginsDoNotMoveTheSheet() {
        QBuffer pdf;
        QPdfWriter writer(&pdf);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
        const PaperSettings paper = paperSettingsOf(writer, 96);
        QCOMPARE(paper.paperSize, QSizeF(9917, 14033));
        // 10 mm and 15 mm at 1200 dpi are 472.4 and 708.7 units; Qt places
        // the printable area to the nearest point (16.7 units).
        QVERIFY2(std::abs(paper.origin.x() - 472.4) < 16.7 &&
                     std::abs(paper.origin.y() - 708.7) < 16.7,
                 std::unique_ptr<char[]>(QTest::toString(paper.origin)).get());

        const PrintedWorksheet printed;
        TextRecorder fromCorner(QSize(9921, 14031), 1200);
        TextRecorder fromMargins(QSize(9921, 14031), 1200);
        PaperSettings shifted = printed.paper;
        shifted.origin = paper.origin;
        for (auto [device, settings] :
             {std::pair{&fromCorner, printed.paper}, std::pair{&fromMargins, shifted}}) {
            QPainter painter(device);
            PaperLayout(printed.sheet, settings).paintPage(painter, 0, u"原题"_s, gridFonts());
        }
        QCOMPARE(fromMargins.texts().size(), fromCorner.texts().size());
        for (std::size_t i = 0; i < fromCorner.texts().size(); ++i)
            QCOMPARE(fromMargins.texts()[i].baseline + paper.origin,
                     fromCorner.texts()[i].baseline);
    }

    // Every problem is drawn once, as text, with the screen's font for its
    // height scaled to the paper, inside its own cell on its own page; the
    // header names the sheet and the footer counts the pages.
    void textsDrawnOnceInTheirCells() {
        PrintedWorksheet printed;
        printed.sheet.setCellText(0, 2, u"under the title"_s);
        const PaperLayout layout(printed.sheet, printed.paper);
        const CellFontCache fonts = gridFonts();
        const qreal problemHeight = fonts.font(26).pixelSize() * 12.5;
        const qreal titleHeight = fonts.font(30).pixelSize() * 12.5;

        QStringList drawn;
        for (int page = 0; page < layout.pageCount(); ++page) {
            TextRecorder recorder(QSize(9921, 14031), 1200);
            QPainter painter(&recorder);
            layout.paintPage(painter, page, u"试题答案"_s, fonts);
            painter.end();
            const PageRows rows = layout.pages()[std::size_t(page)];
            qreal rowTop = layout.tableRect().top();
            std::vector<qreal> rowTops;
            for (int row = rows.firstRow; row <= rows.firstRow + rows.rowCount; ++row) {
                rowTops.push_back(rowTop);
                rowTop += printed.sheet.rowHeight(row) * layout.scale();
            }
            for (const DrawnText& text : recorder.texts()) {
                drawn << text.text;
                if (text.text == u"试题答案"_s) {
                    QVERIFY(layout.headerRect().contains(text.baseline));
                    continue;
                }
                if (text.text.startsWith(u"第 "_s)) {
                    QCOMPARE(text.text, u"第 %1 页 / 共 2 页"_s.arg(page + 1));
                    QVERIFY(layout.footerRect().contains(text.baseline));
                    continue;
                }
                if (text.text == u"数学计算能力测试（一）"_s) {
                    QCOMPARE(page, 0);
                    QCOMPARE(text.pixelHeight, titleHeight);
                    continue;
                }
                const int index =
                    int(std::find_if(rowTops.begin(), rowTops.end(),
                                     [&](qreal top) { return top > text.baseline.y(); }) -
                        rowTops.begin()) -
                    1;
                QVERIFY2(index >= 0 && index < rows.rowCount, qPrintable(text.text));
                const int row = rows.firstRow + index;
                const int column =
                    int((text.baseline.x() - layout.tableRect().left()) / (170 * layout.scale()));
                QCOMPARE(text.text, printed.sheet.cell(row, column).text);
                QCOMPARE(text.pixelHeight, problemHeight);
            }
        }
        QCOMPARE(drawn.count(u"数学计算能力测试（一）"_s), 1);
        QCOMPARE(drawn.count(u"试题答案"_s), 2);
        QVERIFY(!drawn.contains(u"under the title"_s));
        for (int i = 0; i < 100; ++i)
            QCOMPARE(drawn.count(sampleProblem(i)), 1);
        QCOMPARE(drawn.size(), 1 + 100 + 2 + 2);
    }

    // Grid lines in the grid-line colour between cells and around the table,
    // none across a merged cell; backgrounds in the cells' colours.
    void gridLinesAndBackgrounds() {
        SheetModel sheet = titledSheet();
        sheet.setGridLineColor(0x0000FF); // red
        sheet.setFitToPageWidth(false);
        QImage page(900, 1300, QImage::Format_RGB32);
        page.fill(Qt::white);
        const PaperLayout layout(sheet, {QSizeF(page.size()), QPointF(), 96, 96});
        QCOMPARE(layout.scale(), 1.0);
        {
            QPainter painter(&page);
            layout.paintPage(painter, 0, u"原题"_s, gridFonts());
        }
        const QPoint table = layout.tableRect().topLeft().toPoint();
        // Lines are centred on the cell edges, which fall between pixels.
        const auto redNear = [&](int x, int y) {
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    if (page.pixelColor(table + QPoint(x + dx, y + dy)) == QColor(Qt::red))
                        return true;
                }
            }
            return false;
        };
        // Column 0 is 180 pixels wide; row 0 (the title) 80 high, row 1 50.
        QVERIFY(!redNear(180, 40));
        QVERIFY(!redNear(345, 40));
        QVERIFY(redNear(180, 105));
        QVERIFY(redNear(0, 40));
        QVERIFY(redNear(675, 105));
        QVERIFY(redNear(90, 0));
        QVERIFY(redNear(90, 80));
        QVERIFY(!redNear(90, 105));
        QCOMPARE(page.pixelColor(table + QPoint(20, 10)), colorFromBgr(0xC0C0C0));
        QCOMPARE(page.pixelColor(table + QPoint(20, 95)), QColor(Qt::white));
    }

    // Columns beyond the right margin and the part of a row taller than the
    // page are cut where the table's room ends.
    void tableIsCutAtTheEdgesOfItsRoom() {
        SheetModel sheet(SheetDesign{.rows = 2,
                                     .columns = 4,
                                     .rowHeight = 2000,
                                     .columnWidth = 165,
                                     .fitToPageWidth = false});
        for (int column = 0; column < 4; ++column)
            sheet.setCellBackColor(0, column, 0xFF0000); // blue
        QImage page(400, 600, QImage::Format_RGB32);
        page.fill(Qt::white);
        const PaperLayout layout(sheet, {QSizeF(page.size()), QPointF(), 96, 96});
        QCOMPARE(pagesText(layout), u"0+1 1+1"_s);
        {
            QPainter painter(&page);
            layout.paintPage(painter, 0, QString(), gridFonts());
        }
        const QRect room = layout.tableRect().toRect();
        const QColor blue(Qt::blue);
        QCOMPARE(page.pixelColor(room.right() - 3, room.center().y()), blue);
        QCOMPARE(page.pixelColor(room.right() + 3, room.center().y()), QColor(Qt::white));
        QCOMPARE(page.pixelColor(room.center().x(), room.bottom() - 3), blue);
        QCOMPARE(page.pixelColor(room.center().x(), room.bottom() + 3), QColor(Qt::white));
    }
};

QTEST_MAIN(TestPaperLayout)
#include "test_paper_layout.moc"
