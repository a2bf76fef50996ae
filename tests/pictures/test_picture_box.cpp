#include "picture_box.h"
#include "picture_fixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

namespace {

const QColor buttonColour(0x12, 0x34, 0x56);
const QColor windowColour(0x65, 0x43, 0x21);

// A box with recognisable background colours, so painting can be checked pixel by pixel.
void prepare(PictureBox& box, QSize size, const QString& mode) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Button, buttonColour);
    palette.setColor(QPalette::Window, windowColour);
    box.setPalette(palette);
    box.resize(size);
    box.setDisplayMode(mode);
}

QImage painted(PictureBox& box) {
    return box.grab().toImage();
}

} // namespace

class TestPictureBox : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes `bytes` to a file in the scratch folder and returns its path.
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QString solidPng(const QString& name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(colour);
        return file(name, savedAs(image, "png"));
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void loadPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // empty: loads
        QImage image(5, 3, QImage::Format_RGB888);
        image.fill(Qt::darkCyan);
        const QByteArray png = savedAs(image, "png");
        const QByteArray jpeg = savedAs(image, "jpg");

        QTest::newRow("png") << u"a.png"_s << png << QString();
        QTest::newRow("capital PNG") << u"b.PNG"_s << png << QString();
        QTest::newRow("jpg") << u"c.jpg"_s << jpeg << QString();
        QTest::newRow("jpeg") << u"d.jpeg"_s << jpeg << QString();
        QTest::newRow("PNG named .jpg") << u"e.jpg"_s << png << u"e.jpg: not a JPEG image"_s;
        QTest::newRow("empty file") << u"f.png"_s << QByteArray() << u"f.png: empty data"_s;
        QTest::newRow("other type") << u"g.gif"_s << png << u"g.gif: not a picture type we read"_s;
        QTest::newRow("no suffix") << u"h"_s << png << u"h: not a picture type we read"_s;
    }
    void loadPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const DecodedPicture loaded = ::loadPicture(file(name, bytes));
        if (error.isEmpty()) {
            QVERIFY2(loaded.ok(), qPrintable(loaded.error));
            QCOMPARE(loaded.image.size(), QSize(5, 3));
        } else {
            QVERIFY(!loaded.ok());
            QVERIFY2(loaded.error.startsWith(error), qPrintable(loaded.error));
        }
    }

    void loadMissingFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::newRow("file") << m_dir.filePath(u"nothing.png"_s) << u"nothing.png: cannot read "_s;
        QTest::newRow("resource") << u":/pictures/nothing.jpg"_s
                                  << u"nothing.jpg: cannot read :/pictures/nothing.jpg"_s;
    }
    void loadMissingFiles() {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const DecodedPicture loaded = ::loadPicture(path);
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.error.startsWith(error), qPrintable(loaded.error));
    }

    // Where the picture goes, for pictures smaller than, equal to and larger than the box.
    void geometry_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("stretch, larger box")
            << u"stretch"_s << QSize(720, 120) << QSize(619, 124) << QRect(0, 0, 720, 120);
        QTest::newRow("stretch, smaller box")
            << u"stretch"_s << QSize(30, 40) << QSize(100, 10) << QRect(0, 0, 30, 40);
        QTest::newRow("centre, smaller picture")
            << u"centre"_s << QSize(100, 80) << QSize(40, 20) << QRect(30, 30, 40, 20);
        QTest::newRow("centre, odd margins")
            << u"centre"_s << QSize(101, 81) << QSize(40, 20) << QRect(30, 30, 40, 20);
        QTest::newRow("centre, same size")
            << u"centre"_s << QSize(50, 60) << QSize(50, 60) << QRect(0, 0, 50, 60);
        QTest::newRow("centre, wide picture")
            << u"centre"_s << QSize(200, 200) << QSize(400, 100) << QRect(0, 75, 200, 50);
        QTest::newRow("centre, tall picture")
            << u"centre"_s << QSize(200, 100) << QSize(100, 400) << QRect(87, 0, 25, 100);
        QTest::newRow("centre, only wider than the box")
            << u"centre"_s << QSize(100, 100) << QSize(150, 50) << QRect(0, 33, 100, 33);
        QTest::newRow("centre, only taller than the box")
            << u"centre"_s << QSize(300, 90) << QSize(60, 180) << QRect(135, 0, 30, 90);
        QTest::newRow("centre, about window")
            << u"centre"_s << QSize(240, 248) << QSize(1080, 1080) << QRect(0, 4, 240, 240);
    }
    void geometry() {
        QFETCH(QString, mode);
        QFETCH(QSize, box);
        QFETCH(QSize, picture);
        QFETCH(QRect, expected);

        PictureBox pictureBox;
        prepare(pictureBox, box, mode);
        QCOMPARE(pictureBox.pictureRect(), QRect());
        pictureBox.setPictureSource(solidPng(u"geometry.png"_s, picture, Qt::red));
        QCOMPARE(pictureBox.pictureError(), QString());
        QCOMPARE(pictureBox.pictureRect(), expected);

        // Painted there: picture colour inside, the button colour around it.
        const QImage shot = painted(pictureBox);
        QCOMPARE(shot.size(), box);
        for (int y = 0; y < box.height(); ++y) {
            for (int x = 0; x < box.width(); ++x) {
                const QColor want = expected.contains(x, y) ? QColor(Qt::red) : buttonColour;
                if (shot.pixelColor(x, y) != want)
                    QFAIL(qPrintable(u"pixel %1,%2 is %3, not %4"_s.arg(x).arg(y).arg(
                        shot.pixelColor(x, y).name(), want.name())));
            }
        }
    }

    // Stretching fills the box without keeping proportions: the left half of the picture lands
    // on the left half of the box, whatever the aspect.
    void stretchDistorts() {
        QImage halves(40, 10, QImage::Format_RGB888);
        halves.fill(Qt::blue);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                halves.setPixelColor(x, y, Qt::yellow);
        PictureBox box;
        prepare(box, QSize(60, 90), u"stretch"_s);
        box.setPictureSource(file(u"halves.png"_s, savedAs(halves, "png")));
        const QImage shot = painted(box);
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::yellow));
        QCOMPARE(shot.pixelColor(25, 85), QColor(Qt::yellow));
        QCOMPARE(shot.pixelColor(35, 5), QColor(Qt::blue));
        QCOMPARE(shot.pixelColor(55, 85), QColor(Qt::blue));
    }

    // The real pictures, from Qt resources as the windows give them.
    void realPictures_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("banner") << u":/pictures/banner.png"_s << u"stretch"_s << QSize(720, 120)
                                << QSize(619, 124) << QRect(0, 0, 720, 120);
        QTest::newRow("about picture")
            << u":/pictures/about.jpg"_s << u"centre"_s << QSize(240, 248) << QSize(1080, 1080)
            << QRect(0, 4, 240, 240);
    }
    void realPictures() {
        QFETCH(QString, source);
        QFETCH(QString, mode);
        QFETCH(QSize, box);
        QFETCH(QSize, picture);
        QFETCH(QRect, expected);
        PictureBox pictureBox;
        prepare(pictureBox, box, u"stretch"_s);
        pictureBox.setProperty("pictureSource", source);
        pictureBox.setProperty("displayMode", mode);
        QCOMPARE(pictureBox.property("pictureSource").toString(), source);
        QCOMPARE(pictureBox.property("displayMode").toString(), mode);
        QCOMPARE(pictureBox.pictureError(), QString());
        QCOMPARE(pictureBox.picture().size(), picture);
        QCOMPARE(pictureBox.pictureRect(), expected);
    }

    // A broken picture: the box lives on, empty, and says why once.
    void corruptSource() {
        const QString path = file(u"broken.png"_s, pngSignature + QByteArray(40, '\x11'));
        PictureBox box;
        box.setObjectName(u"图片框1"_s);
        prepare(box, QSize(30, 20), u"stretch"_s);

        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(u"^Picture box 图片框1: broken\\.png: corrupt PNG data: "_s));
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        box.setPictureSource(path);
        QVERIFY2(box.pictureError().startsWith(u"broken.png: corrupt PNG data: "_s),
                 qPrintable(box.pictureError()));
        QCOMPARE(box.pictureRect(), QRect());
        QVERIFY(box.picture().isNull());

        // Painting again and setting the same source again report nothing more.
        QImage background(box.size(), QImage::Format_RGB32);
        background.fill(buttonColour);
        QCOMPARE(painted(box).convertToFormat(QImage::Format_RGB32), background);
        box.setPictureSource(path);
        QCOMPARE(painted(box).convertToFormat(QImage::Format_RGB32), background);

        // A good picture afterwards clears the error.
        box.setPictureSource(solidPng(u"fine.png"_s, QSize(3, 3), Qt::green));
        QCOMPARE(box.pictureError(), QString());
        QCOMPARE(box.pictureRect(), QRect(0, 0, 30, 20));
    }

    void unknownDisplayModeIsRefused() {
        PictureBox box;
        box.setDisplayMode(u"stretch"_s);
        QTest::ignoreMessage(QtWarningMsg, "Picture box : unknown display mode \"tile\", keeping "
                                           "\"stretch\"");
        box.setDisplayMode(u"tile"_s);
        QCOMPARE(box.displayMode(), u"stretch"_s);
    }

    void emptySourceClearsThePicture() {
        PictureBox box;
        prepare(box, QSize(10, 10), u"centre"_s);
        box.setPictureSource(solidPng(u"small.png"_s, QSize(4, 4), Qt::red));
        QCOMPARE(box.pictureRect(), QRect(3, 3, 4, 4));
        box.setPictureSource(QString());
        QCOMPARE(box.pictureRect(), QRect());
        QCOMPARE(box.pictureError(), QString());
        QCOMPARE(painted(box).pixelColor(5, 5), buttonColour);
    }
};

QTEST_MAIN(TestPictureBox)
#include "test_picture_box.moc"
