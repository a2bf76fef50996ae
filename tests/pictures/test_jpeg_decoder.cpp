#include "jpeg_decoder.h"
#include "picture_fixtures.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace fixtures;

namespace {

// Flat 8 x 8 blocks of strong colours: JPEG keeps those close to their value.
QImage blocks(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    const QList<QRgb> colours = {qRgb(230, 40, 40), qRgb(40, 200, 60), qRgb(40, 80, 230),
                                 qRgb(250, 220, 60)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colours[(x / 8 + y / 8) % colours.size()]);
    return image;
}

int largestChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

// The number of colour components the frame header (SOF0 or SOF2) declares.
int jpegComponents(const QByteArray& jpeg) {
    qsizetype sof = jpegMarker(jpeg, 0xC0);
    if (sof < 0)
        sof = jpegMarker(jpeg, 0xC2);
    return sof < 0 ? -1 : static_cast<unsigned char>(jpeg.at(sof + 9));
}

// `jpeg` with the frame header's height and width replaced.
QByteArray withDeclaredSize(QByteArray jpeg, quint16 width, quint16 height) {
    const qsizetype sof = jpegMarker(jpeg, 0xC0);
    qToBigEndian(height, jpeg.data() + sof + 5);
    qToBigEndian(width, jpeg.data() + sof + 7);
    return jpeg;
}

} // namespace

class TestJpegDecoder : public QObject {
    Q_OBJECT

private slots:
    void aboutPicture() {
        const QString path = resourcesDir() + u"/about.jpg"_s;
        const QByteArray bytes = readFile(path);
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        QCOMPARE(jpegComponents(bytes), 3); // baseline (SOF0), three components
        QVERIFY(jpegMarker(bytes, 0xC2) < 0);

        const DecodedPicture decoded = decodeJpeg(bytes);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.warnings, QStringList());
        QCOMPARE(decoded.image.size(), QSize(1080, 1080));
        QCOMPARE(decoded.image.format(), QImage::Format_RGB888);
        QCOMPARE(largestChannelDifference(decoded.image, QImage(path)), 0);
    }

    // Colour and greyscale, baseline and progressive: the same pixels as Qt's own reader, and
    // the colours of the source in the middle of each block (so no channels are swapped).
    void variants_data() {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<int>("components");
        QTest::addColumn<QImage>("source");

        const QImage colour = blocks(32, 24);
        QTest::newRow("colour") << savedAs(colour, "jpg") << 3 << colour;
        QTest::newRow("colour, progressive") << savedAs(colour, "jpg", 90, true) << 3 << colour;
        const QImage odd = blocks(13, 7);
        QTest::newRow("colour, 13 x 7") << savedAs(odd, "jpg", 95) << 3 << odd;
        const QImage grey = blocks(24, 16).convertToFormat(QImage::Format_Grayscale8);
        QTest::newRow("greyscale") << savedAs(grey, "jpg") << 1 << grey;
    }
    void variants() {
        QFETCH(QByteArray, jpeg);
        QFETCH(int, components);
        QFETCH(QImage, source);
        QCOMPARE(jpegComponents(jpeg), components);

        const DecodedPicture decoded = decodeJpeg(jpeg);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.format(), QImage::Format_RGB888);
        QCOMPARE(decoded.image.size(), source.size());
        QCOMPARE(largestChannelDifference(decoded.image, QImage::fromData(jpeg)), 0);
        for (int y = 4; y < source.height(); y += 8) {
            for (int x = 4; x < source.width(); x += 8) {
                const QImage expected = source.copy(x, y, 1, 1);
                const QImage actual = decoded.image.copy(x, y, 1, 1);
                QVERIFY2(largestChannelDifference(expected, actual) <= 12,
                         qPrintable(u"at %1,%2"_s.arg(x).arg(y)));
            }
        }
    }

    void damagedInputs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");

        const QByteArray good = savedAs(blocks(64, 48), "jpg");
        QVERIFY(decodeJpeg(good).ok());
        const qsizetype scan = jpegMarker(good, 0xDA);
        QVERIFY(scan > 0);

        QByteArray noise(300, '\0');
        QRandomGenerator random(99);
        for (char& c : noise)
            c = char(random.bounded(256));

        QTest::newRow("empty") << QByteArray() << u"empty data"_s;
        QTest::newRow("random bytes") << noise << u"not a JPEG image"_s;
        QTest::newRow("a PNG") << savedAs(QImage(4, 4, QImage::Format_RGB888), "png")
                               << u"not a JPEG image"_s;
        QTest::newRow("one byte") << good.left(1) << u"not a JPEG image"_s;
        QTest::newRow("start marker only") << good.left(2) << u"corrupt JPEG data: "_s;
        QTest::newRow("headers, no scan") << good.left(scan) << u"corrupt JPEG data: "_s;
        QTest::newRow("scan header only") << good.left(scan + 14) << u"corrupt JPEG data: "_s;
        QTest::newRow("half the scan")
            << good.left((scan + good.size()) / 2) << u"Premature end of JPEG file"_s;
        QTest::newRow("no end marker")
            << good.left(good.size() - 2) << u"Premature end of JPEG file"_s;
        QTest::newRow("last byte missing")
            << good.left(good.size() - 1) << u"corrupt JPEG data: "_s;
        QByteArray cut = good;
        cut.insert((scan + good.size()) / 2, QByteArray::fromHex("ffd9"));
        QTest::newRow("end marker inside the scan") << cut << u"corrupt JPEG data: "_s;
        QTest::newRow("no frame header")
            << good.left(2) + good.mid(scan) << u"corrupt JPEG data: "_s;
        QTest::newRow("zero height") << withDeclaredSize(good, 64, 0) << u"corrupt JPEG data: "_s;
        // Only the declared size is wrong: refused before decoding starts.
        QTest::newRow("60000 x 60000")
            << withDeclaredSize(good, 60000, 60000) << u"picture too large: 60000 × 60000 pixels"_s;
        QTest::newRow("20000 x 8")
            << withDeclaredSize(good, 20000, 8) << u"picture too large: 20000 × 8 pixels"_s;
        QTest::newRow("9000 x 9000")
            << withDeclaredSize(good, 9000, 9000) << u"picture too large: 9000 × 9000 pixels"_s;
    }
    void damagedInputs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const DecodedPicture decoded = decodeJpeg(bytes);
        QVERIFY(!decoded.ok());
        QVERIFY2(decoded.error.contains(error), qPrintable(decoded.error));
        QVERIFY(decoded.image.isNull());
    }

    // An unknown JFIF revision says nothing about the pixels: decoded, with a warning kept.
    void unknownJfifRevisionIsOnlyAWarning() {
        const QImage source = blocks(16, 16);
        QByteArray jpeg = savedAs(source, "jpg");
        QCOMPARE(jpeg.mid(6, 5), "JFIF\0"_ba);
        jpeg[11] = char(7); // major version
        const DecodedPicture decoded = decodeJpeg(jpeg);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), source.size());
        QCOMPARE(decoded.warnings.size(), 1);
        QVERIFY2(decoded.warnings.first().contains(u"JFIF revision"_s),
                 qPrintable(decoded.warnings.first()));
    }
};

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "test_jpeg_decoder.moc"
