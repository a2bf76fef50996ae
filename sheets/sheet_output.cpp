#include "sheet_output.h"

#include "advanced_grid.h"
#include "form_runtime.h"
#include "main_window_ids.h"

using namespace mainwindow;

// Every output uses the sheet's own size and the same side margins, whatever
// was set before: left 24.0 mm, right 1.0 mm.
static AdvancedGrid* preparedSheet(FormRuntime& runtime, quint32 gridNumber) {
    runtime.setProperty(window, gridNumber, property::fitToPageWidth, wholeValue, 0);
    AdvancedGrid* sheet = runtime.control<AdvancedGrid>(window, gridNumber);
    if (sheet) {
        sheet->setPrintMargin(1, 240);
        sheet->setPrintMargin(2, 10);
    }
    return sheet;
}

static qint32 currentPage(const FormRuntime& runtime) {
    return integerOf(runtime.getProperty(window, 高级选择夹1, property::currentPage));
}

void previewShownSheet(FormRuntime& runtime) {
    const qint32 page = currentPage(runtime);
    if (page != 0 && page != 1)
        return;
    if (AdvancedGrid* sheet = preparedSheet(runtime, page == 1 ? 高级表格2 : 高级表格1))
        sheet->printPreview();
}

void printOtherSheet(FormRuntime& runtime) {
    const qint32 page = currentPage(runtime);
    if (page != 0 && page != 1)
        return;
    if (AdvancedGrid* sheet = preparedSheet(runtime, page == 0 ? 高级表格2 : 高级表格1))
        sheet->print();
}
