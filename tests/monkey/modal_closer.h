#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// Closes the first window other than `main` that opens while a call runs, as
// a user would dismiss it, and remembers what it was: a modal dialog, or a
// window the form runtime keeps in front with its own event loop. Made
// before the call that opens the window: its timer fires inside that
// window's event loop.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(QWidget* main) : m_main(main) { schedule(0); }

    bool closed() const { return m_closed; }
    QString title() const { return m_title; }
    QString className() const { return m_className; }

private:
    void schedule(int ms) {
        QTimer::singleShot(ms, this, [this] { poll(); });
    }

    QWidget* openedWindow() const {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != m_main && top->isVisible() &&
                (top->windowType() == Qt::Window || top->windowType() == Qt::Dialog))
                return top;
        return nullptr;
    }

    void poll() {
        QWidget* modal = openedWindow();
        if (!modal) { // not shown yet: the closer lives as long as the call
            schedule(5);
            return;
        }
        m_title = modal->windowTitle();
        m_className = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
        m_closed = true;
    }

    QPointer<QWidget> m_main;
    bool m_closed = false;
    QString m_title;
    QString m_className;
};
