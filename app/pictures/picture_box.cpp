#include "picture_box.h"

#include "jpeg_decoder.h"
#include "png_decoder.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QtDebug>

using namespace Qt::StringLiterals;

DecodedPicture loadPicture(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString suffix = info.suffix().toLower();
    const bool png = suffix == "png"_L1;
    const bool jpeg = suffix == "jpg"_L1 || suffix == "jpeg"_L1;
    if (!png && !jpeg)
        return {QImage(), u"%1: not a picture type we read (use .png or .jpg)"_s.arg(name), {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), u"%1: cannot read %2: %3"_s.arg(name, path, file.errorString()), {}};
    const QByteArray bytes = file.readAll();

    DecodedPicture decoded = png ? decodePng(bytes) : decodeJpeg(bytes);
    if (!decoded.ok())
        decoded.error = name + u": "_s + decoded.error;
    return decoded;
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    // The background is painted here; tell Qt not to fill it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPictureSource(const QString& source) {
    if (source == m_source)
        return;
    m_source = source;
    m_picture = QImage();
    m_error.clear();
    m_scaled = QPixmap();
    if (!source.isEmpty()) {
        DecodedPicture decoded = loadPicture(source);
        if (decoded.ok()) {
            m_picture = decoded.image;
        } else {
            m_error = decoded.error;
            qWarning().noquote() << u"Picture box %1: %2"_s.arg(objectName(), m_error);
        }
    }
    update();
}

QString PictureBox::displayMode() const {
    return m_mode == Mode::Stretch ? u"stretch"_s : u"centre"_s;
}

void PictureBox::setDisplayMode(const QString& mode) {
    if (mode == "stretch"_L1) {
        m_mode = Mode::Stretch;
    } else if (mode == "centre"_L1) {
        m_mode = Mode::Centre;
    } else {
        qWarning().noquote() << u"Picture box %1: unknown display mode \"%2\", keeping \"%3\""_s
                                    .arg(objectName(), mode, displayMode());
        return;
    }
    update();
}

QRect PictureBox::pictureRect() const {
    if (m_picture.isNull())
        return {};
    if (m_mode == Mode::Stretch)
        return rect();

    const qint64 boxWidth = width();
    const qint64 boxHeight = height();
    qint64 drawnWidth = m_picture.width();
    qint64 drawnHeight = m_picture.height();
    if (drawnWidth > boxWidth || drawnHeight > boxHeight) {
        // Scale by the smaller ratio; compared by cross-multiplying so the limiting side comes
        // out exactly as large as the box.
        if (boxWidth * drawnHeight <= boxHeight * drawnWidth) {
            drawnHeight = qRound(double(drawnHeight) * double(boxWidth) / double(drawnWidth));
            drawnWidth = boxWidth;
        } else {
            drawnWidth = qRound(double(drawnWidth) * double(boxHeight) / double(drawnHeight));
            drawnHeight = boxHeight;
        }
    }
    return QRect(int((boxWidth - drawnWidth) / 2), int((boxHeight - drawnHeight) / 2),
                 int(drawnWidth), int(drawnHeight));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));

    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (m_scaled.size() != pixels) {
        m_scaled = QPixmap::fromImage(
            pixels == m_picture.size()
                ? m_picture
                : m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(target.topLeft(), m_scaled);
}
