#pragma once

#include "arithmetic.h"

#include <QString>
#include <array>

class RandomSource;

// Check states of 加法, 减法, 乘法, 除法, in this order.
using OperationBoxes = std::array<bool, 4>;
// Check states of 算法1 (result blank), 算法2 (second operand), 算法3 (first operand).
using FormatBoxes = std::array<bool, 3>;

enum class BlankTerm { Result, Second, First };

// The candidates are the checked boxes in their fixed order, every box when
// none is checked; one candidate is taken without a draw.
Operator chooseOperatorFrom(const OperationBoxes& checked, RandomSource& source);
BlankTerm chooseBlankFrom(const FormatBoxes& checked, RandomSource& source);

// "（   ）": full-width parentheses around three ASCII spaces.
QString blankMarker();
QString blankedText(const Problem& problem, BlankTerm term);
