#pragma once

#include <QProxyStyle>

// The platform's style with the tighter gaps the windows were laid out for:
// a check box or radio button caption starts three pixels after its box.
class FormStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
