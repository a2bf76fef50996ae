#pragma once

#include <QLabel>

// The label kind "透明标签": one line, no background of its own, in the
// colour its description gives (0x00BBGGRR).
class TransparentLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(uint textColour READ textColour WRITE setTextColour)
    Q_PROPERTY(int fontPixelHeight READ fontPixelHeight WRITE setFontPixelHeight)

public:
    explicit TransparentLabel(QWidget* parent = nullptr);

    uint textColour() const { return m_textColour; }
    void setTextColour(uint bgr);
    // A font of the label's own: the default face at this character height.
    int fontPixelHeight() const { return font().pixelSize(); }
    void setFontPixelHeight(int pixels);

private:
    uint m_textColour = 0;
};
