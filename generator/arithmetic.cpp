#include "arithmetic.h"

#include "number_text.h"
#include "random_source.h"

#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

QString operatorSymbol(Operator op) {
    switch (op) {
    case Operator::Add:
        return u"+"_s;
    case Operator::Subtract:
        return u"-"_s;
    case Operator::Multiply:
        return u"×"_s;
    case Operator::Divide:
        return u"÷"_s;
    }
    return u"+"_s;
}

QString Problem::firstText() const {
    return intToText(a);
}

QString Problem::secondText() const {
    return intToText(b);
}

QString Problem::answerText() const {
    char16_t first[IntTextCapacity];
    char16_t second[IntTextCapacity];
    const qsizetype firstLength = writeIntText(a, first);
    const qsizetype secondLength = writeIntText(b, second);
    const char16_t symbol = operatorSymbol(op).front().unicode();

    QString text(firstLength + 1 + secondLength + 1 + result.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    out = std::copy_n(first, firstLength, out);
    *out++ = symbol;
    out = std::copy_n(second, secondLength, out);
    *out++ = u'=';
    std::copy_n(reinterpret_cast<const char16_t*>(result.constData()), result.size(), out);
    return text;
}

Problem computeAnswer(Operator op, qint32 a, qint32 b) {
    Problem problem;
    problem.op = op;
    if ((op == Operator::Subtract || op == Operator::Divide) && a < b)
        std::swap(a, b);
    problem.a = a;
    problem.b = b;

    // Sums, differences and products are exact in 64 bits for any two 32-bit operands.
    const qint64 x = a;
    const qint64 y = b;
    switch (op) {
    case Operator::Add:
        problem.result = intToText(x + y);
        break;
    case Operator::Subtract:
        problem.result = intToText(x - y);
        break;
    case Operator::Multiply:
        problem.result = intToText(x * y);
        break;
    case Operator::Divide:
        problem.result = realToText(roundQuotient(double(a) / double(b), 2));
        break;
    }
    return problem;
}

Problem drawProblem(Operator op, qint32 smallest, qint32 largest, RandomSource& source) {
    if (op == Operator::Divide) {
        // No division by zero: every bound below 1 is raised to 1. The two draws stay two
        // draws in the same order, so a range whose bounds are both 1 or more gives the
        // same problems as if nothing were raised.
        smallest = std::max(smallest, 1);
        largest = std::max(largest, 1);
    }
    const qint32 a = randomDraw(source, smallest, largest);
    const qint32 b = randomDraw(source, smallest, largest);
    return computeAnswer(op, a, b);
}
