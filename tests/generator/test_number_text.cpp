#include "arithmetic.h"
#include "number_text.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Quotients as both sheets show them: two places, exact halves to the even digit.
    void quotients_data() {
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<QString>("text");

        QTest::newRow("7/2") << 7 << 2 << u"3.5"_s;
        QTest::newRow("100/3") << 100 << 3 << u"33.33"_s;
        QTest::newRow("100/7") << 100 << 7 << u"14.29"_s;
        QTest::newRow("5/3") << 5 << 3 << u"1.67"_s;
        QTest::newRow("10/4") << 10 << 4 << u"2.5"_s;
        QTest::newRow("100/1") << 100 << 1 << u"100"_s;
        QTest::newRow("9/8 half down to even") << 9 << 8 << u"1.12"_s;
        QTest::newRow("11/8 half up to even") << 11 << 8 << u"1.38"_s;
        QTest::newRow("13/8") << 13 << 8 << u"1.62"_s;
        QTest::newRow("15/8") << 15 << 8 << u"1.88"_s;
        QTest::newRow("41/40 needs the nudge") << 41 << 40 << u"1.02"_s;
        QTest::newRow("43/40") << 43 << 40 << u"1.08"_s;
        QTest::newRow("10251/40 just below a half") << 10251 << 40 << u"256.27"_s;
        QTest::newRow("43/28") << 43 << 28 << u"1.54"_s;
        QTest::newRow("5/5") << 5 << 5 << u"1"_s;
        QTest::newRow("32768/1") << 32768 << 1 << u"32768"_s;
        QTest::newRow("largest/1") << std::numeric_limits<qint32>::max() << 1 << u"2147483647"_s;
        QTest::newRow("largest/2") << std::numeric_limits<qint32>::max() << 2 << u"1073741823.5"_s;
    }

    void quotients() {
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(QString, text);
        QCOMPARE(computeAnswer(Operator::Divide, a, b).result, text);
        QCOMPARE(::realToText(roundQuotient(double(a) / double(b), 2)), text);
    }

    void roundQuotientValues() {
        QCOMPARE(roundQuotient(10251.0 / 40.0, 2), 256.27);
        QCOMPARE(roundQuotient(1.025, 2), 1.02);
        QCOMPARE(roundQuotient(1.035, 2), 1.04);
        QCOMPARE(roundQuotient(2.5, 0), 2.0);
        QCOMPARE(roundQuotient(3.5, 0), 4.0);
        QVERIFY(std::isinf(roundQuotient(std::numeric_limits<double>::infinity(), 2)));
    }

    void roundToPlacesValues() {
        // 1.025 - 0.01 is held just below 1.015: only the 10^-12 nudge lifts it to a half.
        QCOMPARE(roundToPlaces(1.025 - 0.01, 2), 1.02);
        QCOMPARE(roundToPlaces(3.14159, 2), 3.14);
        QCOMPARE(roundToPlaces(-3.14159, 2), -3.14);
        QCOMPARE(roundToPlaces(-2.5, 0), -3.0);
        QCOMPARE(roundToPlaces(2.4999, 0), 2.0);
        QCOMPARE(roundToPlaces(0.0, 2), 0.0);
        QCOMPARE(roundToPlaces(1234.5678, 1), 1234.6);
    }

    void floorToIntValues() {
        QCOMPARE(floorToInt(2.5), 2);
        QCOMPARE(floorToInt(3.0), 3);
        QCOMPARE(floorToInt(3.0 - 1e-13), 3); // within 10^-12 of the next whole number
        QCOMPARE(floorToInt(3.0 - 1e-11), 2);
        QCOMPARE(floorToInt(-0.5), -1);
        QCOMPARE(floorToInt(102.49999999999999), 102);
        QCOMPARE(floorToInt(2147483647.0), std::numeric_limits<qint32>::max());
        QCOMPARE(floorToInt(-2147483648.0), std::numeric_limits<qint32>::min());
        QCOMPARE(floorToInt(1e12), std::numeric_limits<qint32>::max());
        QCOMPARE(floorToInt(-1e12), std::numeric_limits<qint32>::min());
        QCOMPARE(floorToInt(std::nan("")), 0);
    }

    void intToText_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << u"0"_s;
        QTest::newRow("1") << qint64(1) << u"1"_s;
        QTest::newRow("100") << qint64(100) << u"100"_s;
        QTest::newRow("-7") << qint64(-7) << u"-7"_s;
        QTest::newRow("beyond 32 bits") << qint64(2500000000) << u"2500000000"_s;
        QTest::newRow("64-bit max")
            << std::numeric_limits<qint64>::max() << u"9223372036854775807"_s;
        QTest::newRow("64-bit min")
            << std::numeric_limits<qint64>::min() << u"-9223372036854775808"_s;
    }

    void intToText() {
        QFETCH(qint64, n);
        QFETCH(QString, text);
        QCOMPARE(::intToText(n), text);
    }

    void realToText_data() {
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("text");
        QTest::newRow("3.5") << 3.5 << u"3.5"_s;
        QTest::newRow("33.33") << 33.33 << u"33.33"_s;
        QTest::newRow("2.80") << 2.80 << u"2.8"_s;
        QTest::newRow("100.00") << 100.00 << u"100"_s;
        QTest::newRow("0") << 0.0 << u"0"_s;
        QTest::newRow("-0") << -0.0 << u"0"_s;
        QTest::newRow("-7") << -7.0 << u"-7"_s;
        QTest::newRow("-0.25") << -0.25 << u"-0.25"_s;
        QTest::newRow("-12.05") << -12.05 << u"-12.05"_s;
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << u"0.3"_s;
        QTest::newRow("1/3") << 1.0 / 3.0 << u"0.3333333333333"_s;
        QTest::newRow("2/3") << 2.0 / 3.0 << u"0.6666666666667"_s;
        QTest::newRow("13 digits") << 1234567890123.0 << u"1234567890123"_s;
        QTest::newRow("15 digits with hundredths") << 123456789012.34 << u"123456789012.3"_s;
        QTest::newRow("14 digits rounded") << 12345678901234.0 << u"12345678901230"_s;
        QTest::newRow("large plain") << 1e15 << u"1000000000000000"_s;
        QTest::newRow("small plain") << 0.00001 << u"0.00001"_s;
        QTest::newRow("-1234.5678") << -1234.5678 << u"-1234.5678"_s;
        QTest::newRow("9.9999999999999") << 9.99999999999999 << u"10"_s;
    }

    void realToText() {
        QFETCH(double, v);
        QFETCH(QString, text);
        QCOMPARE(::realToText(v), text);
    }

    // Every quotient of a small range, and values near them that are not whole
    // hundredths, written as 13 significant digits in plain form would be.
    void realToTextAgreesWithThirteenDigits() {
        for (int a = 1; a <= 400; ++a) {
            for (int b = 1; b <= a; ++b) {
                const double q = roundQuotient(double(a) / double(b), 2);
                for (double v : {q, double(a) / double(b), -q, q * 1.0000001}) {
                    const QString text = ::realToText(v);
                    if (text != QString::number(v, 'g', 13))
                        QFAIL(qPrintable(u"%1 / %2 written %3"_s.arg(a).arg(b).arg(text)));
                }
            }
        }
    }

    void textToInt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("value");
        constexpr qint32 Max = std::numeric_limits<qint32>::max();
        constexpr qint32 Min = std::numeric_limits<qint32>::min();
        QTest::newRow("full-width 100") << u"１００"_s << 100;
        QTest::newRow("+8") << u"+8"_s << 8;
        QTest::newRow("-3") << u"-3"_s << -3;
        QTest::newRow("full-width signs") << u"－３"_s << -3;
        QTest::newRow("full-width plus") << u"＋８"_s << 8;
        QTest::newRow("3.9") << u"3.9"_s << 3;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("spaces") << u"   "_s << 0;
        QTest::newRow("abc") << u"abc"_s << 0;
        QTest::newRow("12abc") << u"12abc"_s << 12;
        QTest::newRow("space 7") << u" 7"_s << 7;
        QTest::newRow("tab and newline") << u"\t\n 42"_s << 42;
        QTest::newRow("ideographic space") << u"\u3000７"_s << 7;
        QTest::newRow("two signs") << u"+-3"_s << 0;
        QTest::newRow("sign then space") << u"- 3"_s << 0;
        QTest::newRow("digits stop at a space") << u"1 2"_s << 1;
        QTest::newRow("other digits are not read") << u"\u0663"_s << 0;
        QTest::newRow("leading zeros") << u"007"_s << 7;
        QTest::newRow("32-bit max") << u"2147483647"_s << Max;
        QTest::newRow("32-bit min") << u"-2147483648"_s << Min;
        QTest::newRow("just too large") << u"2147483648"_s << Max;
        QTest::newRow("just too small") << u"-2147483649"_s << Min;
        QTest::newRow("too large") << u"99999999999"_s << Max;
        QTest::newRow("too small") << u"-99999999999"_s << Min;
        QTest::newRow("far too large") << u"1"_s + QString(40, u'0') << Max;
        QTest::newRow("full-width too large") << u"９９９９９９９９９９９"_s << Max;
    }

    void textToInt() {
        QFETCH(QString, text);
        QFETCH(qint32, value);
        QCOMPARE(::textToInt(text), value);
    }

    void normaliseIntegerText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("abc") << u"abc"_s << QString();
        QTest::newRow("0") << u"0"_s << QString();
        QTest::newRow("minus") << u"-"_s << QString();
        QTest::newRow("-0") << u"-0"_s << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("007") << u"007"_s << u"7"_s;
        QTest::newRow("-007") << u"-007"_s << u"-7"_s;
        QTest::newRow("12-3") << u"12-3"_s << u"12"_s;
        QTest::newRow("+5") << u"+5"_s << u"5"_s;
        QTest::newRow("spaces 42") << u"  42"_s << u"42"_s;
        QTest::newRow("already normal") << u"100"_s << u"100"_s;
        QTest::newRow("too large") << u"99999999999"_s << u"2147483647"_s;
        QTest::newRow("too small") << u"-99999999999"_s << u"-2147483648"_s;
        QTest::newRow("just too large") << u"2147483648"_s << u"2147483647"_s;
        QTest::newRow("beyond 64 bits") << u"9"_s.repeated(50) << u"2147483647"_s;
        QTest::newRow("beyond 64 bits negative")
            << u"-"_s + u"9"_s.repeated(50) << u"-2147483648"_s;
        QTest::newRow("full-width is not read") << u"１２"_s << QString();
    }

    void normaliseIntegerText() {
        QFETCH(QString, text);
        QFETCH(QString, normalised);
        const QString result = ::normaliseIntegerText(text);
        QCOMPARE(result, normalised);
        QCOMPARE(result.isEmpty(), normalised.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
