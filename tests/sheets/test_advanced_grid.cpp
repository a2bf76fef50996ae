#include "advanced_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

using GridOperation = std::function<void(AdvancedGrid&)>;
Q_DECLARE_METATYPE(GridOperation)

namespace {

const QString title = u"数学计算能力测试（一）"_s;

QTableView* viewOf(const AdvancedGrid& grid) {
    return grid.findChild<QTableView*>();
}

// The title band as the worksheets carry it.
void setUpTitleBand(AdvancedGrid& grid) {
    grid.resetToDesign();
    grid.setGridLineColor(0xC0C0C0);
    grid.mergeCells(0, 0, 0, 3);
    grid.setCellFontHeight(0, 0, 30);
    grid.setCellWordWrap(0, 0, true);
    grid.setCellAlignment(0, 0, 2);
    grid.setCellContent(0, 0, title);
    grid.setRowHeight(0, 80);
    grid.setCellBackColor(0, 0, 0xC0C0C0);
    grid.setColumnWidth(0, 180);
}

void placeProblem(AdvancedGrid& grid, int row, int column, const QString& text) {
    grid.setCellContent(row, column, text);
    grid.setCellFontHeight(row, column, 26);
    grid.setColumnWidth(column, 170);
}

// What the view shows of the grid's shape: its size, section sizes and spans.
QList<int> viewShape(const AdvancedGrid& grid) {
    const QTableView* view = viewOf(grid);
    const int rows = view->model()->rowCount();
    const int columns = view->model()->columnCount();
    QList<int> shape{rows, columns};
    for (int row = 0; row < rows; ++row)
        shape << view->rowHeight(row);
    for (int column = 0; column < columns; ++column)
        shape << view->columnWidth(column);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            shape << view->rowSpan(row, column) << view->columnSpan(row, column);
    return shape;
}

// The pixels of `area` that differ from `background`, as one bounding box.
QRect inkBounds(const QImage& image, const QRect& area, const QColor& background) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage shownImage(AdvancedGrid& grid) {
    grid.resize(699, 256);
    grid.show();
    if (!QTest::qWaitForWindowExposed(&grid))
        return {};
    return viewOf(grid)->viewport()->grab().toImage();
}

} // namespace

class TestAdvancedGrid : public QObject {
    Q_OBJECT

private slots:
    void startsAsDesigned() {
        AdvancedGrid grid;
        QVERIFY(grid.model() == SheetModel{});
        QCOMPARE(grid.property("designRows").toInt(), 21);
        QCOMPARE(grid.property("designColumns").toInt(), 4);
        QCOMPARE(grid.property("designRowHeight").toInt(), 50);
        QCOMPARE(grid.property("designColumnWidth").toInt(), 165);
        QCOMPARE(grid.property("gridLineColor").toUInt(), 0x000000u);
        QCOMPARE(grid.property("fitToPageWidth").toBool(), true);
        QCOMPARE(grid.property("showPrintDialog").toBool(), true);
        QList<int> shape{21, 4};
        shape << QList<int>(21, 50) << QList<int>(4, 165) << QList<int>(2 * 21 * 4, 1);
        QCOMPARE(viewShape(grid), shape);
        const QTableView* view = viewOf(grid);
        for (const QHeaderView* header : {view->horizontalHeader(), view->verticalHeader()}) {
            QVERIFY(header->isHidden());
            QCOMPARE(header->sectionResizeMode(0), QHeaderView::Fixed);
        }
        QVERIFY(view->editTriggers() != QAbstractItemView::NoEditTriggers);
    }

    void titleBandReachesModelAndView() {
        AdvancedGrid grid;
        setUpTitleBand(grid);
        const SheetCell& cell = grid.model().cell(0, 0);
        QCOMPARE(cell.text, title);
        QCOMPARE(cell.fontHeight, 30);
        QVERIFY(cell.wordWrap);
        QCOMPARE(cell.alignment, CellAlignment::Centre);
        QCOMPARE(cell.backColor, std::optional<quint32>(0xC0C0C0));
        QCOMPARE(grid.gridLineColor(), 0xC0C0C0u);
        const QTableView* view = viewOf(grid);
        QCOMPARE(view->rowSpan(0, 0), 1);
        QCOMPARE(view->columnSpan(0, 0), 4);
        QCOMPARE(view->rowHeight(0), 80);
        QCOMPARE(view->rowHeight(1), 50);
        QCOMPARE(view->columnWidth(0), 180);
        QCOMPARE(view->columnWidth(1), 165);
    }

    void problemCellReachesModelAndView() {
        AdvancedGrid grid;
        setUpTitleBand(grid);
        placeProblem(grid, 1, 0, u"5÷（   ）=1.67"_s);
        QCOMPARE(grid.cellText(1, 0), u"5÷（   ）=1.67"_s);
        QCOMPARE(grid.model().cell(1, 0).fontHeight, 26);
        const QTableView* view = viewOf(grid);
        QCOMPARE(view->model()->data(view->model()->index(1, 0)).toString(), u"5÷（   ）=1.67"_s);
        QCOMPARE(view->columnWidth(0), 170);
    }

    void outsideTheGridIsIgnored_data() {
        QTest::addColumn<GridOperation>("operation");
        struct Place {
            const char* name;
            int row;
            int column;
        };
        const Place outside[] = {
            {"row -1", -1, 1},    {"row 21 (== count)", 21, 1},  {"row 22 (> count)", 22, 1},
            {"column -1", 1, -1}, {"column 4 (== count)", 1, 4}, {"column 5 (> count)", 1, 5}};
        for (const Place& p : outside) {
            const int r = p.row;
            const int c = p.column;
            QTest::addRow("content, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.setCellContent(r, c, u"1+1=2"_s); });
            QTest::addRow("font height, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.setCellFontHeight(r, c, 26); });
            QTest::addRow("wrap, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.setCellWordWrap(r, c, true); });
            QTest::addRow("alignment, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.setCellAlignment(r, c, 3); });
            QTest::addRow("background, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.setCellBackColor(r, c, 0x0000FF); });
            QTest::addRow("text colour, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.setCellTextColor(r, c, 0x0000FF); });
            QTest::addRow("merge from, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.mergeCells(r, c, 2, 2); });
            QTest::addRow("merge to, %s", p.name)
                << GridOperation([=](AdvancedGrid& g) { g.mergeCells(2, 2, r, c); });
            if (p.column == 1)
                QTest::addRow("row height, %s", p.name)
                    << GridOperation([=](AdvancedGrid& g) { g.setRowHeight(r, 20); });
            else
                QTest::addRow("column width, %s", p.name)
                    << GridOperation([=](AdvancedGrid& g) { g.setColumnWidth(c, 20); });
        }
    }
    void outsideTheGridIsIgnored() {
        QFETCH(GridOperation, operation);
        AdvancedGrid grid;
        setUpTitleBand(grid);
        placeProblem(grid, 1, 1, u"43÷28=1.54"_s);
        const SheetModel model = grid.model();
        const QList<int> shape = viewShape(grid);
        operation(grid);
        QVERIFY(grid.model() == model);
        QCOMPARE(viewShape(grid), shape);
    }

    void runtimeSettingsDoNotMoveTheDesign() {
        AdvancedGrid grid;
        QVERIFY(grid.setProperty("gridLineColor", 0xC0C0C0u));
        QVERIFY(grid.setProperty("fitToPageWidth", false));
        QVERIFY(grid.setProperty("showPrintDialog", false));
        QCOMPARE(grid.gridLineColor(), 0xC0C0C0u);
        QVERIFY(!grid.fitToPageWidth());
        QVERIFY(!grid.showPrintDialog());
        grid.resetToDesign();
        QCOMPARE(grid.gridLineColor(), 0x000000u);
        QVERIFY(grid.fitToPageWidth());
        QVERIFY(grid.showPrintDialog());
    }

    void designPropertiesShowAtOnce_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("rowsColumnsHeightWidth");
        QTest::newRow("rows") << "designRows"_ba << 25 << QList<int>{25, 4, 50, 165};
        QTest::newRow("columns") << "designColumns"_ba << 6 << QList<int>{21, 6, 50, 165};
        QTest::newRow("row height") << "designRowHeight"_ba << 40 << QList<int>{21, 4, 40, 165};
        QTest::newRow("column width")
            << "designColumnWidth"_ba << 100 << QList<int>{21, 4, 50, 100};
    }
    void designPropertiesShowAtOnce() {
        QFETCH(QByteArray, property);
        QFETCH(int, value);
        QFETCH(QList<int>, rowsColumnsHeightWidth);
        AdvancedGrid grid;
        QVERIFY(grid.setProperty(property.constData(), value));
        const int rows = rowsColumnsHeightWidth[0];
        const int columns = rowsColumnsHeightWidth[1];
        QList<int> shape{rows, columns};
        shape << QList<int>(rows, rowsColumnsHeightWidth[2])
              << QList<int>(columns, rowsColumnsHeightWidth[3])
              << QList<int>(2 * rows * columns, 1);
        QCOMPARE(viewShape(grid), shape);
        QCOMPARE(grid.rowCount(), rows);
        QCOMPARE(grid.columnCount(), columns);
        grid.setCellContent(rows - 1, columns - 1, u"x"_s);
        grid.resetToDesign();
        QCOMPARE(viewShape(grid), shape);
        QCOMPARE(grid.cellText(rows - 1, columns - 1), QString());
    }

    void resetToDesignRestoresTheDesignedSheet() {
        AdvancedGrid grid;
        const QList<int> designedShape = viewShape(grid);
        setUpTitleBand(grid);
        grid.appendRows(5);
        for (int column = 0; column < 4; ++column)
            placeProblem(grid, 25, column, u"1+99=100"_s);
        grid.setCellTextColor(3, 3, 0x0000FF);
        grid.setFitToPageWidth(false);
        grid.setPrintMargin(1, 240);
        grid.setPrintMargin(2, 10);
        grid.setPrintMargin(3, 55);

        grid.resetToDesign();

        SheetModel expected;
        expected.setPrintMargin(1, 240);
        expected.setPrintMargin(2, 10);
        expected.setPrintMargin(3, 55);
        QVERIFY(grid.model() == expected);
        QCOMPARE(grid.rowCount(), 21);
        QCOMPARE(viewShape(grid), designedShape);
    }

    void appendRowsAddsDesignedRows_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rows");
        QTest::newRow("five") << 5 << 26;
        QTest::newRow("none") << 0 << 21;
        QTest::newRow("negative") << -1 << 21;
    }
    void appendRowsAddsDesignedRows() {
        QFETCH(int, count);
        QFETCH(int, rows);
        AdvancedGrid grid;
        setUpTitleBand(grid);
        grid.appendRows(count);
        const QTableView* view = viewOf(grid);
        QCOMPARE(grid.rowCount(), rows);
        QCOMPARE(view->model()->rowCount(), rows);
        QCOMPARE(view->rowHeight(0), 80);
        for (int row = 21; row < rows; ++row)
            QCOMPARE(view->rowHeight(row), 50);
        QCOMPARE(view->columnSpan(0, 0), 4);
        placeProblem(grid, rows - 1, 3, u"7×8=56"_s);
        QCOMPARE(view->model()->data(view->model()->index(rows - 1, 3)).toString(), u"7×8=56"_s);
    }

    // Each column boundary crossing the title band: the line shows in row 1
    // below it, but not inside the merged cell.
    void mergedCellHasNoInnerGridLines_data() {
        QTest::addColumn<int>("boundary");
        QTest::newRow("after column 0") << 0;
        QTest::newRow("after column 1") << 1;
        QTest::newRow("after column 2") << 2;
    }
    void mergedCellHasNoInnerGridLines() {
        QFETCH(int, boundary);
        AdvancedGrid grid;
        setUpTitleBand(grid);
        const QColor lineColor(Qt::red);
        grid.setGridLineColor(bgrFromColor(lineColor));
        const QImage image = shownImage(grid);
        QVERIFY(!image.isNull());
        const QTableView* view = viewOf(grid);
        const int x = view->columnViewportPosition(boundary + 1) - 1;
        const int titleBottom = view->rowViewportPosition(1) - 1;
        for (int y = 0; y < titleBottom; ++y)
            QVERIFY2(image.pixelColor(x, y) != lineColor, qPrintable(QString::number(y)));
        QCOMPARE(image.pixelColor(x, titleBottom), lineColor);
        for (int y = titleBottom + 1; y < titleBottom + 50; ++y)
            QCOMPARE(image.pixelColor(x, y), lineColor);
    }

    void titleShowsCentredOnOneLine() {
        AdvancedGrid grid;
        setUpTitleBand(grid);
        const QImage image = shownImage(grid);
        QVERIFY(!image.isNull());
        const QTableView* view = viewOf(grid);
        const int width = view->columnViewportPosition(3) + view->columnWidth(3);
        const QRect band(0, 0, width - 1, view->rowHeight(0) - 1);
        const QRect ink = inkBounds(image, band, colorFromBgr(0xC0C0C0));
        QVERIFY(!ink.isEmpty());
        // The closing full-width parenthesis carries its ink on its left half,
        // which pulls the ink a few pixels left of the text's true centre.
        QVERIFY2(qAbs(ink.center().x() - band.center().x()) <= 8,
                 qPrintable(QString::number(ink.center().x())));
        QVERIFY2(qAbs(ink.center().y() - band.center().y()) <= 4,
                 qPrintable(QString::number(ink.center().y())));
        QVERIFY2(ink.height() <= 30, qPrintable(QString::number(ink.height())));
    }

    void problemTextShowsUnclipped_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("blank first") << u"（   ）+96=188"_s;
        QTest::newRow("quotient") << u"43÷28=1.54"_s;
    }
    void problemTextShowsUnclipped() {
        QFETCH(QString, text);
        AdvancedGrid grid;
        setUpTitleBand(grid);
        placeProblem(grid, 1, 0, text);
        const QImage image = shownImage(grid);
        QVERIFY(!image.isNull());
        const QTableView* view = viewOf(grid);
        const QRect cell(0, view->rowViewportPosition(1), view->columnWidth(0) - 1,
                         view->rowHeight(1) - 1);
        const QRect ink = inkBounds(image, cell, QColor(Qt::white));
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.left() >= 2 && ink.left() <= 12, qPrintable(QString::number(ink.left())));
        // Clipped text would run up to the padding at the right edge.
        QVERIFY2(ink.right() < cell.right() - 6, qPrintable(QString::number(ink.right())));
    }

    void editingACellWritesTheModel() {
        AdvancedGrid grid;
        setUpTitleBand(grid);
        QVERIFY(!shownImage(grid).isNull());
        QTableView* view = viewOf(grid);
        view->setFocus();
        view->edit(view->model()->index(2, 1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, u"12+3"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the edit from the event loop.
        QCoreApplication::processEvents();
        QCOMPARE(grid.cellText(2, 1), u"12+3"_s);
        QCOMPARE(grid.model().cell(2, 1).text, u"12+3"_s);
    }

    void accessibleNameReachesTheView_data() {
        QTest::addColumn<bool>("throughProperty");
        QTest::newRow("setter") << false;
        QTest::newRow("property") << true;
    }
    void accessibleNameReachesTheView() {
        QFETCH(bool, throughProperty);
        AdvancedGrid grid;
        if (throughProperty)
            grid.setProperty("accessibleName", u"高级表格2"_s);
        else
            grid.setAccessibleName(u"高级表格2"_s);
        QCOMPARE(grid.accessibleName(), u"高级表格2"_s);
        QCOMPARE(viewOf(grid)->accessibleName(), u"高级表格2"_s);
    }
};

QTEST_MAIN(TestAdvancedGrid)
#include "test_advanced_grid.moc"
