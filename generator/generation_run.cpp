#include "generation_run.h"

#include "advanced_grid.h"
#include "form_runtime.h"
#include "main_window_ids.h"
#include "number_text.h"
#include "random_source.h"
#include "settings_choices.h"
#include "sheet_setup.h"
#include "sheet_writer.h"

#include <array>
#include <utility>

using namespace mainwindow;

static QString boxText(const FormRuntime& runtime, quint32 box) {
    return textOf(runtime.getProperty(window, box, property::content));
}

static qint32 chosenCount(const FormRuntime& runtime) {
    static constexpr std::array<std::pair<quint32, qint32>, 4> counts{
        {{单选框_10道, 10}, {单选框_50道, 50}, {单选框_70道, 70}, {单选框_100道, 100}}};
    for (const auto& [button, count] : counts)
        if (integerOf(runtime.getProperty(window, button, property::isChecked)) == 1)
            return count;
    return 0;
}

void runGeneration(FormRuntime& runtime, RandomSource& source) {
    setUpSheets(runtime);
    SheetCursor answerCursor;
    SheetCursor problemCursor;

    // Either box empty (a text of spaces is not empty): both get the default range.
    if (boxText(runtime, 编辑框_最小整数).isEmpty() ||
        boxText(runtime, 编辑框_最大整数).isEmpty()) {
        runtime.setProperty(window, 编辑框_最小整数, property::content, wholeValue, intToText(1));
        runtime.setProperty(window, 编辑框_最大整数, property::content, wholeValue, intToText(100));
    }
    const qint32 smallest = textToInt(boxText(runtime, 编辑框_最小整数));
    const qint32 largest = textToInt(boxText(runtime, 编辑框_最大整数));
    const qint32 count = chosenCount(runtime);

    AdvancedGrid* answerSheet = runtime.control<AdvancedGrid>(window, 高级表格1);
    AdvancedGrid* problemSheet = runtime.control<AdvancedGrid>(window, 高级表格2);
    if (!answerSheet || !problemSheet)
        return;

    for (qint32 i = 1; i <= count + 1; ++i) {
        runtime.setProperty(window, 透明标签_总体数字, property::labelText, wholeValue,
                            QStringLiteral("当前总计生成：%1道题").arg(realToText(i - 1)));
        const Operator op = chooseOperator(runtime, source);
        const Problem problem = drawProblem(op, smallest, largest, source);
        placeProblem(*answerSheet, answerCursor, problem.answerText());
        placeProblem(*problemSheet, problemCursor, placeBlank(runtime, source, problem));
    }
}
