#include "settings_choices.h"

#include "choice.h"
#include "form_runtime.h"
#include "main_window_ids.h"

static bool isChecked(const FormRuntime& runtime, quint32 box) {
    return integerOf(runtime.getProperty(mainwindow::window, box, property::isChecked)) == 1;
}

Operator chooseOperator(const FormRuntime& runtime, RandomSource& source) {
    using namespace mainwindow;
    const OperationBoxes checked{isChecked(runtime, 选择框_加法), isChecked(runtime, 选择框_减法),
                                 isChecked(runtime, 选择框_乘法), isChecked(runtime, 选择框_除法)};
    return chooseOperatorFrom(checked, source);
}

QString placeBlank(const FormRuntime& runtime, RandomSource& source, const Problem& problem) {
    using namespace mainwindow;
    const FormatBoxes checked{isChecked(runtime, 选择框_算法1), isChecked(runtime, 选择框_算法2),
                              isChecked(runtime, 选择框_算法3)};
    return blankedText(problem, chooseBlankFrom(checked, source));
}
