#include "choice.h"
#include "random_source.h"

#include <QList>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A source whose next randomDraw(1, n) yields k, and its state after that draw.
struct Prepared {
    RandomSource source;
    quint32 stateAfterDraw = 0;
};

Prepared sourceDrawing(qint32 k, qint32 n) {
    Prepared prepared;
    for (;;) {
        RandomSource probe = prepared.source;
        if (randomDraw(probe, 1, n) == k) {
            prepared.stateAfterDraw = probe.state();
            return prepared;
        }
        prepared.source.next();
    }
}

OperationBoxes operationBoxes(const QString& checked) {
    return {checked.contains(u'+'), checked.contains(u'-'), checked.contains(u'x'),
            checked.contains(u'/')};
}

FormatBoxes formatBoxes(const QString& checked) {
    return {checked.contains(u'1'), checked.contains(u'2'), checked.contains(u'3')};
}

} // namespace

class TestChoice : public QObject {
    Q_OBJECT

private slots:
    // Every combination of the operation boxes (+ 加法, - 减法, x 乘法, / 除法)
    // and the operator each drawn value gives.
    void chooseOperator_data() {
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QList<Operator>>("candidates");
        const Operator Add = Operator::Add;
        const Operator Sub = Operator::Subtract;
        const Operator Mul = Operator::Multiply;
        const Operator Div = Operator::Divide;
        QTest::newRow("none") << u""_s << QList{Add, Sub, Mul, Div};
        QTest::newRow("+") << u"+"_s << QList{Add};
        QTest::newRow("-") << u"-"_s << QList{Sub};
        QTest::newRow("x") << u"x"_s << QList{Mul};
        QTest::newRow("/") << u"/"_s << QList{Div};
        QTest::newRow("+-") << u"+-"_s << QList{Add, Sub};
        QTest::newRow("+x") << u"+x"_s << QList{Add, Mul};
        QTest::newRow("+/") << u"+/"_s << QList{Add, Div};
        QTest::newRow("-x") << u"-x"_s << QList{Sub, Mul};
        QTest::newRow("-/") << u"-/"_s << QList{Sub, Div};
        QTest::newRow("x/") << u"x/"_s << QList{Mul, Div};
        QTest::newRow("+-x") << u"+-x"_s << QList{Add, Sub, Mul};
        QTest::newRow("+-/") << u"+-/"_s << QList{Add, Sub, Div};
        QTest::newRow("+x/") << u"+x/"_s << QList{Add, Mul, Div};
        QTest::newRow("-x/") << u"-x/"_s << QList{Sub, Mul, Div};
        QTest::newRow("all") << u"+-x/"_s << QList{Add, Sub, Mul, Div};
    }

    void chooseOperator() {
        QFETCH(QString, checked);
        QFETCH(QList<Operator>, candidates);
        const OperationBoxes boxes = operationBoxes(checked);
        const auto n = static_cast<qint32>(candidates.size());
        if (n == 1) {
            // Taken without a draw, whatever the source's state.
            for (int skip = 0; skip < 5; ++skip) {
                RandomSource source;
                for (int i = 0; i < skip; ++i)
                    source.next();
                const quint32 before = source.state();
                QCOMPARE(chooseOperatorFrom(boxes, source), candidates.front());
                QCOMPARE(source.state(), before);
            }
            return;
        }
        for (qint32 k = 1; k <= n; ++k) {
            Prepared prepared = sourceDrawing(k, n);
            QCOMPARE(chooseOperatorFrom(boxes, prepared.source), candidates[k - 1]);
            QCOMPARE(prepared.source.state(), prepared.stateAfterDraw);
        }
    }

    void firstOperatorAfterStart() {
        for (const QString& checked : {u""_s, u"+-x/"_s}) {
            RandomSource source;
            QCOMPARE(chooseOperatorFrom(operationBoxes(checked), source), Operator::Subtract);
            QCOMPARE(source.state(), [] {
                RandomSource stepped;
                stepped.next();
                return stepped.state();
            }());
        }
    }

    // Every combination of the format boxes (1 result, 2 second operand, 3 first
    // operand) and the term each drawn value blanks.
    void chooseBlank_data() {
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QList<BlankTerm>>("candidates");
        const BlankTerm C = BlankTerm::Result;
        const BlankTerm B = BlankTerm::Second;
        const BlankTerm A = BlankTerm::First;
        QTest::newRow("none") << u""_s << QList{C, B, A};
        QTest::newRow("1") << u"1"_s << QList{C};
        QTest::newRow("2") << u"2"_s << QList{B};
        QTest::newRow("3") << u"3"_s << QList{A};
        QTest::newRow("12") << u"12"_s << QList{C, B};
        QTest::newRow("13") << u"13"_s << QList{C, A};
        QTest::newRow("23") << u"23"_s << QList{B, A};
        QTest::newRow("123") << u"123"_s << QList{C, B, A};
    }

    void chooseBlank() {
        QFETCH(QString, checked);
        QFETCH(QList<BlankTerm>, candidates);
        const FormatBoxes boxes = formatBoxes(checked);
        const auto n = static_cast<qint32>(candidates.size());
        if (n == 1) {
            for (int skip = 0; skip < 5; ++skip) {
                RandomSource source;
                for (int i = 0; i < skip; ++i)
                    source.next();
                const quint32 before = source.state();
                QCOMPARE(chooseBlankFrom(boxes, source), candidates.front());
                QCOMPARE(source.state(), before);
            }
            return;
        }
        for (qint32 k = 1; k <= n; ++k) {
            Prepared prepared = sourceDrawing(k, n);
            QCOMPARE(chooseBlankFrom(boxes, prepared.source), candidates[k - 1]);
            QCOMPARE(prepared.source.state(), prepared.stateAfterDraw);
        }
    }

    void blankMarkerHasThreeSpaces() {
        QCOMPARE(blankMarker(), u"\uFF08   \uFF09"_s);
        QCOMPARE(blankMarker().size(), 5);
    }

    void blankedText_data() {
        QTest::addColumn<Operator>("op");
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<BlankTerm>("term");
        QTest::addColumn<QString>("text");
        QTest::newRow("7/2 result")
            << Operator::Divide << 7 << 2 << BlankTerm::Result << u"7÷2=（   ）"_s;
        QTest::newRow("7/2 second")
            << Operator::Divide << 7 << 2 << BlankTerm::Second << u"7÷（   ）=3.5"_s;
        QTest::newRow("7/2 first")
            << Operator::Divide << 7 << 2 << BlankTerm::First << u"（   ）÷2=3.5"_s;
        QTest::newRow("exchanged difference")
            << Operator::Subtract << 35 << 68 << BlankTerm::Second << u"68-（   ）=33"_s;
        QTest::newRow("long product") << Operator::Multiply << 50000 << 50000 << BlankTerm::First
                                      << u"（   ）×50000=2500000000"_s;
        QTest::newRow("sum") << Operator::Add << 42 << 68 << BlankTerm::Result
                             << u"42+68=（   ）"_s;
    }

    void blankedText() {
        QFETCH(Operator, op);
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(BlankTerm, term);
        QFETCH(QString, text);
        QCOMPARE(::blankedText(computeAnswer(op, a, b), term), text);
    }
};

QTEST_GUILESS_MAIN(TestChoice)
#include "test_choice.moc"
