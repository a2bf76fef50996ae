#pragma once

class FormRuntime;

// "打印预览": the sheet on show, in the grid's print preview.
void previewShownSheet(FormRuntime& runtime);

// "直接打印": the sheet of the other page, so on the problems page a teacher
// prints the answers and on the answers page the problems.
void printOtherSheet(FormRuntime& runtime);
