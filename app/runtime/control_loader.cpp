#include "control_loader.h"

#include "control_kinds.h"

#include <QCoreApplication>
#include <QWidget>

LibraryPathsHidden::LibraryPathsHidden() : m_hiddenPaths(QCoreApplication::libraryPaths()) {
    QCoreApplication::setLibraryPaths({});
}

ControlLoader::ControlLoader(QObject* parent) : QUiLoader(parent) {
    QCoreApplication::setLibraryPaths(m_hiddenPaths);
    clearPluginPaths();
}

QWidget* ControlLoader::createWidget(const QString& className, QWidget* parent,
                                     const QString& name) {
    if (QWidget* control = createControl(className, parent)) {
        control->setObjectName(name);
        return control;
    }
    return QUiLoader::createWidget(className, parent, name);
}
