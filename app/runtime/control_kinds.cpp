#include "control_kinds.h"

#include "advanced_grid.h"
#include "form_window.h"
#include "integer_edit.h"
#include "picture_box.h"
#include "tab_control.h"
#include "transparent_label.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

static const char* const kindProperty = "controlKind";

static QWidget* newControl(const QString& name, QWidget* parent) {
    if (name == kind::window)
        return new FormWindow(parent);
    if (name == kind::editBox)
        return new IntegerEdit(parent);
    if (name == kind::checkBox)
        return new QCheckBox(parent);
    if (name == kind::radioButton)
        return new QRadioButton(parent);
    if (name == kind::pushButton) {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false); // Enter does not press it
        return button;
    }
    if (name == kind::groupBox) {
        // Button-face background: the banner beneath does not show through.
        auto* group = new QGroupBox(parent);
        group->setAutoFillBackground(true);
        return group;
    }
    if (name == kind::label)
        return new TransparentLabel(parent);
    if (name == kind::pictureBox)
        return new PictureBox(parent);
    if (name == kind::tabControl)
        return new TabControl(parent);
    if (name == kind::grid)
        return new AdvancedGrid(parent);
    return nullptr;
}

QWidget* createControl(const QString& kindName, QWidget* parent) {
    QWidget* control = newControl(kindName, parent);
    if (control)
        control->setProperty(kindProperty, kindName);
    return control;
}

QString kindOf(const QWidget* control) {
    return control ? control->property(kindProperty).toString() : QString();
}
