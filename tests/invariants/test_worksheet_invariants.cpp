// Thousands of worksheets made through the real main window, offscreen, each
// cell of both sheets checked against the rules of a correct worksheet:
// random range texts of every awkward kind, every combination of the
// operation and format boxes, every count and none.
#include "program_fixture.h"
#include "worksheet_rules.h"

#include <QAbstractButton>
#include <QProcessEnvironment>
#include <random>

using namespace mainwindow;
using namespace Qt::StringLiterals;

namespace {

constexpr std::array<quint32, 4> OperationBoxes{选择框_加法, 选择框_减法, 选择框_乘法, 选择框_除法};
constexpr std::array<quint32, 3> FormatBoxes{选择框_算法1, 选择框_算法2, 选择框_算法3};
constexpr std::array<quint32, 4> CountButtons{单选框_10道, 单选框_50道, 单选框_70道, 单选框_100道};
constexpr std::array<qint32, 5> Counts{10, 50, 70, 100, 0};
constexpr int Combinations = 16 * 8 * int(Counts.size());

quint32 environmentNumber(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

struct Settings {
    QString smallest;
    QString largest;
    std::array<bool, 4> operations{};
    std::array<bool, 3> formats{};
    qint32 count = 10;

    QString describe() const {
        QString boxes;
        for (bool on : operations)
            boxes += on ? u'1' : u'0';
        boxes += u'/';
        for (bool on : formats)
            boxes += on ? u'1' : u'0';
        return u"range \"%1\" to \"%2\", boxes %3, count %4"_s.arg(smallest, largest, boxes)
            .arg(count);
    }
};

QString fullWidth(const QString& ascii) {
    QString out;
    for (QChar c : ascii)
        out += c.unicode() >= 0x21 && c.unicode() <= 0x7E ? QChar(c.unicode() + 0xFEE0) : c;
    return out;
}

// Range texts of every kind a teacher could leave in a box: empty, zero,
// negative, ordinary, beyond the draws' reach, beyond 32 bits, full-width,
// and with junk before or after the number.
class RangeTexts {
public:
    explicit RangeTexts(std::mt19937& random) : m_random(random) {}

    QString next() {
        switch (pick(0, 9)) {
        case 0:
            return {};
        case 1:
            return u"0"_s;
        case 2:
            return oneOf({u"-"_s + number(1, 1000), u"-2147483648"_s, u"-99999999999"_s, u"-0"_s});
        case 3:
        case 4:
            return number(1, 120);
        case 5:
            return number(1, 100000);
        case 6:
            return oneOf({u"2147483647"_s, u"99999999999"_s, u"4294967296"_s,
                          number(2147450000, 2147483647), number(1000000000, 2147483647)});
        case 7:
            return oneOf({fullWidth(number(1, 500)), fullWidth(u"-"_s + number(1, 50)),
                          fullWidth(u"+"_s + number(1, 50)), u"１２"_s,
                          u"\u3000"_s + fullWidth(number(1, 99))});
        default:
            return oneOf({number(1, 200) + u"abc"_s, u" "_s + number(1, 200),
                          u"\t"_s + number(1, 200), u"+"_s + number(1, 200),
                          number(1, 200) + u".9"_s, u"12abc"_s, u"abc"_s, u"   "_s, u"0007"_s,
                          number(1, 99) + u"-3"_s, u"--5"_s, fullWidth(number(1, 99)) + u"ab"_s,
                          u"１２"_s + number(0, 9)});
        }
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    QString number(qint64 lo, qint64 hi) {
        return QString::number(std::uniform_int_distribution<qint64>(lo, hi)(m_random));
    }
    QString oneOf(std::initializer_list<QString> texts) {
        return *(texts.begin() + pick(0, int(texts.size()) - 1));
    }

    std::mt19937& m_random;
};

rules::SheetView viewOf(const AdvancedGrid* sheet) {
    return {[sheet](int row, int column) { return sheet->cellText(row, column); },
            sheet->rowCount(), sheet->columnCount()};
}

} // namespace

class TestWorksheetInvariants : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCellOfEveryWorksheet();

private:
    void apply(const Settings& s);
    // Describes the first broken rule of the worksheet on show, or gives an
    // empty text.
    QString worksheetFault(const Settings& s);

    ProgramFixture* m_f = nullptr;
    rules::Tally m_tally;
};

void TestWorksheetInvariants::apply(const Settings& s) {
    FormRuntime& rt = m_f->runtime();
    rt.setProperty(window, 编辑框_最小整数, property::content, wholeValue, s.smallest);
    rt.setProperty(window, 编辑框_最大整数, property::content, wholeValue, s.largest);
    for (std::size_t i = 0; i < OperationBoxes.size(); ++i)
        rt.setProperty(window, OperationBoxes[i], property::isChecked, wholeValue, s.operations[i]);
    for (std::size_t i = 0; i < FormatBoxes.size(); ++i)
        rt.setProperty(window, FormatBoxes[i], property::isChecked, wholeValue, s.formats[i]);
    for (std::size_t i = 0; i < CountButtons.size(); ++i)
        rt.setProperty(window, CountButtons[i], property::isChecked, wholeValue,
                       s.count == Counts[i]);
}

QString TestWorksheetInvariants::worksheetFault(const Settings& s) {
    FormRuntime& rt = m_f->runtime();
    const bool defaults = s.smallest.isEmpty() || s.largest.isEmpty();
    const QString smallestText = defaults ? u"1"_s : s.smallest;
    const QString largestText = defaults ? u"100"_s : s.largest;
    if (textOf(rt.getProperty(window, 编辑框_最小整数, property::content)) != smallestText ||
        textOf(rt.getProperty(window, 编辑框_最大整数, property::content)) != largestText)
        return u"range boxes should read \"%1\" and \"%2\""_s.arg(smallestText, largestText);
    const QString label = textOf(rt.getProperty(window, 透明标签_总体数字, property::labelText));
    if (label != u"当前总计生成：%1道题"_s.arg(s.count))
        return u"label reads %1"_s.arg(label);

    rules::RunSettings run;
    run.smallest = rules::readRangeText(smallestText);
    run.largest = rules::readRangeText(largestText);
    run.operations = rules::allowedOperations(s.operations);
    run.formats = rules::allowedFormats(s.formats);
    run.count = s.count;
    return rules::sheetsFault(viewOf(m_f->answerSheet()), viewOf(m_f->problemSheet()), run,
                              m_tally);
}

void TestWorksheetInvariants::everyCellOfEveryWorksheet() {
    const quint32 seed = environmentNumber("NUMVALE_INVARIANT_SEED", 20240607);
    const int rounds = int(environmentNumber("NUMVALE_INVARIANT_ROUNDS", 32));
    std::mt19937 random(seed);
    RangeTexts ranges(random);
    ProgramFixture fixture;
    m_f = &fixture;
    auto* generate = fixture.child<QAbstractButton>(u"按钮1"_s);
    QVERIFY(generate);

    int worksheets = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int combination = 0; combination < Combinations; ++combination) {
            Settings s;
            for (std::size_t i = 0; i < s.operations.size(); ++i)
                s.operations[i] = combination & (1 << i);
            for (std::size_t i = 0; i < s.formats.size(); ++i)
                s.formats[i] = (combination >> 4) & (1 << i);
            s.count = Counts[std::size_t(combination / 128)];
            s.smallest = ranges.next();
            // One worksheet in eight has equal bounds.
            s.largest = random() % 8 == 0 ? s.smallest : ranges.next();

            apply(s);
            generate->click();
            ++worksheets;
            const QString fault = worksheetFault(s);
            if (!fault.isEmpty())
                QFAIL(qPrintable(u"worksheet %1 (seed %2; %3): %4"_s.arg(worksheets)
                                     .arg(seed)
                                     .arg(s.describe(), fault)));
        }
    }
    qInfo("%d worksheets, %lld cells, %lld problems (%lld quotients on an exact half) checked "
          "(seed %u)",
          worksheets, m_tally.cells, m_tally.problems, m_tally.exactHalves, seed);
}

QTEST_MAIN(TestWorksheetInvariants)
#include "test_worksheet_invariants.moc"
