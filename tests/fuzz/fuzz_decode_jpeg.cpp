// Any bytes given to the JPEG decoder: a picture in the promised format and
// within the size limits, or an error text and no picture.
#include "jpeg_decoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodedPicture picture =
        decodeJpeg(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (picture.ok() == picture.image.isNull())
        std::abort();
    if (picture.ok() && (picture.image.format() != QImage::Format_RGB888 ||
                         !pictureSizeAllowed(picture.image.width(), picture.image.height())))
        std::abort();
    return 0;
}
