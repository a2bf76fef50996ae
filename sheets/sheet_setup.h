#pragma once

class FormRuntime;

// Empties both sheets and gives each its title band: the answer sheet first,
// then the problem sheet.
void setUpSheets(FormRuntime& runtime);
