#include "random_source.h"

#include <QList>
#include <QTest>

#include <limits>

class TestRandomSource : public QObject {
    Q_OBJECT

private slots:
    void firstTenOutputs() {
        RandomSource source;
        QCOMPARE(source.state(), 1u);
        const QList<int> expected = {41,    18467, 6334,  26500, 19169,
                                     15724, 11478, 29358, 26962, 24464};
        for (int value : expected)
            QCOMPARE(source.next(), value);
    }

    void drawOneToHundredFromStart() {
        RandomSource source;
        for (qint32 value : {42, 68, 35, 1, 70})
            QCOMPARE(randomDraw(source, 1, 100), value);
    }

    // The first three draws from a fresh source, and whether each takes a step.
    void drawBounds_data() {
        QTest::addColumn<qint32>("lo");
        QTest::addColumn<qint32>("hi");
        QTest::addColumn<QList<qint32>>("expected");
        QTest::addColumn<bool>("steps");

        constexpr qint32 Max = std::numeric_limits<qint32>::max();
        constexpr qint32 Min = std::numeric_limits<qint32>::min();
        // Outputs 41, 18467, 6334.
        QTest::newRow("5 to 20") << 5 << 20 << QList<qint32>{14, 8, 19} << true;
        QTest::newRow("reversed 20 to 5") << 20 << 5 << QList<qint32>{14, 8, 19} << true;
        QTest::newRow("negative -5 to 10") << -5 << 10 << QList<qint32>{8, 9, 9} << true;
        QTest::newRow("reversed negative 10 to -5") << 10 << -5 << QList<qint32>{8, 9, 9} << true;
        QTest::newRow("equal 7 to 7") << 7 << 7 << QList<qint32>{7, 7, 7} << false;
        QTest::newRow("equal 0 to 0") << 0 << 0 << QList<qint32>{0, 0, 0} << false;
        QTest::newRow("both negative") << -9 << -3 << QList<qint32>{0, 0, 0} << false;
        QTest::newRow("negative to 0") << -5 << 0 << QList<qint32>{0, 0, 0} << false;
        QTest::newRow("0 to 1") << 0 << 1 << QList<qint32>{1, 1, 0} << true;
        QTest::newRow("wide 0 to 100000") << 0 << 100000 << QList<qint32>{41, 18467, 6334} << true;
        QTest::newRow("widest span capped") << 0 << Max << QList<qint32>{41, 18467, 6334} << true;
        QTest::newRow("widest with negative")
            << Min << Max << QList<qint32>{41, 18467, 6334} << true;
        QTest::newRow("top of the range")
            << Max - 10 << Max << QList<qint32>{Max - 2, Max - 1, Max - 1} << true;
        QTest::newRow("equal at the top") << Max << Max << QList<qint32>{Max, Max, Max} << false;
    }

    void drawBounds() {
        QFETCH(qint32, lo);
        QFETCH(qint32, hi);
        QFETCH(QList<qint32>, expected);
        QFETCH(bool, steps);

        RandomSource source;
        RandomSource stepped;
        for (qint32 value : expected) {
            QCOMPARE(randomDraw(source, lo, hi), value);
            if (steps)
                stepped.next();
            QCOMPARE(source.state(), stepped.state());
        }
    }

    void wideRangeNeverAboveOutputs() {
        RandomSource source;
        qint32 largest = 0;
        for (int i = 0; i < 100000; ++i) {
            const qint32 value = randomDraw(source, 0, 100000);
            QVERIFY(value >= 0);
            largest = std::max(largest, value);
        }
        QVERIFY(largest <= 32767);
        QVERIFY(largest >= 32700); // the whole output range is used
    }
};

QTEST_GUILESS_MAIN(TestRandomSource)
#include "test_random_source.moc"
