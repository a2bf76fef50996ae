#include "sheet_model.h"

#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

using ModelChange = std::function<void(SheetModel&)>;
Q_DECLARE_METATYPE(ModelChange)
Q_DECLARE_METATYPE(CellSpan)
Q_DECLARE_METATYPE(SheetCell)

namespace {

int cellsNotNew(const SheetModel& model) {
    int count = 0;
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            count += model.cell(row, column) == SheetCell{} ? 0 : 1;
    return count;
}

QList<CellSpan> spansOf(const SheetModel& model) {
    return QList<CellSpan>(model.spans().begin(), model.spans().end());
}

} // namespace

class TestSheetModel : public QObject {
    Q_OBJECT

private slots:
    void colorConversions_data() {
        QTest::addColumn<quint32>("bgr");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red in the low byte") << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("blue in the high byte") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x907F6Fu << QColor(0x6F, 0x7F, 0x90);
        QTest::newRow("light grey") << 0xC0C0C0u << QColor(192, 192, 192);
    }
    void colorConversions() {
        QFETCH(quint32, bgr);
        QFETCH(QColor, color);
        QCOMPARE(colorFromBgr(bgr), color);
        QCOMPARE(bgrFromColor(color), bgr);
    }

    void newModelIsTheStoredDesign() {
        const SheetModel model;
        QCOMPARE(model.rowCount(), 21);
        QCOMPARE(model.columnCount(), 4);
        for (int row = 0; row < 21; ++row)
            QCOMPARE(model.rowHeight(row), 50);
        for (int column = 0; column < 4; ++column)
            QCOMPARE(model.columnWidth(column), 165);
        QCOMPARE(model.gridLineColor(), 0x000000u);
        QCOMPARE(model.backColorOf(model.cell(0, 0)), QColor(Qt::white));
        QCOMPARE(model.textColorOf(model.cell(0, 0)), QColor(Qt::black));
        QVERIFY(model.fitToPageWidth());
        QVERIFY(model.showPrintDialog());
        const QList<int> margins{40, 40, 20, 20, 60, 60, 20};
        for (int which = 1; which <= 7; ++which)
            QCOMPARE(model.printMargin(which), margins[which - 1]);
        QCOMPARE(cellsNotNew(model), 0);
    }

    void cellSetters_data() {
        QTest::addColumn<ModelChange>("change");
        QTest::addColumn<SheetCell>("expected");
        SheetCell cell;
        cell.text = u"（   ）+96=188"_s;
        QTest::newRow("text") << ModelChange([](SheetModel& m) {
            m.setCellText(2, 1, u"（   ）+96=188"_s);
        }) << cell;
        cell = {};
        cell.fontHeight = 26;
        QTest::newRow("font height")
            << ModelChange([](SheetModel& m) { m.setCellFontHeight(2, 1, 26); }) << cell;
        cell = {};
        cell.wordWrap = true;
        QTest::newRow("wrap") << ModelChange([](SheetModel& m) { m.setCellWordWrap(2, 1, true); })
                              << cell;
        cell = {};
        cell.alignment = CellAlignment::Centre;
        QTest::newRow("centre") << ModelChange([](SheetModel& m) { m.setCellAlignment(2, 1, 2); })
                                << cell;
        cell.alignment = CellAlignment::Right;
        QTest::newRow("right") << ModelChange([](SheetModel& m) { m.setCellAlignment(2, 1, 3); })
                               << cell;
        cell = {};
        cell.backColor = 0xC0C0C0;
        QTest::newRow("background")
            << ModelChange([](SheetModel& m) { m.setCellBackColor(2, 1, 0xC0C0C0); }) << cell;
        cell = {};
        cell.textColor = 0x0000FF;
        QTest::newRow("text colour")
            << ModelChange([](SheetModel& m) { m.setCellTextColor(2, 1, 0x0000FF); }) << cell;
        QTest::newRow("alignment code 0 ignored")
            << ModelChange([](SheetModel& m) { m.setCellAlignment(2, 1, 0); }) << SheetCell{};
        QTest::newRow("alignment code 4 ignored")
            << ModelChange([](SheetModel& m) { m.setCellAlignment(2, 1, 4); }) << SheetCell{};
        QTest::newRow("negative font height ignored")
            << ModelChange([](SheetModel& m) { m.setCellFontHeight(2, 1, -12); }) << SheetCell{};
    }
    void cellSetters() {
        QFETCH(ModelChange, change);
        QFETCH(SheetCell, expected);
        SheetModel model;
        change(model);
        QVERIFY(model.cell(2, 1) == expected);
        QCOMPARE(cellsNotNew(model), expected == SheetCell{} ? 0 : 1);
    }

    void wrapAndAlignmentKeepEachOther_data() {
        QTest::addColumn<bool>("wrapFirst");
        QTest::newRow("wrap, then centre") << true;
        QTest::newRow("centre, then wrap") << false;
    }
    void wrapAndAlignmentKeepEachOther() {
        QFETCH(bool, wrapFirst);
        SheetModel model;
        if (wrapFirst) {
            model.setCellWordWrap(0, 0, true);
            model.setCellAlignment(0, 0, 2);
        } else {
            model.setCellAlignment(0, 0, 2);
            model.setCellWordWrap(0, 0, true);
        }
        QVERIFY(model.cell(0, 0).wordWrap);
        QCOMPARE(model.cell(0, 0).alignment, CellAlignment::Centre);
        model.setCellAlignment(0, 0, 3);
        QVERIFY(model.cell(0, 0).wordWrap);
        model.setCellWordWrap(0, 0, false);
        QCOMPARE(model.cell(0, 0).alignment, CellAlignment::Right);
    }

    void mergeCells_data() {
        QTest::addColumn<QList<QList<int>>>("merges");
        QTest::addColumn<QList<CellSpan>>("spans");
        QTest::newRow("title band")
            << QList<QList<int>>{{0, 0, 0, 3}} << QList<CellSpan>{{0, 0, 1, 4}};
        QTest::newRow("corners reversed")
            << QList<QList<int>>{{2, 3, 1, 1}} << QList<CellSpan>{{1, 1, 2, 3}};
        QTest::newRow("apart, both kept") << QList<QList<int>>{{0, 0, 0, 3}, {2, 0, 3, 1}}
                                          << QList<CellSpan>{{0, 0, 1, 4}, {2, 0, 2, 2}};
        QTest::newRow("overlap dissolves the earlier")
            << QList<QList<int>>{{0, 0, 0, 3}, {0, 2, 1, 3}} << QList<CellSpan>{{0, 2, 2, 2}};
        QTest::newRow("single cell dissolves and adds nothing")
            << QList<QList<int>>{{0, 0, 0, 3}, {0, 1, 0, 1}} << QList<CellSpan>{};
        QTest::newRow("same range twice")
            << QList<QList<int>>{{0, 0, 0, 3}, {0, 0, 0, 3}} << QList<CellSpan>{{0, 0, 1, 4}};
        QTest::newRow("last cell outside ignored")
            << QList<QList<int>>{{0, 0, 0, 3}, {1, 0, 1, 4}} << QList<CellSpan>{{0, 0, 1, 4}};
    }
    void mergeCells() {
        QFETCH(QList<QList<int>>, merges);
        QFETCH(QList<CellSpan>, spans);
        SheetModel model;
        for (const QList<int>& m : merges)
            model.mergeCells(m[0], m[1], m[2], m[3]);
        QCOMPARE(spansOf(model), spans);
    }

    void spanAtFindsTheCoveringMerge() {
        SheetModel model;
        model.mergeCells(1, 1, 2, 3);
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int column = 0; column < model.columnCount(); ++column) {
                const bool inside = row >= 1 && row <= 2 && column >= 1;
                const CellSpan* span = model.spanAt(row, column);
                QCOMPARE(span != nullptr, inside);
                if (span)
                    QCOMPARE(*span, (CellSpan{1, 1, 2, 3}));
            }
        }
    }

    void resetToDesignKeepsOnlyTheMargins() {
        SheetModel model;
        model.mergeCells(0, 0, 0, 3);
        model.setCellText(0, 0, u"数学计算能力测试（一）"_s);
        model.setCellFontHeight(0, 0, 30);
        model.setCellWordWrap(0, 0, true);
        model.setCellAlignment(0, 0, 2);
        model.setCellBackColor(0, 0, 0xC0C0C0);
        model.setCellTextColor(5, 2, 0x0000FF);
        model.setRowHeight(0, 80);
        model.setColumnWidth(0, 180);
        model.appendRows(5);
        model.setCellText(25, 3, u"1+2=3"_s);
        model.setGridLineColor(0xC0C0C0);
        model.setFitToPageWidth(false);
        model.setShowPrintDialog(false);
        model.setPrintMargin(1, 240);
        model.setPrintMargin(3, 55);

        model.resetToDesign();

        SheetModel expected;
        expected.setPrintMargin(1, 240);
        expected.setPrintMargin(3, 55);
        QVERIFY(model == expected);
        QCOMPARE(model.rowCount(), 21);
    }

    void appendRows_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rows");
        QTest::newRow("five") << 5 << 26;
        QTest::newRow("one") << 1 << 22;
        QTest::newRow("none") << 0 << 21;
        QTest::newRow("negative") << -3 << 21;
    }
    void appendRows() {
        QFETCH(int, count);
        QFETCH(int, rows);
        SheetModel model;
        model.setRowHeight(20, 33);
        model.setCellText(20, 3, u"9×9=81"_s);
        model.appendRows(count);
        QCOMPARE(model.rowCount(), rows);
        QCOMPARE(model.rowHeight(20), 33);
        QCOMPARE(model.cell(20, 3).text, u"9×9=81"_s);
        for (int row = 21; row < rows; ++row) {
            QCOMPARE(model.rowHeight(row), 50);
            for (int column = 0; column < 4; ++column)
                QVERIFY(model.cell(row, column) == SheetCell{});
        }
        QVERIFY(model.setCellText(rows - 1, 3, u"x"_s));
        QVERIFY(!model.setCellText(rows, 3, u"x"_s));
    }

    void printMargins_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("taken");
        for (int which = 1; which <= 7; ++which)
            QTest::addRow("margin %d", which) << which << true;
        QTest::newRow("0 ignored") << 0 << false;
        QTest::newRow("8 ignored") << 8 << false;
        QTest::newRow("-1 ignored") << -1 << false;
    }
    void printMargins() {
        QFETCH(int, which);
        QFETCH(bool, taken);
        SheetModel model;
        const SheetModel before = model;
        model.setPrintMargin(which, 240);
        QCOMPARE(model.printMargin(which), taken ? 240 : 0);
        for (int other = 1; other <= 7; ++other) {
            if (other != which)
                QCOMPARE(model.printMargin(other), before.printMargin(other));
        }
    }

    void setDesignShowsItAtOnce() {
        SheetModel model;
        model.setCellText(1, 1, u"x"_s);
        SheetDesign design;
        design.rows = 5;
        design.columns = 2;
        design.rowHeight = 30;
        design.columnWidth = 100;
        design.gridLineColor = 0xC0C0C0;
        model.setDesign(design);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.rowHeight(4), 30);
        QCOMPARE(model.columnWidth(1), 100);
        QCOMPARE(model.gridLineColor(), 0xC0C0C0u);
        QCOMPARE(cellsNotNew(model), 0);
        model.appendRows(1);
        QCOMPARE(model.rowHeight(5), 30);
    }
};

QTEST_APPLESS_MAIN(TestSheetModel)
#include "test_sheet_model.moc"
