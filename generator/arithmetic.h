#pragma once

#include <QString>

class RandomSource;

enum class Operator { Add, Subtract, Multiply, Divide };

// "+", "-", "×", "÷".
QString operatorSymbol(Operator op);

// One problem as both sheets show it: operands after any exchange and the
// result in its final text form.
struct Problem {
    qint32 a = 0;
    Operator op = Operator::Add;
    qint32 b = 0;
    QString result;

    QString firstText() const;
    QString secondText() const;
    // a op b = c, with nothing between the pieces.
    QString answerText() const;
};

// Exchanges the operands of "-" and "÷" so the larger comes first (equal
// operands stay) and computes the result: sums, differences and products exact
// in 64 bits and written in full, quotients by roundQuotient to two places.
Problem computeAnswer(Operator op, qint32 a, qint32 b);

// Draws both operands between the range bounds (a first, then b) and computes
// the answer. For "÷" every bound below 1 counts as 1, so no divisor is 0;
// there are still two draws in the same order, each taking a step unless its
// bounds are equal.
Problem drawProblem(Operator op, qint32 smallest, qint32 largest, RandomSource& source);
