#include "cell_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QFont gridFont() {
    return sheetFont(QGuiApplication::font());
}

} // namespace

class TestCellFont : public QObject {
    Q_OBJECT

private slots:
    void lineHeightIsTheCellHeight_data() {
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<bool>("exact");
        // The heights the sheets use are met exactly; between some heights a
        // pixel size step jumps two pixels, so elsewhere the rule is "the
        // largest size not above".
        QTest::newRow("problem cells") << 26 << true;
        QTest::newRow("title") << 30 << true;
        QTest::newRow("small") << 12 << false;
        QTest::newRow("23") << 23 << false;
        QTest::newRow("large") << 80 << false;
    }
    void lineHeightIsTheCellHeight() {
        QFETCH(int, cellHeight);
        QFETCH(bool, exact);
        const QFont font = fontForCellHeight(gridFont(), cellHeight);
        const int lineHeight = QFontMetrics(font).height();
        QVERIFY2(lineHeight <= cellHeight, qPrintable(QString::number(lineHeight)));
        if (exact)
            QCOMPARE(lineHeight, cellHeight);
        QFont larger = font;
        larger.setPixelSize(font.pixelSize() + 1);
        QVERIFY(QFontMetrics(larger).height() > cellHeight);
    }

    void faceIsKept() {
        const QFont base = gridFont();
        const QFont font = fontForCellHeight(base, 26);
        QCOMPARE(QFontInfo(font).family(), QFontInfo(base).family());
        QCOMPARE(font.weight(), base.weight());
        QCOMPARE(font.italic(), base.italic());
    }

    void heightZeroKeepsTheGridFont() {
        const CellFontCache fonts(gridFont());
        QCOMPARE(fonts.font(0), gridFont());
    }

    // A cell keeps a few pixels of padding and its grid line; the rest must
    // hold the widest problem forms at the problem font height.
    void problemTextsFitTheirColumn_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("blank first") << u"（   ）+96=188"_s;
        QTest::newRow("quotient") << u"43÷28=1.54"_s;
        QTest::newRow("blank result") << u"93×87=（   ）"_s;
    }
    void problemTextsFitTheirColumn() {
        QFETCH(QString, text);
        const QFontMetrics metrics(fontForCellHeight(gridFont(), 26));
        QVERIFY2(metrics.horizontalAdvance(text) <= 170 - 8,
                 qPrintable(QString::number(metrics.horizontalAdvance(text))));
    }
};

QTEST_MAIN(TestCellFont)
#include "test_cell_font.moc"
