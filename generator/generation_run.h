#pragma once

class FormRuntime;
class RandomSource;

// One press of "生成试卷": fresh sheets, the settings read from the main
// window, then count + 1 problems written to both sheets (the first of them
// lands outside the sheets), with the running total on the label.
void runGeneration(FormRuntime& runtime, RandomSource& source);
