// The whole generation run with 100 problems, from the click on 生成试卷 to
// the last cell written, on the real main window offscreen.
#include "main_window_ids.h"
#include "program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    configureFloatingPoint();
    Program program;
    if (!program.start())
        return 1;
    FormRuntime& runtime = program.runtime();
    using namespace mainwindow;
    // Every operation and format, so every draw of a problem is taken.
    runtime.setProperty(window, 单选框_100道, property::isChecked, wholeValue, 1);
    for (quint32 box : {选择框_加法, 选择框_减法, 选择框_乘法, 选择框_除法, 选择框_算法1,
                        选择框_算法2, 选择框_算法3})
        runtime.setProperty(window, box, property::isChecked, wholeValue, 1);
    auto* button = runtime.control<QAbstractButton>(window, 按钮1);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    std::vector<double> micros;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        button->click();
        micros.push_back(timer.nsecsElapsed() / 1000.0);
        QApplication::processEvents(); // the repaint a teacher would see, outside the timing
    }
    std::sort(micros.begin(), micros.end());
    std::printf("generation run, 100 problems on both sheets, %d runs offscreen:\n", runs);
    std::printf("  median %.3f ms, fastest %.3f ms, 90th percentile %.3f ms (goal: under 4 ms)\n",
                micros[micros.size() / 2] / 1000.0, micros.front() / 1000.0,
                micros[micros.size() * 9 / 10] / 1000.0);
    return 0;
}
