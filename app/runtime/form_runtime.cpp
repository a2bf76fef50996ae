#include "form_runtime.h"

#include "control_kinds.h"
#include "control_loader.h"
#include "control_properties.h"
#include "form_window.h"
#include "tab_control.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QXmlStreamReader>

static std::optional<quint32> parseNumber(const QVariant& stored) {
    bool ok = false;
    const quint32 n = stored.toString().toUInt(&ok, 0);
    return ok ? std::optional<quint32>(n) : std::nullopt;
}

// The window number is the top widget's first "windowNumber" property.
static std::optional<quint32> describedWindowNumber(const QByteArray& description) {
    QXmlStreamReader xml(description);
    bool inWindowNumber = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"property")
            inWindowNumber = xml.attributes().value(QLatin1StringView("name")) == u"windowNumber";
        else if (inWindowNumber && xml.name() == u"string")
            return parseNumber(xml.readElementText());
    }
    return std::nullopt;
}

bool FormRuntime::fail(const QString& error) {
    m_lastError = error;
    return false;
}

bool FormRuntime::loadDescriptions(const QString& folder) {
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.ui")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        return fail(QStringLiteral("no window descriptions found in %1").arg(folder));
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
        if (!addDescription(file.readAll(), file.fileName()))
            return false;
    }
    return true;
}

bool FormRuntime::addDescription(const QByteArray& description, const QString& origin) {
    const std::optional<quint32> number = describedWindowNumber(description);
    if (!number)
        return fail(QStringLiteral("%1: the description carries no window number").arg(origin));
    m_descriptions.insert(*number, description);
    m_origins.insert(*number, origin);
    return true;
}

bool FormRuntime::bindEvents(FormWindow* window, Handler* created) {
    const auto handlerFor = [this](const QString& name) -> const Handler* {
        const auto it = m_handlers.constFind(name);
        return it == m_handlers.constEnd() ? nullptr : &it.value();
    };
    QList<QObject*> bound{window};
    for (QWidget* w : window->findChildren<QWidget*>())
        bound.append(w);
    for (QObject* object : std::as_const(bound)) {
        const QString bindings = object->property("eventBindings").toString();
        if (bindings.isEmpty())
            continue;
        for (const QString& binding : bindings.split(u',', Qt::SkipEmptyParts)) {
            const qsizetype colon = binding.indexOf(u':');
            bool ok = false;
            const int event = binding.left(colon).trimmed().toInt(&ok);
            const QString name = binding.mid(colon + 1).trimmed();
            const Handler* handler = handlerFor(name);
            if (colon < 0 || !ok || !handler)
                return fail(QStringLiteral("%1: binding \"%2\" names no handler of the program")
                                .arg(object->objectName(), binding));
            auto* widget = qobject_cast<QWidget*>(object);
            const QString k = kindOf(widget);
            if (k == kind::window && event == 0) {
                *created = *handler;
            } else if (k == kind::pushButton && event == 0) {
                QObject::connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::clicked,
                                 window, [call = *handler] { call(); });
            } else {
                return fail(QStringLiteral("%1: a %2 has no event %3")
                                .arg(object->objectName(), k)
                                .arg(event));
            }
        }
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        const QString name = action->property("handler").toString();
        if (name.isEmpty())
            continue;
        const Handler* handler = handlerFor(name);
        if (!handler)
            return fail(QStringLiteral("%1: the menu item names no handler of the program (%2)")
                            .arg(action->text(), name));
        QObject::connect(action, &QAction::triggered, window, [call = *handler] { call(); });
    }
    return true;
}

bool FormRuntime::openWindow(quint32 windowNumber, QWidget* parent, bool modal) {
    const auto description = m_descriptions.constFind(windowNumber);
    if (description == m_descriptions.constEnd())
        return fail(QStringLiteral("no description of window 0x%1")
                        .arg(windowNumber, 8, 16, QLatin1Char('0')));
    const QString origin = m_origins.value(windowNumber);

    // Build the window: no handler is tied to any control yet, so nothing
    // the controls raise while they are made reaches the program.
    QByteArray bytes = *description;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ControlLoader loader;
    QWidget* built = loader.load(&buffer, parent);
    auto* window = qobject_cast<FormWindow*>(built);
    if (!window) {
        delete built;
        const QString why = loader.errorString().isEmpty()
                                ? QStringLiteral("its top widget is not a window")
                                : loader.errorString();
        return fail(QStringLiteral("%1: %2").arg(origin, why));
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        window->setWindowFlag(Qt::Window);

    OpenWindow record{window, window, {}};
    for (QWidget* w : window->findChildren<QWidget*>())
        if (const auto number = parseNumber(w->property("controlNumber")))
            record.controls.insert(*number, w);
    for (TabControl* tabs : window->findChildren<TabControl*>())
        tabs->adoptPages();

    Handler created;
    if (!bindEvents(window, &created)) {
        m_lastError = QStringLiteral("%1: %2").arg(origin, m_lastError);
        delete window;
        return false;
    }
    m_open.insert(windowNumber, record);
    QObject::connect(window, &QObject::destroyed, &m_context, [this, windowNumber](QObject* gone) {
        const auto it = m_open.find(windowNumber);
        if (it != m_open.end() && it->identity == gone)
            m_open.erase(it);
    });

    // The created event runs to completion before the window first appears.
    if (created)
        created();
    if (modal)
        window->setWindowModality(Qt::ApplicationModal); // the window system knows it too
    window->showAsDescribed();

    if (modal) {
        // Every other window of the program takes no input until this one
        // has gone; each gets its own enabled state back afterwards.
        QList<QPair<QPointer<QWidget>, bool>> others;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != window && top->isWindow() && top->isVisible()) {
                others.append({top, top->isEnabled()});
                top->setEnabled(false);
            }
        QEventLoop loop;
        QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
        for (const auto& [top, enabled] : std::as_const(others))
            if (top)
                top->setEnabled(enabled);
    }
    return true;
}

FormWindow* FormRuntime::window(quint32 windowNumber) const {
    const auto it = m_open.constFind(windowNumber);
    return it == m_open.constEnd() ? nullptr : it->window.data();
}

QWidget* FormRuntime::control(quint32 windowNumber, quint32 controlNumber) const {
    const auto it = m_open.constFind(windowNumber);
    return it == m_open.constEnd() ? nullptr : it->controls.value(controlNumber).data();
}

PropertyValue FormRuntime::getProperty(quint32 windowNumber, quint32 controlNumber,
                                       int propertyNumber, int) const {
    if (const QWidget* c = control(windowNumber, controlNumber))
        if (auto value = readControlProperty(c, propertyNumber))
            return *value;
    qWarning("getProperty: window 0x%08x has no control 0x%08x with property %d", windowNumber,
             controlNumber, propertyNumber);
    return qint32(0);
}

void FormRuntime::setProperty(quint32 windowNumber, quint32 controlNumber, int propertyNumber, int,
                              const PropertyValue& value) {
    QWidget* c = control(windowNumber, controlNumber);
    if (!c || !writeControlProperty(c, propertyNumber, value))
        qWarning("setProperty: window 0x%08x has no control 0x%08x with property %d", windowNumber,
                 controlNumber, propertyNumber);
}

int FormRuntime::runEventLoop() {
    bool anyOpen = false;
    for (const OpenWindow& open : std::as_const(m_open))
        anyOpen = anyOpen || (open.window && open.window->isVisible());
    if (!anyOpen)
        return 0;
    return QApplication::exec();
}
