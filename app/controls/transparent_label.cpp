#include "transparent_label.h"

#include "sheet_model.h"

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TransparentLabel::setTextColour(uint bgr) {
    m_textColour = bgr;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colorFromBgr(bgr));
    setPalette(p);
}

void TransparentLabel::setFontPixelHeight(int pixels) {
    QFont f = font();
    f.setPixelSize(pixels);
    setFont(f);
}
