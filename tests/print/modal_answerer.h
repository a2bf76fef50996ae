#pragma once

// Answers the modal windows that open while a call runs, as a user would:
// each new one is handed to the next handler, then closed if still open.
// Windows beyond the handlers are closed unanswered, so a test never hangs on
// a window it did not expect; `titles` lists every window met, in order.

#include <QApplication>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

class ModalAnswerer : public QObject {
public:
    using Handler = std::function<void(QWidget*)>;

    explicit ModalAnswerer(std::vector<Handler> handlers = {}) : m_handlers(std::move(handlers)) {
        schedule();
    }

    QStringList titles;

private:
    // A fresh single shot each time: a handler may open a further modal
    // window, whose event loop must still reach us.
    void schedule() {
        QTimer::singleShot(10, this, [this] { answer(); });
    }

    void answer() {
        schedule();
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || m_met.contains(modal))
            return;
        m_met.append(modal);
        titles << modal->windowTitle();
        const auto index = std::size_t(titles.size() - 1);
        if (index < m_handlers.size())
            m_handlers[index](modal);
        if (modal && modal->isVisible())
            modal->close();
    }

    std::vector<Handler> m_handlers;
    QList<QPointer<QWidget>> m_met;
};
