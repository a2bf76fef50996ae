#pragma once

#include "arithmetic.h"

class FormRuntime;
class RandomSource;

// The operator of the next problem, from the operation boxes as they are
// checked at this moment.
Operator chooseOperator(const FormRuntime& runtime, RandomSource& source);

// The problem text: the problem with one term, chosen from the format boxes
// as they are checked at this moment, replaced by the blank marker.
QString placeBlank(const FormRuntime& runtime, RandomSource& source, const Problem& problem);
