#pragma once

#include "decoded_picture.h"

#include <QByteArrayView>

// Decodes a whole PNG file held in memory with libpng. Every colour type, bit depth and the
// interlaced layout come out as QImage::Format_RGBA8888 (straight, not premultiplied, alpha).
// Damaged or truncated data gives an error text, never a crash.
DecodedPicture decodePng(QByteArrayView bytes);
