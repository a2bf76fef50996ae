#pragma once

// What a correct worksheet looks like, written from the rules a teacher is
// promised and sharing no code with the generator, so a fault there cannot
// hide itself here.

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <functional>

namespace rules {

inline constexpr char16_t BlankMarker[] = u"（   ）";
inline constexpr char16_t SheetTitle[] = u"数学计算能力测试（一）";

// "+", "-", "×", "÷": the operation boxes' order.
inline constexpr std::array<char16_t, 4> OperatorSymbols{u'+', u'-', u'×', u'÷'};

// Which term the blank replaces, in the order of the three format boxes.
enum class Blanked { Result, Second, First };

// Reads a range box's text: full-width forms as their ASCII counterparts, the
// ideographic space as a space, leading white space, one sign, then digits up
// to the first other character; the nearest 32-bit value when it does not fit.
qint32 readRangeText(QStringView text);

// What a range box shows once it has lost the focus: the number its text
// starts with (ASCII white space, one sign, ASCII digits), clamped to 32 bits,
// written without leading zeros, and 0 written as nothing.
QString normalisedBoxText(QStringView text);

// The values a draw can give for one operand: negative bounds count as 0,
// reversed bounds are exchanged, a draw reaches at most 32767 above the lower
// bound, and a division raises every bound below 1 to 1.
struct OperandRange {
    qint64 lo = 0;
    qint64 hi = 0;
};
OperandRange operandRange(qint32 smallest, qint32 largest, bool division);

// "a op b = c" taken apart; the operands as written, without sign or leading zero.
struct AnswerParts {
    QString first;
    char16_t op = 0;
    QString second;
    QString result;
    qint64 a = 0;
    qint64 b = 0;
};
// False when the text is not of that form.
bool parseAnswer(const QString& text, AnswerParts& parts);

// The result as the sheet must write it: sums, differences and products exact
// and in full; quotients rounded to two places by the written rule, judged on
// doubles, halves going to the even digit. b is not 0.
QString expectedResult(char16_t op, qint64 a, qint64 b);

// Whether `text` is the result of a ÷ b to the nearest hundredth in exact
// arithmetic (either neighbour on an exact tie): no rounding rule gives more.
bool isNearestHundredth(const QString& text, qint64 a, qint64 b);

// The answer with one term replaced by the blank marker.
QString withBlank(const AnswerParts& parts, Blanked term);

// Describes the first way the answer text breaks the rules, or gives an empty
// text. `operations` and `range` are what the window's settings allow.
QString answerFault(const QString& answer, const QList<char16_t>& operations, qint32 smallest,
                    qint32 largest, AnswerParts& parts);

// Describes how the problem text fails to be the answer with exactly one of
// the allowed terms blanked, or gives an empty text.
QString problemFault(const QString& problem, const AnswerParts& parts,
                     const QList<Blanked>& formats);

// What a generation run was given: the range as read from the boxes, the
// choices the boxes allow and the count.
struct RunSettings {
    qint32 smallest = 1;
    qint32 largest = 100;
    QList<char16_t> operations;
    QList<Blanked> formats;
    qint32 count = 0;
};

// One sheet as its cells read, (row, column) from 0.
struct SheetView {
    std::function<QString(int, int)> cell;
    int rows = 0;
    int columns = 0;
};

// What the checks looked at, for the report.
struct Tally {
    qint64 cells = 0;
    qint64 problems = 0;
    // Quotients whose exact value lies on a half, where judging on doubles matters.
    qint64 exactHalves = 0;
};

// Describes the first way the two sheets break the rules after a run with
// these settings, or gives an empty text: the title alone in row 0, exactly
// `count` problems four to a row from (1, 0) and nothing else, each answer
// right and within the range, each problem its answer with one allowed term
// blanked, 21 rows unless more are needed.
QString sheetsFault(const SheetView& answers, const SheetView& problems, const RunSettings& run,
                    Tally& tally);

// The checked boxes' choices in the boxes' order; none checked means all.
QList<char16_t> allowedOperations(const std::array<bool, 4>& checked);
QList<Blanked> allowedFormats(const std::array<bool, 3>& checked);

} // namespace rules
