#pragma once

// Builders for the test pictures: PNG files put together chunk by chunk (so that every colour
// type, bit depth, the interlaced layout and any kind of damage can be made exactly), and
// helpers around the files Qt's own writers produce.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QString>
#include <QtEndian>

#include <array>

namespace fixtures {

inline QString resourcesDir() {
    return QStringLiteral(NUMVALE_RESOURCES_DIR);
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline QByteArray bigEndian32(quint32 value) {
    QByteArray out(4, '\0');
    qToBigEndian(value, out.data());
    return out;
}

inline quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline const QByteArray pngSignature = QByteArray::fromHex("89504e470d0a1a0a");

inline QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type, 4) + data;
    return bigEndian32(static_cast<quint32>(data.size())) + typed + bigEndian32(crc32(typed));
}

inline QByteArray ihdrData(quint32 width, quint32 height, int bitDepth, int colourType,
                           bool interlaced = false) {
    QByteArray data = bigEndian32(width) + bigEndian32(height);
    data += char(bitDepth);
    data += char(colourType);
    data += char(0); // deflate
    data += char(0); // adaptive filtering
    data += char(interlaced ? 1 : 0);
    return data;
}

// zlib stream of the filtered scanlines; qCompress puts a 4-byte length in front of it.
inline QByteArray zlibStream(const QByteArray& raw) {
    return qCompress(raw).mid(4);
}

// A complete PNG: IHDR, the extra chunks (PLTE, tRNS, ...), one IDAT, IEND.
inline QByteArray pngFile(const QByteArray& ihdr, const QByteArray& scanlines,
                          const QList<QByteArray>& extraChunks = {}) {
    QByteArray file = pngSignature + pngChunk("IHDR", ihdr);
    for (const QByteArray& chunk : extraChunks)
        file += chunk;
    return file + pngChunk("IDAT", zlibStream(scanlines)) + pngChunk("IEND", {});
}

// Rows of packed samples, each preceded by filter type 0 (none).
inline QByteArray unfiltered(const QList<QByteArray>& rows) {
    QByteArray out;
    for (const QByteArray& row : rows)
        out += char(0) + row;
    return out;
}

// The seven Adam7 passes of an 8-bit RGB image, each row with filter type 0.
inline QByteArray adam7Rgb8(const QImage& rgb888) {
    struct Pass {
        int x0, y0, dx, dy;
    };
    constexpr std::array<Pass, 7> passes = {{{0, 0, 8, 8},
                                             {4, 0, 8, 8},
                                             {0, 4, 4, 8},
                                             {2, 0, 4, 4},
                                             {0, 2, 2, 4},
                                             {1, 0, 2, 2},
                                             {0, 1, 1, 2}}};
    QByteArray out;
    for (const Pass& pass : passes) {
        if (pass.x0 >= rgb888.width())
            continue;
        for (int y = pass.y0; y < rgb888.height(); y += pass.dy) {
            out += char(0);
            for (int x = pass.x0; x < rgb888.width(); x += pass.dx) {
                const QRgb c = rgb888.pixel(x, y);
                out += char(qRed(c));
                out += char(qGreen(c));
                out += char(qBlue(c));
            }
        }
    }
    return out;
}

// The file Qt's own writer makes of `image` in `format` ("png", "jpg").
inline QByteArray savedAs(const QImage& image, const char* format, int quality = 90,
                          bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// IHDR fields of a PNG file, to check a fixture is the kind it is meant to be.
inline int pngBitDepth(const QByteArray& png) {
    return static_cast<unsigned char>(png.at(24));
}
inline int pngColourType(const QByteArray& png) {
    return static_cast<unsigned char>(png.at(25));
}
inline bool pngInterlaced(const QByteArray& png) {
    return png.at(28) == 1;
}

// Offset of the first JPEG marker `code` (0xFF followed by `code`), or -1.
inline qsizetype jpegMarker(const QByteArray& jpeg, unsigned char code) {
    const char marker[2] = {char(0xFF), char(code)};
    return jpeg.indexOf(QByteArrayView(marker, 2));
}

} // namespace fixtures
