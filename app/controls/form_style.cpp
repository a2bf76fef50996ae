#include "form_style.h"

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    switch (metric) {
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return 3;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
