#include "control_properties.h"

#include "advanced_grid.h"
#include "control_kinds.h"
#include "tab_control.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

static qint32 asBoolean(bool on) {
    return on ? 1 : 0;
}

std::optional<PropertyValue> readControlProperty(const QWidget* control, int number) {
    const QString k = kindOf(control);
    if (k == kind::editBox && number == property::content)
        return qobject_cast<const QLineEdit*>(control)->text();
    if (k == kind::label && number == property::labelText)
        return qobject_cast<const QLabel*>(control)->text();
    if ((k == kind::checkBox || k == kind::radioButton) && number == property::isChecked)
        return asBoolean(qobject_cast<const QAbstractButton*>(control)->isChecked());
    if (k == kind::tabControl && number == property::currentPage)
        return qint32(qobject_cast<const TabControl*>(control)->currentPage());
    if (k == kind::grid && number == property::gridLineColor)
        return qint32(qobject_cast<const AdvancedGrid*>(control)->gridLineColor() & 0xFFFFFF);
    if (k == kind::grid && number == property::fitToPageWidth)
        return asBoolean(qobject_cast<const AdvancedGrid*>(control)->fitToPageWidth());
    return std::nullopt;
}

static void setButtonChecked(QAbstractButton* button, bool on) {
    // A radio button of a group cannot be cleared by Qt while it is the
    // checked one; the property write may clear it all the same.
    const bool exclusive = button->autoExclusive();
    if (!on && exclusive)
        button->setAutoExclusive(false);
    button->setChecked(on);
    button->setAutoExclusive(exclusive);
}

bool writeControlProperty(QWidget* control, int number, const PropertyValue& value) {
    const QString k = kindOf(control);
    if (k == kind::editBox && number == property::content) {
        qobject_cast<QLineEdit*>(control)->setText(textOf(value));
        return true;
    }
    if (k == kind::label && number == property::labelText) {
        qobject_cast<QLabel*>(control)->setText(textOf(value));
        return true;
    }
    if ((k == kind::checkBox || k == kind::radioButton) && number == property::isChecked) {
        setButtonChecked(qobject_cast<QAbstractButton*>(control), integerOf(value) != 0);
        return true;
    }
    if (k == kind::tabControl && number == property::currentPage) {
        qobject_cast<TabControl*>(control)->setCurrentPage(integerOf(value));
        return true;
    }
    if (k == kind::grid && number == property::gridLineColor) {
        qobject_cast<AdvancedGrid*>(control)->setGridLineColor(quint32(integerOf(value)) &
                                                               0xFFFFFF);
        return true;
    }
    if (k == kind::grid && number == property::fitToPageWidth) {
        qobject_cast<AdvancedGrid*>(control)->setFitToPageWidth(integerOf(value) != 0);
        return true;
    }
    return false;
}
