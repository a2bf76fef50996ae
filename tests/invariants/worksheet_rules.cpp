#include "worksheet_rules.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace rules {

namespace {

constexpr qint64 Int32Max = std::numeric_limits<qint32>::max();
constexpr qint64 Int32Min = std::numeric_limits<qint32>::min();
// The random source yields 0 to 32767, added to the lower bound.
constexpr qint64 LargestStep = 32767;

char16_t asAscii(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width "！" to "～"
        return char16_t(c - 0xFF01 + 0x21);
    if (c == 0x3000) // ideographic space
        return u' ';
    return c;
}

bool isWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// The whole number below v, a v within 10^-12 of the next one counting as it.
double floorWithSlack(double v) {
    const double below = std::floor(v);
    return (below + 1.0) - v < 1e-12 ? below + 1.0 : below;
}

// Half up after adding 10^-12 to v × 100: the hundredths of v, for v > 0.
qint64 hundredthsHalfUp(double v) {
    const double t = v * 100.0 + 1e-12;
    double whole = std::trunc(t);
    if (t - whole >= 0.5)
        whole += 1.0;
    return qint64(whole);
}

// The quotient's hundredths by the written rule: a quotient whose hundredfold
// lies within 10^-7 of a half goes down by one hundredth first when the whole
// part of that hundredfold is even; everything is judged on doubles.
qint64 quotientHundredths(qint64 a, qint64 b) {
    const double q = double(a) / double(b);
    const double y = q * 100.0;
    const double f = floorWithSlack(y);
    const bool onHalf = !(std::fabs((y - f) - 0.5) > 1e-7);
    if (onHalf && std::fmod(f, 2.0) == 0.0)
        return hundredthsHalfUp(q - 0.01);
    return hundredthsHalfUp(q);
}

QString hundredthsText(qint64 hundredths) {
    QString text = QString::number(hundredths / 100);
    const qint64 cents = hundredths % 100;
    if (cents != 0) {
        text += u'.' + QString::number(cents / 10);
        if (cents % 10 != 0)
            text += QString::number(cents % 10);
    }
    return text;
}

// The text as a count of hundredths, when it is a plain non-negative decimal
// with at most two places.
bool hundredthsOf(const QString& text, qint64& hundredths) {
    static const QRegularExpression form(u"^(0|[1-9][0-9]{0,11})(?:\\.([0-9]{1,2}))?$"_s);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    QString cents = m.captured(2);
    while (cents.size() < 2)
        cents += u'0';
    hundredths = m.captured(1).toLongLong() * 100 + cents.toLongLong();
    return true;
}

} // namespace

qint32 readRangeText(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isWhiteSpace(asAscii(text[i].unicode())))
        ++i;
    bool negative = false;
    if (i < text.size()) {
        const char16_t sign = asAscii(text[i].unicode());
        if (sign == u'+' || sign == u'-') {
            negative = sign == u'-';
            ++i;
        }
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = asAscii(text[i].unicode());
        if (c < u'0' || c > u'9')
            break;
        if (value <= Int32Max + 1) // further digits cannot bring it back
            value = value * 10 + (c - u'0');
    }
    if (negative)
        value = -value;
    return qint32(std::clamp(value, Int32Min, Int32Max));
}

QString normalisedBoxText(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isWhiteSpace(text[i].unicode()))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    QString digits;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        if (!digits.isEmpty() || text[i] != u'0')
            digits += text[i];
    if (digits.isEmpty())
        return {};
    if (digits.size() > 10 || digits.toLongLong() > (negative ? -Int32Min : Int32Max))
        return QString::number(negative ? Int32Min : Int32Max);
    return negative ? u'-' + digits : digits;
}

OperandRange operandRange(qint32 smallest, qint32 largest, bool division) {
    const qint64 floor = division ? 1 : 0;
    qint64 lo = std::max<qint64>(smallest, floor);
    qint64 hi = std::max<qint64>(largest, floor);
    if (lo > hi)
        std::swap(lo, hi);
    return {lo, std::min(hi, lo + LargestStep)};
}

bool parseAnswer(const QString& text, AnswerParts& parts) {
    static const QRegularExpression form(
        u"^(0|[1-9][0-9]{0,9})([-+×÷])(0|[1-9][0-9]{0,9})=(.+)$"_s);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    parts.first = m.captured(1);
    parts.op = m.captured(2).front().unicode();
    parts.second = m.captured(3);
    parts.result = m.captured(4);
    parts.a = parts.first.toLongLong();
    parts.b = parts.second.toLongLong();
    return true;
}

QString expectedResult(char16_t op, qint64 a, qint64 b) {
    // Operands fit 32 bits, so every sum, difference and product fits 64.
    switch (op) {
    case u'+':
        return QString::number(a + b);
    case u'-':
        return QString::number(a - b);
    case u'×':
        return QString::number(a * b);
    default:
        return hundredthsText(quotientHundredths(a, b));
    }
}

bool isNearestHundredth(const QString& text, qint64 a, qint64 b) {
    qint64 k = 0;
    if (!hundredthsOf(text, k))
        return false;
    // |100a/b - k| <= 1/2, without leaving integers.
    const qint64 distance = 100 * a - k * b;
    return 2 * std::abs(distance) <= b;
}

QString withBlank(const AnswerParts& parts, Blanked term) {
    const QString marker = QString::fromUtf16(BlankMarker);
    const QString first = term == Blanked::First ? marker : parts.first;
    const QString second = term == Blanked::Second ? marker : parts.second;
    const QString result = term == Blanked::Result ? marker : parts.result;
    return first + QChar(parts.op) + second + u'=' + result;
}

QString answerFault(const QString& answer, const QList<char16_t>& operations, qint32 smallest,
                    qint32 largest, AnswerParts& parts) {
    if (!parseAnswer(answer, parts))
        return u"not of the form a op b = c"_s;
    if (!operations.contains(parts.op))
        return u"operator not allowed by the ticked boxes"_s;
    const bool division = parts.op == u'÷';
    if (division && parts.b == 0)
        return u"division by 0"_s;
    const OperandRange range = operandRange(smallest, largest, division);
    if (parts.a < range.lo || parts.a > range.hi || parts.b < range.lo || parts.b > range.hi)
        return u"operand outside %1 to %2"_s.arg(range.lo).arg(range.hi);
    if ((parts.op == u'-' || division) && parts.a < parts.b)
        return u"smaller first operand"_s;
    const QString expected = expectedResult(parts.op, parts.a, parts.b);
    if (parts.result != expected)
        return u"result should be %1"_s.arg(expected);
    if (division && !isNearestHundredth(parts.result, parts.a, parts.b))
        return u"quotient is not a nearest hundredth"_s;
    return {};
}

QString problemFault(const QString& problem, const AnswerParts& parts,
                     const QList<Blanked>& formats) {
    const QString marker = QString::fromUtf16(BlankMarker);
    if (problem.count(marker) != 1)
        return u"not exactly one blank"_s;
    for (Blanked term : formats)
        if (problem == withBlank(parts, term))
            return {};
    for (Blanked term : {Blanked::Result, Blanked::Second, Blanked::First})
        if (problem == withBlank(parts, term))
            return u"blanks a term the format boxes do not allow"_s;
    return u"not the answer with one term blanked"_s;
}

QString sheetsFault(const SheetView& answers, const SheetView& problems, const RunSettings& run,
                    Tally& tally) {
    // A sheet grows only when its 20 problem rows are not enough.
    const int rows = std::max(21, 1 + (run.count + 3) / 4);
    if (answers.rows != rows || problems.rows != rows)
        return u"sheets have %1 and %2 rows, not %3"_s.arg(answers.rows)
            .arg(problems.rows)
            .arg(rows);
    if (answers.columns != 4 || problems.columns != 4)
        return u"sheets have %1 and %2 columns, not 4"_s.arg(answers.columns).arg(problems.columns);
    const QString title = QString::fromUtf16(SheetTitle);
    if (answers.cell(0, 0) != title || problems.cell(0, 0) != title)
        return u"titles read %1 and %2"_s.arg(answers.cell(0, 0), problems.cell(0, 0));

    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 4; ++column) {
            tally.cells += 2;
            if (row == 0 && column == 0)
                continue;
            const QString where = u"cell (%1,%2)"_s.arg(row).arg(column);
            const QString answer = answers.cell(row, column);
            const QString problem = problems.cell(row, column);
            if (row == 0 || (row - 1) * 4 + column >= run.count) {
                if (!answer.isEmpty() || !problem.isEmpty())
                    return where + u" should be empty, holds "_s + answer + u" / "_s + problem;
                continue;
            }
            ++tally.problems;
            AnswerParts parts;
            QString fault = answerFault(answer, run.operations, run.smallest, run.largest, parts);
            if (!fault.isEmpty())
                return where + u" of the answer sheet, "_s + answer + u": "_s + fault;
            if (parts.op == u'÷' && (200 * parts.a) % (2 * parts.b) == parts.b)
                ++tally.exactHalves;
            fault = problemFault(problem, parts, run.formats);
            if (!fault.isEmpty())
                return where + u" of the problem sheet, "_s + problem + u" for "_s + answer +
                       u": "_s + fault;
        }
    }
    return {};
}

QList<char16_t> allowedOperations(const std::array<bool, 4>& checked) {
    QList<char16_t> allowed;
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (checked[i])
            allowed.append(OperatorSymbols[i]);
    return allowed.isEmpty() ? QList<char16_t>(OperatorSymbols.begin(), OperatorSymbols.end())
                             : allowed;
}

QList<Blanked> allowedFormats(const std::array<bool, 3>& checked) {
    constexpr std::array<Blanked, 3> order{Blanked::Result, Blanked::Second, Blanked::First};
    QList<Blanked> allowed;
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (checked[i])
            allowed.append(order[i]);
    return allowed.isEmpty() ? QList<Blanked>(order.begin(), order.end()) : allowed;
}

} // namespace rules
