#include "control_loader.h"

#include "control_kinds.h"

#include <QWidget>

QWidget* ControlLoader::createWidget(const QString& className, QWidget* parent,
                                     const QString& name) {
    if (QWidget* control = createControl(className, parent)) {
        control->setObjectName(name);
        return control;
    }
    return QUiLoader::createWidget(className, parent, name);
}
