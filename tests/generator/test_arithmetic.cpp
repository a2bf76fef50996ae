#include "arithmetic.h"
#include "random_source.h"

#include <QTest>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// The draws every problem takes before any of its operands is looked at.
Problem drawUnmended(Operator op, qint32 smallest, qint32 largest, RandomSource& source) {
    const qint32 a = randomDraw(source, smallest, largest);
    const qint32 b = randomDraw(source, smallest, largest);
    return computeAnswer(op, a, b);
}

} // namespace

class TestArithmetic : public QObject {
    Q_OBJECT

private slots:
    void operatorSymbols() {
        QCOMPARE(operatorSymbol(Operator::Add), u"+"_s);
        QCOMPARE(operatorSymbol(Operator::Subtract), u"-"_s);
        QCOMPARE(operatorSymbol(Operator::Multiply), u"\u00D7"_s);
        QCOMPARE(operatorSymbol(Operator::Divide), u"\u00F7"_s);
    }

    // Only "-" and "÷" put the larger operand first.
    void computeAnswer_data() {
        QTest::addColumn<Operator>("op");
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<QString>("answer");

        QTest::newRow("3 - 9 exchanged") << Operator::Subtract << 3 << 9 << u"9-3=6"_s;
        QTest::newRow("3 / 9 exchanged") << Operator::Divide << 3 << 9 << u"9÷3=3"_s;
        QTest::newRow("3 + 9 kept") << Operator::Add << 3 << 9 << u"3+9=12"_s;
        QTest::newRow("3 x 9 kept") << Operator::Multiply << 3 << 9 << u"3×9=27"_s;
        QTest::newRow("9 - 3 kept") << Operator::Subtract << 9 << 3 << u"9-3=6"_s;
        QTest::newRow("9 / 3 kept") << Operator::Divide << 9 << 3 << u"9÷3=3"_s;
        QTest::newRow("9 + 3 kept") << Operator::Add << 9 << 3 << u"9+3=12"_s;
        QTest::newRow("5 - 5") << Operator::Subtract << 5 << 5 << u"5-5=0"_s;
        QTest::newRow("5 / 5") << Operator::Divide << 5 << 5 << u"5÷5=1"_s;
        QTest::newRow("5 / 3") << Operator::Divide << 5 << 3 << u"5÷3=1.67"_s;
        QTest::newRow("0 + 0") << Operator::Add << 0 << 0 << u"0+0=0"_s;
        QTest::newRow("0 x 7") << Operator::Multiply << 0 << 7 << u"0×7=0"_s;
        // Exact beyond 32 bits.
        QTest::newRow("50000 x 50000")
            << Operator::Multiply << 50000 << 50000 << u"50000×50000=2500000000"_s;
        QTest::newRow("46340 x 46340 fits")
            << Operator::Multiply << 46340 << 46340 << u"46340×46340=2147395600"_s;
        QTest::newRow("65535 x 65537")
            << Operator::Multiply << 65535 << 65537 << u"65535×65537=4294967295"_s;
        constexpr qint32 Max = std::numeric_limits<qint32>::max();
        QTest::newRow("max + max")
            << Operator::Add << Max << Max << u"2147483647+2147483647=4294967294"_s;
        QTest::newRow("max x max")
            << Operator::Multiply << Max << Max << u"2147483647×2147483647=4611686014132420609"_s;
        QTest::newRow("0 - max") << Operator::Subtract << 0 << Max << u"2147483647-0=2147483647"_s;
    }

    void computeAnswer() {
        QFETCH(Operator, op);
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(QString, answer);
        const Problem problem = ::computeAnswer(op, a, b);
        QCOMPARE(problem.op, op);
        QCOMPARE(problem.answerText(), answer);
        QCOMPARE(problem.firstText() + operatorSymbol(op) + problem.secondText() + u'=' +
                     problem.result,
                 answer);
    }

    // Ranges from 1 upwards: every operator takes its two draws as before.
    void sameDrawsFromOneUpwards_data() {
        QTest::addColumn<qint32>("smallest");
        QTest::addColumn<qint32>("largest");
        constexpr qint32 Max = std::numeric_limits<qint32>::max();
        QTest::newRow("1 to 100") << 1 << 100;
        QTest::newRow("5 to 20") << 5 << 20;
        QTest::newRow("20 to 5") << 20 << 5;
        QTest::newRow("7 to 7") << 7 << 7;
        QTest::newRow("1 to 1") << 1 << 1;
        QTest::newRow("1 to 2") << 1 << 2;
        QTest::newRow("100000 to 2000000") << 100000 << 2000000;
        QTest::newRow("top of the range") << Max - 1000 << Max;
    }

    void sameDrawsFromOneUpwards() {
        QFETCH(qint32, smallest);
        QFETCH(qint32, largest);
        for (Operator op :
             {Operator::Add, Operator::Subtract, Operator::Multiply, Operator::Divide}) {
            RandomSource source;
            RandomSource reference;
            for (int i = 0; i < 300; ++i) {
                const Problem problem = drawProblem(op, smallest, largest, source);
                const Problem expected = drawUnmended(op, smallest, largest, reference);
                QCOMPARE(problem.answerText(), expected.answerText());
                QCOMPARE(source.state(), reference.state());
            }
        }
    }

    // Ranges reaching 0: only "÷" raises its bounds to 1, with the same steps.
    void divisionNeverByZero_data() {
        QTest::addColumn<qint32>("smallest");
        QTest::addColumn<qint32>("largest");
        QTest::newRow("0 to 10") << 0 << 10;
        QTest::newRow("10 to 0") << 10 << 0;
        QTest::newRow("-5 to 10") << -5 << 10;
        QTest::newRow("0 to 100") << 0 << 100;
    }

    void divisionNeverByZero() {
        QFETCH(qint32, smallest);
        QFETCH(qint32, largest);
        RandomSource source;
        RandomSource reference;
        bool sawOne = false;
        bool sawTop = false;
        for (int i = 0; i < 2000; ++i) {
            const Problem problem = drawProblem(Operator::Divide, smallest, largest, source);
            randomDraw(reference, smallest, largest);
            randomDraw(reference, smallest, largest);
            QVERIFY(problem.b >= 1);
            QVERIFY(problem.a >= problem.b);
            QVERIFY(problem.a <= std::max(smallest, largest));
            QCOMPARE(source.state(), reference.state());
            sawOne = sawOne || problem.b == 1;
            sawTop = sawTop || problem.a == std::max(smallest, largest);
        }
        QVERIFY(sawOne);
        QVERIFY(sawTop);
    }

    void otherOperatorsStillMeetZero() {
        for (Operator op : {Operator::Add, Operator::Subtract, Operator::Multiply}) {
            RandomSource source;
            RandomSource reference;
            bool sawZero = false;
            for (int i = 0; i < 200; ++i) {
                const Problem problem = drawProblem(op, 0, 10, source);
                QCOMPARE(problem.answerText(), drawUnmended(op, 0, 10, reference).answerText());
                sawZero = sawZero || problem.a == 0 || problem.b == 0;
            }
            QVERIFY(sawZero);
        }
    }

    void divisionInEmptyRange_data() {
        QTest::addColumn<qint32>("smallest");
        QTest::addColumn<qint32>("largest");
        QTest::newRow("0 to 0") << 0 << 0;
        QTest::newRow("-3 to 0") << -3 << 0;
        QTest::newRow("-5 to -2") << -5 << -2;
    }

    void divisionInEmptyRange() {
        QFETCH(qint32, smallest);
        QFETCH(qint32, largest);
        RandomSource source;
        const Problem problem = drawProblem(Operator::Divide, smallest, largest, source);
        QCOMPARE(problem.answerText(), u"1÷1=1"_s);
        QCOMPARE(source.state(), RandomSource().state()); // no step taken
    }
};

QTEST_GUILESS_MAIN(TestArithmetic)
#include "test_arithmetic.moc"
