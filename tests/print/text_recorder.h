#pragma once

// A paint device that draws nothing and keeps every text drawn on it: what it
// says, where its baseline starts and how high its font is, all in device
// units. Only a text drawn as text reaches it; a bitmap or a path does not.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QTextItem>
#include <vector>

struct DrawnText {
    QString text;
    QPointF baseline;
    qreal pixelHeight;
};

class TextRecordingEngine : public QPaintEngine {
public:
    TextRecordingEngine() : QPaintEngine(AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    Type type() const override { return User; }

    void drawTextItem(const QPointF& point, const QTextItem& item) override {
        const QTransform transform = state->transform();
        texts.push_back(
            {item.text(), transform.map(point), item.font().pixelSize() * transform.m22()});
    }

    std::vector<DrawnText> texts;
};

class TextRecorder : public QPaintDevice {
public:
    TextRecorder(QSize size, int dpi) : m_size(size), m_dpi(dpi) {}

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<DrawnText>& texts() const { return m_engine.texts; }
    void clear() { m_engine.texts.clear(); }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / m_dpi);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize m_size;
    int m_dpi;
    mutable TextRecordingEngine m_engine;
};
