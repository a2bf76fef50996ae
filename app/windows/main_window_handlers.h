#pragma once

#include "form_runtime.h"

class RandomSource;

// The handlers the main window's description binds, by the names it uses.
HandlerTable mainWindowHandlers(FormRuntime& runtime, RandomSource& source);
