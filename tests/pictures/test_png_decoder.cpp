#include "picture_fixtures.h"
#include "png_decoder.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

namespace {

QImage rgbaImage(int width, int height, const QList<QRgb>& pixels) {
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int i = 0; i < pixels.size(); ++i)
        image.setPixel(i % width, i / width, pixels[i]);
    return image;
}

// A 16 x 16 colour ramp: big enough to cut at many places.
QByteArray rampPng() {
    QList<QByteArray> rows;
    for (int y = 0; y < 16; ++y) {
        QByteArray row;
        for (int x = 0; x < 16; ++x) {
            row += char(x * 16);
            row += char(y * 16);
            row += char(128);
        }
        rows << row;
    }
    return pngFile(ihdrData(16, 16, 8, 2), unfiltered(rows));
}

// `png` with the chunk starting at `offset` given a wrong CRC.
QByteArray withBadCrc(QByteArray png, qsizetype chunkOffset) {
    const quint32 length = qFromBigEndian<quint32>(png.constData() + chunkOffset);
    png[chunkOffset + 8 + length] = char(png[chunkOffset + 8 + length] ^ 0x55);
    return png;
}

} // namespace

class TestPngDecoder : public QObject {
    Q_OBJECT

private slots:
    // Our pictures decode to exactly what Qt's own PNG reader makes of them.
    void realPictures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("banner") << u"banner.png"_s << QSize(619, 124);
        QTest::newRow("icon") << u"icon.png"_s << QSize(32, 32);
        QTest::newRow("large icon") << u"icon-256.png"_s << QSize(256, 256);
    }
    void realPictures() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const QString path = resourcesDir() + u'/' + file;
        const QByteArray bytes = readFile(path);
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        QCOMPARE(pngColourType(bytes), 6); // stored as 8-bit RGBA
        QCOMPARE(pngBitDepth(bytes), 8);

        const DecodedPicture decoded = decodePng(bytes);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.warnings, QStringList());
        QCOMPARE(decoded.image.size(), size);
        QCOMPARE(decoded.image.format(), QImage::Format_RGBA8888);
        QCOMPARE(decoded.image, QImage(path).convertToFormat(QImage::Format_RGBA8888));
    }

    // Every stored layout comes out as 8-bit RGBA with the right colours.
    void layouts_data() {
        QTest::addColumn<QByteArray>("png");
        QTest::addColumn<int>("colourType");
        QTest::addColumn<int>("bitDepth");
        QTest::addColumn<bool>("interlaced");
        QTest::addColumn<QImage>("expected");

        QImage grey(3, 1, QImage::Format_Grayscale8);
        grey.setPixel(0, 0, qRgb(0, 0, 0));
        grey.setPixel(1, 0, qRgb(0x80, 0x80, 0x80));
        grey.setPixel(2, 0, qRgb(0xFF, 0xFF, 0xFF));
        QTest::newRow("grey, 8 bits") << savedAs(grey, "png") << 0 << 8 << false
                                      << rgbaImage(3, 1, {0xFF000000, 0xFF808080, 0xFFFFFFFF});

        // 16-bit samples that are multiples of 257 scale to 8 bits exactly.
        QImage grey16(2, 1, QImage::Format_Grayscale16);
        reinterpret_cast<quint16*>(grey16.scanLine(0))[0] = 0x3333;
        reinterpret_cast<quint16*>(grey16.scanLine(0))[1] = 0xCCCC;
        QTest::newRow("grey, 16 bits") << savedAs(grey16, "png") << 0 << 16 << false
                                       << rgbaImage(2, 1, {0xFF333333, 0xFFCCCCCC});

        QTest::newRow("grey, 2 bits")
            << pngFile(ihdrData(4, 1, 2, 0), unfiltered({QByteArray(1, char(0b00011011))})) << 0
            << 2 << false << rgbaImage(4, 1, {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF});

        QTest::newRow("grey, 4 bits, transparent key")
            << pngFile(ihdrData(2, 1, 4, 0), unfiltered({QByteArray(1, char(0x3F))}),
                       {pngChunk("tRNS", QByteArray::fromHex("0003"))})
            << 0 << 4 << false << rgbaImage(2, 1, {0x00333333, 0xFFFFFFFF});

        QTest::newRow("grey and alpha")
            << pngFile(ihdrData(2, 1, 8, 4), unfiltered({QByteArray::fromHex("40ff c080")})) << 4
            << 8 << false << rgbaImage(2, 1, {0xFF404040, 0x80C0C0C0});

        QImage palette(3, 1, QImage::Format_Indexed8);
        palette.setColorTable({qRgb(255, 0, 0), qRgba(0, 0, 255, 0x40), qRgb(0, 200, 0)});
        palette.setPixel(0, 0, 2);
        palette.setPixel(1, 0, 0);
        palette.setPixel(2, 0, 1);
        QTest::newRow("palette with alpha")
            << savedAs(palette, "png") << 3 << 8 << false
            << rgbaImage(3, 1, {0xFF00C800, 0xFFFF0000, 0x400000FF});

        QTest::newRow("palette, 1 bit")
            << pngFile(ihdrData(9, 1, 1, 3), unfiltered({QByteArray::fromHex("a580")}),
                       {pngChunk("PLTE", QByteArray::fromHex("ffff00 0000ff"))})
            << 3 << 1 << false
            << rgbaImage(9, 1,
                         {0xFF0000FF, 0xFFFFFF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFFFF00, 0xFF0000FF,
                          0xFFFFFF00, 0xFF0000FF, 0xFF0000FF});

        QImage rgba64(2, 1, QImage::Format_RGBA64);
        rgba64.setPixelColor(0, 0, QColor::fromRgba64(0x1111, 0x2222, 0x3333, 0xFFFF));
        rgba64.setPixelColor(1, 0, QColor::fromRgba64(0xEEEE, 0xDDDD, 0xCCCC, 0x8888));
        QTest::newRow("RGBA, 16 bits") << savedAs(rgba64, "png") << 6 << 16 << false
                                       << rgbaImage(2, 1, {0xFF112233, 0x88EEDDCC});

        QTest::newRow("RGB, 8 bits")
            << pngFile(ihdrData(2, 1, 8, 2), unfiltered({QByteArray::fromHex("102030 a0b0c0")}))
            << 2 << 8 << false << rgbaImage(2, 1, {0xFF102030, 0xFFA0B0C0});

        // 11 x 9 leaves some Adam7 passes short or empty.
        QImage pattern(11, 9, QImage::Format_RGB888);
        QList<QRgb> expected;
        for (int y = 0; y < pattern.height(); ++y) {
            for (int x = 0; x < pattern.width(); ++x) {
                const QRgb c = qRgb(x * 23, y * 27, (x * y * 7) % 256);
                pattern.setPixel(x, y, c);
                expected << c;
            }
        }
        QTest::newRow("RGB, interlaced") << pngFile(ihdrData(11, 9, 8, 2, true), adam7Rgb8(pattern))
                                         << 2 << 8 << true << rgbaImage(11, 9, expected);
    }
    void layouts() {
        QFETCH(QByteArray, png);
        QFETCH(int, colourType);
        QFETCH(int, bitDepth);
        QFETCH(bool, interlaced);
        QFETCH(QImage, expected);
        // The fixture really is the kind this row is about.
        QCOMPARE(pngColourType(png), colourType);
        QCOMPARE(pngBitDepth(png), bitDepth);
        QCOMPARE(pngInterlaced(png), interlaced);

        const DecodedPicture decoded = decodePng(png);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.warnings, QStringList());
        QCOMPARE(decoded.image.format(), QImage::Format_RGBA8888);
        QCOMPARE(decoded.image, expected);
    }

    void damagedInputs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");

        const QByteArray good = rampPng();
        QVERIFY(decodePng(good).ok());
        const qsizetype idat = 8 + 25; // the IDAT chunk follows signature and IHDR

        QByteArray noise(200, '\0');
        QRandomGenerator random(2024);
        for (char& c : noise)
            c = char(random.bounded(256));

        QTest::newRow("empty") << QByteArray() << u"empty data"_s;
        QTest::newRow("random bytes") << noise << u"not a PNG image"_s;
        QTest::newRow("a JPEG") << savedAs(QImage(4, 4, QImage::Format_RGB888), "jpg")
                                << u"not a PNG image"_s;
        QTest::newRow("half a signature") << pngSignature.left(5) << u"not a PNG image"_s;
        QTest::newRow("signature only") << pngSignature << u"unexpected end of data"_s;
        for (const qsizetype length :
             {12, 20, 33, 40, 60, int(good.size() / 2), int(good.size() - 13),
              int(good.size() - 12), int(good.size() - 1)})
            QTest::addRow("truncated to %d bytes", int(length))
                << good.left(length) << u"corrupt PNG data: "_s;
        // libpng would allocate the declared length before noticing the data is not there.
        QTest::newRow("text chunk claiming 2 GB")
            << pngSignature + pngChunk("IHDR", ihdrData(2, 2, 8, 0)) + bigEndian32(0x74640025) +
                   "tEXtComment\0hello"_ba
            << u"chunk \"tEXt\" claims 1952710693 bytes, the file has 9 left"_s;
        QTest::newRow("bad IHDR CRC") << withBadCrc(good, 8) << u"CRC error"_s;
        QTest::newRow("bad IDAT CRC") << withBadCrc(good, idat) << u"CRC error"_s;
        QTest::newRow("bit depth 3")
            << pngFile(ihdrData(4, 4, 3, 0), QByteArray(20, '\0')) << u"Invalid IHDR data"_s;
        QTest::newRow("zero width")
            << pngFile(ihdrData(0, 4, 8, 0), QByteArray(20, '\0')) << u"Invalid IHDR data"_s;
        QTest::newRow("palette without PLTE")
            << pngFile(ihdrData(2, 1, 8, 3), unfiltered({QByteArray(2, '\0')}))
            << u"corrupt PNG data: "_s;
        QTest::newRow("too few rows")
            << pngFile(ihdrData(2, 4, 8, 0), unfiltered({QByteArray(2, '\0')}))
            << u"Not enough image data"_s;
        QTest::newRow("IDAT not deflate")
            << pngSignature + pngChunk("IHDR", ihdrData(2, 2, 8, 0)) +
                   pngChunk("IDAT", QByteArray(16, '\x5a')) + pngChunk("IEND", {})
            << u"corrupt PNG data: "_s;
        QTest::newRow("no IDAT") << pngSignature + pngChunk("IHDR", ihdrData(2, 2, 8, 0)) +
                                        pngChunk("IEND", {})
                                 << u"corrupt PNG data: "_s;
        // A few bytes of pixel data behind a huge header: refused on the header alone, before
        // any pixel memory is asked for (20000 x 20000 RGBA would be 1.6 GB).
        QTest::newRow("20000 x 20000")
            << pngFile(ihdrData(20000, 20000, 8, 6), QByteArray(10, '\0'))
            << u"picture too large: 20000 × 20000 pixels"_s;
        QTest::newRow("16000 x 16000, too many pixels")
            << pngFile(ihdrData(16000, 16000, 8, 6), QByteArray(10, '\0'))
            << u"picture too large: 16000 × 16000 pixels"_s;
        QTest::newRow("largest legal PNG width")
            << pngFile(ihdrData(0x7FFFFFFF, 1, 8, 0), QByteArray(10, '\0'))
            << u"picture too large: 2147483647 × 1 pixels"_s;
    }
    void damagedInputs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const DecodedPicture decoded = decodePng(bytes);
        QVERIFY(!decoded.ok());
        QVERIFY2(decoded.error.contains(error), qPrintable(decoded.error));
        QVERIFY(decoded.image.isNull());
    }

    // The side limit is inclusive: a 16384-pixel row decodes, one more pixel is refused.
    void sideLimit_data() {
        QTest::addColumn<quint32>("width");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("16384") << quint32(16384) << true;
        QTest::newRow("16385") << quint32(16385) << false;
    }
    void sideLimit() {
        QFETCH(quint32, width);
        QFETCH(bool, accepted);
        const QByteArray png =
            pngFile(ihdrData(width, 1, 8, 0), unfiltered({QByteArray(int(width), '\x7f')}));
        const DecodedPicture decoded = decodePng(png);
        QCOMPARE(decoded.ok(), accepted);
        if (accepted)
            QCOMPARE(decoded.image.pixel(int(width) - 1, 0), 0xFF7F7F7Fu);
        else
            QVERIFY2(decoded.error.startsWith(u"picture too large"_s), qPrintable(decoded.error));
    }

    void pixelBudget_data() {
        QTest::addColumn<qint64>("width");
        QTest::addColumn<qint64>("height");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("16384 x 4096, the whole budget") << 16384LL << 4096LL << true;
        QTest::newRow("16384 x 4097") << 16384LL << 4097LL << false;
        QTest::newRow("8192 x 8192") << 8192LL << 8192LL << true;
        QTest::newRow("8193 x 8192") << 8193LL << 8192LL << false;
        QTest::newRow("1 x 16385") << 1LL << 16385LL << false;
    }
    void pixelBudget() {
        QFETCH(qint64, width);
        QFETCH(qint64, height);
        QFETCH(bool, allowed);
        QCOMPARE(pictureSizeAllowed(width, height), allowed);
    }

    // A damaged text chunk costs nothing but a warning; the pixels are all there.
    void damagedAncillaryChunkIsOnlyAWarning() {
        QByteArray png =
            pngFile(ihdrData(2, 1, 8, 2), unfiltered({QByteArray::fromHex("102030 a0b0c0")}),
                    {pngChunk("tEXt", "Comment\0hello"_ba)});
        const qsizetype text = png.indexOf("tEXt") - 4;
        png = withBadCrc(png, text);

        const DecodedPicture decoded = decodePng(png);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.image, rgbaImage(2, 1, {0xFF102030, 0xFFA0B0C0}));
        QCOMPARE(decoded.warnings.size(), 1);
        QVERIFY2(decoded.warnings.first().contains(u"CRC error"_s),
                 qPrintable(decoded.warnings.first()));
    }
};

QTEST_GUILESS_MAIN(TestPngDecoder)
#include "test_png_decoder.moc"
