// Any bytes given to the PNG decoder: a picture in the promised format and
// within the size limits, or an error text and no picture.
#include "png_decoder.h"

#include <QtEndian>
#include <cstdlib>
#include <zlib.h>

namespace {

// libpng refuses a chunk whose checksum is wrong, so a mutated input would
// seldom get past its first chunk: each input is also tried with every
// complete chunk's checksum put right.
QByteArray withChunkChecksums(QByteArrayView bytes) {
    QByteArray fixed = bytes.toByteArray();
    qsizetype offset = 8; // the signature
    while (fixed.size() - offset >= 12) {
        const quint32 length = qFromBigEndian<quint32>(fixed.constData() + offset);
        if (length > quint32(fixed.size() - offset - 12))
            break;
        const auto* typeAndData = reinterpret_cast<const Bytef*>(fixed.constData() + offset + 4);
        const auto crc = quint32(crc32(0, typeAndData, uInt(length) + 4));
        offset += 8 + qsizetype(length);
        qToBigEndian(crc, fixed.data() + offset);
        offset += 4;
    }
    return fixed;
}

void check(QByteArrayView bytes) {
    const DecodedPicture picture = decodePng(bytes);
    if (picture.ok() == picture.image.isNull())
        std::abort();
    if (picture.ok() && (picture.image.format() != QImage::Format_RGBA8888 ||
                         !pictureSizeAllowed(picture.image.width(), picture.image.height())))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    check(bytes);
    const QByteArray fixed = withChunkChecksums(bytes);
    if (fixed != bytes)
        check(fixed);
    return 0;
}
