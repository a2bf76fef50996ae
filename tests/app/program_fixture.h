#pragma once

#include "advanced_grid.h"
#include "form_window.h"
#include "main_window_ids.h"
#include "program.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <memory>

// A program started the way main() starts it, offscreen, with a fresh
// random source: every test begins straight after program start.
class ProgramFixture {
public:
    ProgramFixture() : m_program(std::make_unique<Program>()) {
        configureFloatingPoint();
        if (!m_program->start())
            qFatal("the program did not start: %s", qPrintable(m_program->lastError()));
        if (!QTest::qWaitForWindowActive(window()))
            qWarning("the main window did not become active");
    }
    ~ProgramFixture() { delete m_program->runtime().window(mainwindow::window); }

    Program& program() { return *m_program; }
    FormRuntime& runtime() { return m_program->runtime(); }
    FormWindow* window() { return runtime().window(mainwindow::window); }
    template <class T = QWidget> T* child(const QString& name) {
        return window()->findChild<T*>(name);
    }
    AdvancedGrid* answerSheet() { return child<AdvancedGrid>(QStringLiteral("高级表格1")); }
    AdvancedGrid* problemSheet() { return child<AdvancedGrid>(QStringLiteral("高级表格2")); }

    // Types as a keyboard would, characters QTest has no key for included.
    static void type(QWidget* target, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
        }
    }

private:
    std::unique_ptr<Program> m_program;
};
