#include "main_window_handlers.h"

#include "generation_run.h"
#include "main_window_ids.h"
#include "sheet_output.h"
#include "sheet_setup.h"

HandlerTable mainWindowHandlers(FormRuntime& runtime, RandomSource& source) {
    return {
        {QStringLiteral("setUpSheets"),
         [&runtime] {
             setUpSheets(runtime);
         }},
        {QStringLiteral("generateWorksheet"),
         [&runtime, &source] {
             runGeneration(runtime, source);
         }},
        {QStringLiteral("previewShownSheet"),
         [&runtime] {
             previewShownSheet(runtime);
         }},
        {QStringLiteral("printOtherSheet"),
         [&runtime] {
             printOtherSheet(runtime);
         }},
        // Modal and without a parent: returns once the about window has closed.
        {QStringLiteral("openAboutWindow"),
         [&runtime] {
             runtime.openWindow(aboutwindow::window, nullptr, true);
         }},
    };
}
