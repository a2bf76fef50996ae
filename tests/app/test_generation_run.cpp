// Pressing "生成试卷" on the real main window, offscreen: what both sheets
// and the running total show afterwards, cell by cell.
#include "program_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

using namespace mainwindow;
using namespace Qt::StringLiterals;

namespace {

struct Settings {
    QString smallest;
    QString largest;
    quint32 count = 单选框_10道;
    QList<quint32> checked{选择框_加法};
};

const QList<quint32> allBoxes{选择框_加法,  选择框_减法,  选择框_乘法, 选择框_除法,
                              选择框_算法1, 选择框_算法2, 选择框_算法3};

void apply(ProgramFixture& f, const Settings& s) {
    FormRuntime& rt = f.runtime();
    rt.setProperty(window, 编辑框_最小整数, property::content, wholeValue, s.smallest);
    rt.setProperty(window, 编辑框_最大整数, property::content, wholeValue, s.largest);
    for (quint32 box : allBoxes)
        rt.setProperty(window, box, property::isChecked, wholeValue, s.checked.contains(box));
    if (s.count)
        rt.setProperty(window, s.count, property::isChecked, wholeValue, 1);
    else
        for (quint32 b : {单选框_10道, 单选框_50道, 单选框_70道, 单选框_100道})
            rt.setProperty(window, b, property::isChecked, wholeValue, 0);
}

// A press that leaves the focus where it is, as a screen reader's press
// action does, so the boxes hold exactly what the test wrote.
void generate(ProgramFixture& f) {
    f.child<QAbstractButton>(u"按钮1"_s)->click();
}

// The problems of a sheet in writing order, from row 1 on.
QStringList problems(const AdvancedGrid* sheet) {
    QStringList out;
    for (int r = 1; r < sheet->rowCount(); ++r)
        for (int c = 0; c < 4; ++c)
            if (!sheet->cellText(r, c).isEmpty())
                out.append(sheet->cellText(r, c));
    return out;
}

QString label(ProgramFixture& f) {
    return textOf(f.runtime().getProperty(window, 透明标签_总体数字, property::labelText));
}

QString box(ProgramFixture& f, quint32 number) {
    return textOf(f.runtime().getProperty(window, number, property::content));
}

const QString blank = u"（   ）"_s;

} // namespace

class TestGenerationRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstWorksheetsAfterStart_data();
    void firstWorksheetsAfterStart();
    void secondClickContinuesTheSequence();
    void noCountSelected();
    void rangeDefaults();
    void rangeReadings_data();
    void rangeReadings();
    void equalBoundsGiveOnlyThatNumber();
    void divisionNeverMeetsZero();
    void hundredProblemsAllAppearAndLeaveNothingBehind();
    void sheetsAfterStartAndAfterARun();
    void typedValueIsNormalisedBeforeTheRunReadsIt();
};

void TestGenerationRun::firstWorksheetsAfterStart_data() {
    QTest::addColumn<QList<quint32>>("checked");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("blanked");

    QTest::newRow("starting settings")
        << QList<quint32>{选择框_加法}
        << QStringList{u"1+70=71"_s,   u"79+59=138"_s, u"65+6=71"_s, u"82+28=110"_s,
                       u"92+96=188"_s, u"28+37=65"_s,  u"5+3=8"_s,   u"93+83=176"_s,
                       u"17+19=36"_s,  u"48+27=75"_s}
        << QStringList{u"1+"_s + blank + u"=71"_s, u"79+"_s + blank + u"=138"_s,
                       blank + u"+6=71"_s,         u"82+"_s + blank + u"=110"_s,
                       blank + u"+96=188"_s,       u"28+37="_s + blank,
                       u"5+3="_s + blank,          u"93+83="_s + blank,
                       blank + u"+19=36"_s,        blank + u"+27=75"_s};
    QStringList resultBlank{u"35+1=36"_s,  u"70+25=95"_s,  u"79+59=138"_s, u"63+65=128"_s,
                            u"6+46=52"_s,  u"82+28=110"_s, u"62+92=154"_s, u"96+43=139"_s,
                            u"28+37=65"_s, u"92+5=97"_s};
    QStringList resultBlanked;
    for (const QString& p : resultBlank)
        resultBlanked.append(p.left(p.indexOf(u'=') + 1) + blank);
    QTest::newRow("addition, result blank")
        << QList<quint32>{选择框_加法, 选择框_算法1} << resultBlank << resultBlanked;
}

void TestGenerationRun::firstWorksheetsAfterStart() {
    QFETCH(QList<quint32>, checked);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, blanked);
    ProgramFixture f;
    apply(f, {{}, {}, 单选框_10道, checked});
    generate(f);
    QCOMPARE(box(f, 编辑框_最小整数), u"1"_s);
    QCOMPARE(box(f, 编辑框_最大整数), u"100"_s);
    QCOMPARE(problems(f.answerSheet()), answers);
    QCOMPARE(problems(f.problemSheet()), blanked);
    QCOMPARE(label(f), u"当前总计生成：10道题"_s);
    // Ten problems fill rows 1 and 2 and half of row 3.
    QCOMPARE(f.answerSheet()->cellText(3, 1), answers.last());
    QCOMPARE(f.answerSheet()->cellText(3, 2), QString());
}

void TestGenerationRun::secondClickContinuesTheSequence() {
    ProgramFixture f;
    generate(f);
    generate(f);
    const QStringList second = problems(f.answerSheet());
    QCOMPARE(second.mid(0, 2), (QStringList{u"68+100=168"_s, u"95+4=99"_s}));
    QCOMPARE(second.size(), 10);

    // Every operation and format, checked or all unchecked, draws alike.
    for (const QList<quint32>& checked : {allBoxes, QList<quint32>{}}) {
        ProgramFixture g;
        apply(g, {u"1"_s, u"100"_s, 单选框_10道, checked});
        generate(g);
        QCOMPARE(problems(g.answerSheet()).mid(0, 5),
                 (QStringList{u"79-25=54"_s, u"65×6=390"_s, u"62-28=34"_s, u"43÷28=1.54"_s,
                              u"5÷3=1.67"_s}));
    }
}

void TestGenerationRun::noCountSelected() {
    ProgramFixture f;
    apply(f, {{}, {}, 0, {选择框_加法}});
    generate(f);
    QVERIFY(problems(f.answerSheet()).isEmpty());
    QVERIFY(problems(f.problemSheet()).isEmpty());
    QCOMPARE(f.answerSheet()->cellText(0, 0), u"数学计算能力测试（一）"_s);
    QCOMPARE(label(f), u"当前总计生成：0道题"_s);
}

void TestGenerationRun::rangeDefaults() {
    ProgramFixture f;
    apply(f, {{}, u"50"_s});
    generate(f);
    QCOMPARE(box(f, 编辑框_最小整数), u"1"_s);
    QCOMPARE(box(f, 编辑框_最大整数), u"100"_s);
    QCOMPARE(problems(f.answerSheet()).first(), u"1+70=71"_s);
}

void TestGenerationRun::rangeReadings_data() {
    QTest::addColumn<QString>("smallest");
    QTest::addColumn<QString>("largest");
    QTest::addColumn<QString>("sameAsSmallest");
    QTest::addColumn<QString>("sameAsLargest");
    QTest::newRow("reversed") << u"20"_s << u"5"_s << u"5"_s << u"20"_s;
    QTest::newRow("negative") << u"-5"_s << u"10"_s << u"0"_s << u"10"_s;
    QTest::newRow("full-width") << u"１"_s << u"３０"_s << u"1"_s << u"30"_s;
    QTest::newRow("beyond 32 bits")
        << u"99999999999"_s << u"2147483600"_s << u"2147483647"_s << u"2147483600"_s;
}

void TestGenerationRun::rangeReadings() {
    QFETCH(QString, smallest);
    QFETCH(QString, largest);
    QFETCH(QString, sameAsSmallest);
    QFETCH(QString, sameAsLargest);
    const QList<quint32> everything = allBoxes;
    ProgramFixture f;
    apply(f, {smallest, largest, 单选框_50道, everything});
    generate(f);
    ProgramFixture g;
    apply(g, {sameAsSmallest, sameAsLargest, 单选框_50道, everything});
    generate(g);
    QCOMPARE(problems(f.answerSheet()), problems(g.answerSheet()));
    QCOMPARE(problems(f.problemSheet()), problems(g.problemSheet()));
    QCOMPARE(problems(f.answerSheet()).size(), 50);
}

void TestGenerationRun::equalBoundsGiveOnlyThatNumber() {
    ProgramFixture f;
    apply(f, {u"7"_s, u"7"_s, 单选框_10道, {选择框_加法}});
    generate(f);
    // Operands between equal bounds take no draw: only the eleven blank
    // draws (no format box ticked means all three) move the source.
    RandomSource expected;
    for (int i = 0; i < 11; ++i)
        expected.next();
    QCOMPARE(f.program().randomSource().state(), expected.state());
    const QStringList answers = problems(f.answerSheet());
    QCOMPARE(answers, QStringList(10, u"7+7=14"_s));
}

void TestGenerationRun::divisionNeverMeetsZero() {
    ProgramFixture f;
    apply(f, {u"0"_s, u"3"_s, 单选框_100道, {选择框_除法}});
    generate(f);
    const QStringList answers = problems(f.answerSheet());
    QCOMPARE(answers.size(), 100);
    for (const QString& p : answers) {
        QVERIFY2(!p.contains(u"÷0"_s) && !p.startsWith(u'0'), qPrintable(p));
        QVERIFY2(!p.contains(u"inf"_s, Qt::CaseInsensitive) &&
                     !p.contains(u"nan"_s, Qt::CaseInsensitive),
                 qPrintable(p));
    }
}

void TestGenerationRun::hundredProblemsAllAppearAndLeaveNothingBehind() {
    ProgramFixture f;
    apply(f, {{}, {}, 单选框_100道, allBoxes});
    generate(f);
    for (AdvancedGrid* sheet : {f.answerSheet(), f.problemSheet()}) {
        QCOMPARE(problems(sheet).size(), 100);
        QCOMPARE(sheet->rowCount(), 26); // four to a row down to row 25
        QVERIFY(!sheet->cellText(25, 3).isEmpty());
        QCOMPARE(sheet->model().rowHeight(25), 50);
    }
    QCOMPARE(label(f), u"当前总计生成：100道题"_s);
    // The same cell holds the same problem on both sheets.
    const QStringList answers = problems(f.answerSheet());
    const QStringList blanked = problems(f.problemSheet());
    for (int i = 0; i < 100; ++i)
        QVERIFY2(blanked[i].count(blank) == 1, qPrintable(blanked[i]));

    apply(f, {{}, {}, 单选框_10道, {选择框_加法}});
    generate(f);
    for (AdvancedGrid* sheet : {f.answerSheet(), f.problemSheet()}) {
        QCOMPARE(problems(sheet).size(), 10);
        QCOMPARE(sheet->rowCount(), 21);
        QCOMPARE(sheet->model().cell(3, 2).fontHeight, 0); // no attribute left behind
    }
    QCOMPARE(label(f), u"当前总计生成：10道题"_s);
}

void TestGenerationRun::sheetsAfterStartAndAfterARun() {
    ProgramFixture f;
    for (int run = 0; run < 2; ++run) {
        for (AdvancedGrid* sheet : {f.answerSheet(), f.problemSheet()}) {
            const SheetModel& m = sheet->model();
            QCOMPARE(m.cell(0, 0).text, u"数学计算能力测试（一）"_s);
            QCOMPARE(m.cell(0, 0).fontHeight, 30);
            QVERIFY(m.cell(0, 0).wordWrap);
            QCOMPARE(m.cell(0, 0).alignment, CellAlignment::Centre);
            QCOMPARE(m.cell(0, 0).backColor, std::optional<quint32>(0xC0C0C0));
            QVERIFY(m.spanAt(0, 3));
            QCOMPARE(*m.spanAt(0, 3), (CellSpan{0, 0, 1, 4}));
            QCOMPARE(m.rowHeight(0), 80);
            QCOMPARE(m.rowHeight(1), 50);
            QCOMPARE(m.rowCount(), 21);
            QCOMPARE(sheet->gridLineColor(), 0xC0C0C0u);
            const int firstWidth = run == 0 ? 180 : 170;
            const int otherWidth = run == 0 ? 165 : 170;
            QCOMPARE(m.columnWidth(0), firstWidth);
            for (int c = 1; c < 4; ++c)
                QCOMPARE(m.columnWidth(c), otherWidth);
            if (run == 1) {
                QCOMPARE(m.cell(1, 0).fontHeight, 26);
                QCOMPARE(m.cell(1, 0).alignment, CellAlignment::Left);
                QVERIFY(!m.cell(1, 0).wordWrap);
            }
        }
        generate(f);
    }
}

void TestGenerationRun::typedValueIsNormalisedBeforeTheRunReadsIt() {
    ProgramFixture f;
    f.window()->activateWindow();
    auto* smallest = f.child<QLineEdit>(u"编辑框_最小整数"_s);
    auto* largest = f.child<QLineEdit>(u"编辑框_最大整数"_s);
    largest->setFocus();
    QTest::keyClicks(largest, u"0030"_s);
    smallest->setFocus();
    QTest::keyClicks(smallest, u"-0"_s); // empty once left: the defaults apply
    auto* button = f.child<QAbstractButton>(u"按钮1"_s);
    button->setFocusPolicy(Qt::StrongFocus);
    QTest::mousePress(button, Qt::LeftButton);
    button->setFocus(Qt::MouseFocusReason);
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(box(f, 编辑框_最小整数), u"1"_s);
    QCOMPARE(box(f, 编辑框_最大整数), u"100"_s);
}

QTEST_MAIN(TestGenerationRun)
#include "test_generation_run.moc"
