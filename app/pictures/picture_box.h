#pragma once

#include "decoded_picture.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

// Reads a picture file or Qt resource (":/pictures/banner.png") and decodes it with our own
// decoders, chosen by the extension: .png, or .jpg / .jpeg. Errors name the file.
DecodedPicture loadPicture(const QString& path);

// The picture box control ("图片框"): shows one picture, without a border, on the window's
// background colour.
//   stretch: the picture fills the whole box, proportions ignored;
//   centre:  a picture that fits is drawn at its natural size in the middle; a larger one is
//            scaled down by the smaller of (box width / picture width, box height / picture
//            height), keeping its proportions, and centred.
// A picture that cannot be loaded leaves the box empty, reports the reason once with qWarning()
// and keeps it in pictureError().
class PictureBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString pictureSource READ pictureSource WRITE setPictureSource)
    Q_PROPERTY(QString displayMode READ displayMode WRITE setDisplayMode)

public:
    explicit PictureBox(QWidget* parent = nullptr);

    QString pictureSource() const { return m_source; }
    void setPictureSource(const QString& source);

    // "stretch" or "centre" (the default); any other value is refused with a warning.
    QString displayMode() const;
    void setDisplayMode(const QString& mode);

    // Where the picture is drawn, in the box's coordinates; empty when there is no picture.
    QRect pictureRect() const;
    QString pictureError() const { return m_error; }
    QImage picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum class Mode { Stretch, Centre };

    QString m_source;
    Mode m_mode = Mode::Centre;
    QImage m_picture;
    QString m_error;
    // The picture at the size it was last drawn, so painting does not rescale every time.
    QPixmap m_scaled;
};
