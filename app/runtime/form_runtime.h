#pragma once

#include "property_value.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class FormWindow;
class QWidget;

// Handlers take no arguments and return nothing; descriptions bind them by name.
using Handler = std::function<void()>;
using HandlerTable = QHash<QString, Handler>;

// Builds windows from their stored descriptions, ties control events to the
// program's handlers and gives access to control properties by window and
// control number.
class FormRuntime {
public:
    FormRuntime() = default;
    FormRuntime(const FormRuntime&) = delete;
    FormRuntime& operator=(const FormRuntime&) = delete;

    // Reads every description stored under the resource folder.
    bool loadDescriptions(const QString& folder = QStringLiteral(":/forms"));
    // Adds one description; its window number comes from the description.
    bool addDescription(const QByteArray& description, const QString& origin);
    void setHandlers(HandlerTable handlers) { m_handlers = std::move(handlers); }

    // Builds the window, runs its created event, then shows it. A modal
    // window disables the program's other windows and returns only once it
    // has been closed.
    bool openWindow(quint32 windowNumber, QWidget* parent, bool modal);
    QString lastError() const { return m_lastError; }

    PropertyValue getProperty(quint32 windowNumber, quint32 controlNumber, int propertyNumber,
                              int part = wholeValue) const;
    void setProperty(quint32 windowNumber, quint32 controlNumber, int propertyNumber, int part,
                     const PropertyValue& value);

    FormWindow* window(quint32 windowNumber) const;
    QWidget* control(quint32 windowNumber, quint32 controlNumber) const;
    template <class T> T* control(quint32 windowNumber, quint32 controlNumber) const {
        return qobject_cast<T*>(control(windowNumber, controlNumber));
    }

    // Runs until the last window has closed; returns the exit code.
    int runEventLoop();

private:
    struct OpenWindow {
        QPointer<FormWindow> window;
        // The window's address, to recognise it while it is being destroyed,
        // when it is no longer a FormWindow to look at.
        const QObject* identity = nullptr;
        QHash<quint32, QPointer<QWidget>> controls;
    };

    bool fail(const QString& error);
    bool bindEvents(FormWindow* window, Handler* created);

    QMap<quint32, QByteArray> m_descriptions;
    QMap<quint32, QString> m_origins;
    QHash<quint32, OpenWindow> m_open;
    HandlerTable m_handlers;
    QString m_lastError;
    // Ties the runtime's own connections to its lifetime.
    QObject m_context;
};
