#pragma once

#include "decoded_picture.h"

#include <QByteArrayView>

// Decodes a whole JPEG file held in memory with libjpeg, colour or greyscale, baseline or
// progressive, to QImage::Format_RGB888. Damaged or truncated data gives an error text, never a
// crash.
DecodedPicture decodeJpeg(QByteArrayView bytes);
