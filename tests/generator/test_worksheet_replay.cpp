#include "arithmetic.h"
#include "choice.h"
#include "random_source.h"

#include <QStringList>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Worksheet {
    QStringList answers;  // in full, as the answer sheet gets them
    QStringList problems; // with one term blanked, as the problem sheet gets them
};

// One generation run over the range 1 to 100: count + 1 problems, the first of
// which no sheet shows, each taking its draws in the order operator, a, b, blank.
Worksheet makeWorksheet(RandomSource& source, const OperationBoxes& operations,
                        const FormatBoxes& formats, int count = 10) {
    Worksheet sheet;
    for (int i = 1; i <= count + 1; ++i) {
        const Operator op = chooseOperatorFrom(operations, source);
        const Problem problem = drawProblem(op, 1, 100, source);
        sheet.answers << problem.answerText();
        sheet.problems << blankedText(problem, chooseBlankFrom(formats, source));
    }
    return sheet;
}

constexpr OperationBoxes OnlyAddition = {true, false, false, false};
constexpr OperationBoxes AllOperations = {true, true, true, true};
constexpr OperationBoxes NoOperation = {false, false, false, false};
constexpr FormatBoxes NoFormat = {false, false, false};
constexpr FormatBoxes ResultOnly = {true, false, false};
constexpr FormatBoxes AllFormats = {true, true, true};

} // namespace

class TestWorksheetReplay : public QObject {
    Q_OBJECT

private slots:
    // The window's starting settings: only addition, no format box.
    void startingSettings() {
        RandomSource source;
        const Worksheet sheet = makeWorksheet(source, OnlyAddition, NoFormat);
        const QStringList answers = {
            u"42+68=110"_s, // not shown
            u"1+70=71"_s,   u"79+59=138"_s, u"65+6=71"_s,   u"82+28=110"_s, u"92+96=188"_s,
            u"28+37=65"_s,  u"5+3=8"_s,     u"93+83=176"_s, u"17+19=36"_s,  u"48+27=75"_s,
        };
        const QStringList problems = {
            u"42+（   ）=110"_s, // not shown; the blank draw takes the output 6334
            u"1+（   ）=71"_s,   u"79+（   ）=138"_s, u"（   ）+6=71"_s, u"82+（   ）=110"_s,
            u"（   ）+96=188"_s, u"28+37=（   ）"_s,  u"5+3=（   ）"_s,  u"93+83=（   ）"_s,
            u"（   ）+19=36"_s,  u"（   ）+27=75"_s,
        };
        QCOMPARE(sheet.answers, answers);
        QCOMPARE(sheet.problems, problems);

        // A second run carries on with the same source.
        const Worksheet second = makeWorksheet(source, OnlyAddition, NoFormat);
        QCOMPARE(second.answers.mid(0, 3),
                 (QStringList{u"39+70=109"_s, u"68+100=168"_s, u"95+4=99"_s}));
    }

    void additionWithResultBlank() {
        RandomSource source;
        const Worksheet sheet = makeWorksheet(source, OnlyAddition, ResultOnly);
        const QStringList answers = {
            u"42+68=110"_s, // not shown
            u"35+1=36"_s,   u"70+25=95"_s,  u"79+59=138"_s, u"63+65=128"_s, u"6+46=52"_s,
            u"82+28=110"_s, u"62+92=154"_s, u"96+43=139"_s, u"28+37=65"_s,  u"92+5=97"_s,
        };
        QCOMPARE(sheet.answers, answers);
        QCOMPARE(sheet.problems.size(), answers.size());
        QCOMPARE(sheet.problems[1], u"35+1=（   ）"_s);
        for (qsizetype i = 0; i < answers.size(); ++i) {
            QString blanked = answers[i];
            blanked.replace(blanked.indexOf(u'=') + 1, blanked.size(), blankMarker());
            QCOMPARE(sheet.problems[i], blanked);
        }
    }

    // No box checked in a group behaves exactly as every box checked.
    void allOperationsAndFormats_data() {
        QTest::addColumn<OperationBoxes>("operations");
        QTest::addColumn<FormatBoxes>("formats");
        QTest::newRow("all checked") << AllOperations << AllFormats;
        QTest::newRow("none checked") << NoOperation << NoFormat;
        QTest::newRow("operations all, formats none") << AllOperations << NoFormat;
        QTest::newRow("operations none, formats all") << NoOperation << AllFormats;
    }

    void allOperationsAndFormats() {
        QFETCH(OperationBoxes, operations);
        QFETCH(FormatBoxes, formats);
        RandomSource source;
        const Worksheet sheet = makeWorksheet(source, operations, formats);
        QCOMPARE(sheet.answers.size(), 11);
        QCOMPARE(sheet.answers.mid(0, 6),
                 (QStringList{u"68-35=33"_s, // not shown
                              u"79-25=54"_s, u"65×6=390"_s, u"62-28=34"_s, u"43÷28=1.54"_s,
                              u"5÷3=1.67"_s}));
        QCOMPARE(sheet.problems.front(), u"68-（   ）=33"_s);
    }
};

QTEST_GUILESS_MAIN(TestWorksheetReplay)
#include "test_worksheet_replay.moc"
