#pragma once

#include "form_runtime.h"
#include "random_source.h"

#include <QTranslator>

// What lives from start to exit: the form runtime with its windows, and the
// one random source of the worksheets.
class Program {
public:
    Program();

    // Loads the window descriptions and opens the main window.
    bool start();
    QString lastError() const { return m_runtime.lastError(); }

    FormRuntime& runtime() { return m_runtime; }
    RandomSource& randomSource() { return m_random; }

private:
    // Qt's own dialogs (printing, page set-up) in Chinese, like our windows.
    QTranslator m_qtTranslator;
    FormRuntime m_runtime;
    RandomSource m_random;
};

// Round to nearest, every floating-point exception masked: a division by zero
// gives an infinity and never traps.
void configureFloatingPoint();
