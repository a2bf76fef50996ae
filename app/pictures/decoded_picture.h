#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// What a decoder hands back: a picture, or the reason there is none.
struct DecodedPicture {
    QImage image;
    QString error;
    // Messages the decoding library raised without giving up (a damaged ancillary chunk, say).
    QStringList warnings;

    bool ok() const { return error.isEmpty(); }
};

// Declared sizes beyond these are refused before any pixel memory is allocated: our own pictures
// are far smaller, and a damaged header must not make us ask for gigabytes.
inline constexpr qint64 maxPictureSide = 16384;
inline constexpr qint64 maxPicturePixels = 64 * 1024 * 1024;

inline bool pictureSizeAllowed(qint64 width, qint64 height) {
    return width <= maxPictureSide && height <= maxPictureSide &&
           width * height <= maxPicturePixels;
}

inline QString pictureTooLargeText(qint64 width, qint64 height) {
    return QStringLiteral("picture too large: %1 × %2 pixels (at most %3 per side and %4 in all)")
        .arg(width)
        .arg(height)
        .arg(maxPictureSide)
        .arg(maxPicturePixels);
}
