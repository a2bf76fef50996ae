#pragma once

#include "property_value.h"

#include <optional>

class QWidget;

// The properties the program reads and writes, addressed by the control's
// kind and the property's number. Unknown pairs give no value.
std::optional<PropertyValue> readControlProperty(const QWidget* control, int propertyNumber);
bool writeControlProperty(QWidget* control, int propertyNumber, const PropertyValue& value);
