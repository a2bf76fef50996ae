// The menu of the main window and the about window it opens: modal, built
// afresh from its description at every opening, with its labels and picture
// in place, and opening even when its picture is damaged.
#include "picture_box.h"
#include "program_fixture.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize describedSize(487, 227);

QPoint centredOnScreen(QSize size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return screen.topLeft() +
           QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
}

QAction* authorItem(ProgramFixture& f) {
    return f.window()->findChild<QAction*>(u"菜单_作者"_s);
}

// Chooses "作者" and runs `whileOpen` on the about window from inside the
// handler's nested loop, then closes the window. Returns whether the window
// was there and closed when asked. A safety timer closes it otherwise, so a
// failing test cannot hang.
bool withAboutWindow(ProgramFixture& f, const std::function<void(FormWindow*)>& whileOpen) {
    bool appeared = false;
    QTimer::singleShot(0, f.window(), [&] {
        FormWindow* about = f.runtime().window(aboutwindow::window);
        appeared = about && QTest::qWaitForWindowExposed(about);
        if (!about)
            return;
        whileOpen(about);
        about->close();
    });
    bool closedBySafety = false;
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, f.window(), [&] {
        FormWindow* about = f.runtime().window(aboutwindow::window);
        closedBySafety = about != nullptr;
        delete about;
    });
    safety.start(5000);
    authorItem(f)->trigger();
    return appeared && !closedBySafety;
}

// Every pixel in the one colour.
bool isFilledWith(const QImage& image, const QColor& colour) {
    QImage expected(image.size(), image.format());
    expected.fill(colour);
    return image == expected;
}

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuTree();
    void choosingAuthorOpensTheWindowModally();
    void windowSettings();
    void controlsInPlace_data();
    void controlsInPlace();
    void pictureScaledAndPlaced();
    void reopeningShowsTheStoredSizeAndPlace();
    void controlsKeepTheirPlacesWhenResized_data();
    void controlsKeepTheirPlacesWhenResized();
    void corruptPictureStillOpens();
};

void TestAboutWindow::menuTree() {
    ProgramFixture f;
    const QList<QAction*> bar = f.window()->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QAction* menuItem = bar.first();
    QCOMPARE(menuItem->text(), u"关于作者"_s);
    QVERIFY(menuItem->menu());

    const QList<QAction*> items = menuItem->menu()->actions();
    QCOMPARE(items.size(), 1);
    QAction* author = items.first();
    QCOMPARE(author, authorItem(f));
    QCOMPARE(author->text(), u"作者"_s);
    QVERIFY(!author->isSeparator());
    QVERIFY(!author->menu());
    for (QAction* item : {menuItem, author}) {
        QVERIFY(item->isVisible() && item->isEnabled());
        QVERIFY(!item->isChecked());
        QVERIFY2(!item->text().contains(u'&'), qPrintable(item->text()));
        QVERIFY(item->shortcut().isEmpty());
    }
}

void TestAboutWindow::choosingAuthorOpensTheWindowModally() {
    ProgramFixture f;
    FormWindow* main = f.window();
    bool handlerReturned = false;
    bool ranWhileHandlerBlocked = false;
    bool mainDisabled = false;
    bool aboutShown = false;
    QPointer<FormWindow> about;
    QTimer::singleShot(0, main, [&] {
        ranWhileHandlerBlocked = !handlerReturned;
        mainDisabled = !main->isEnabled();
        about = f.runtime().window(aboutwindow::window);
        aboutShown = about && about->isVisible();
        if (about && QTest::qWaitForWindowActive(about))
            QTest::keyClick(about, Qt::Key_Escape);
    });
    // Should Esc not close it, close it here so the handler returns and the
    // test fails instead of hanging.
    bool closedBySafety = false;
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, main, [&] {
        closedBySafety = about != nullptr;
        delete about;
    });
    safety.start(5000);

    authorItem(f)->trigger();
    handlerReturned = true;

    QVERIFY(ranWhileHandlerBlocked);
    QVERIFY(aboutShown);
    QVERIFY(mainDisabled);
    QVERIFY(!closedBySafety);
    QVERIFY(about.isNull()); // closed by Esc and destroyed
    QCOMPARE(f.runtime().window(aboutwindow::window), nullptr);
    QCOMPARE(f.window(), main);
    QVERIFY(main->isVisible());
    QVERIFY(main->isEnabled());
}

void TestAboutWindow::windowSettings() {
    ProgramFixture f;
    const QImage icon = loadPicture(u":/pictures/icon.png"_s).image;
    QVERIFY(!icon.isNull());
    const bool appeared = withAboutWindow(f, [&](FormWindow* about) {
        QCOMPARE(about->windowTitle(), QString());
        QCOMPARE(about->size(), describedSize);
        QCOMPARE(about->pos(), centredOnScreen(describedSize));
        QVERIFY(about->minimumSize() != about->maximumSize()); // resizable
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!about->menuWidget());
        // Its own icon, not one merely inherited from the application.
        QVERIFY(about->testAttribute(Qt::WA_SetWindowIcon));
        QCOMPARE(about->windowIcon()
                     .pixmap(icon.size())
                     .toImage()
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 icon.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    });
    QVERIFY(appeared);
}

void TestAboutWindow::controlsInPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("number");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<int>("stackedFromTop");
    QTest::newRow("透明标签1") << u"透明标签1"_s << 0x1601B6A4u << QRect(88, 112, 56, 32) << 0;
    QTest::newRow("透明标签4") << u"透明标签4"_s << 0x1601B6A5u << QRect(19, 47, 208, 32) << 1;
    QTest::newRow("图片框2") << u"图片框2"_s << 0x1601B6A6u << QRect(237, -9, 240, 248) << 2;
}

void TestAboutWindow::controlsInPlace() {
    QFETCH(QString, name);
    QFETCH(uint, number);
    QFETCH(QRect, place);
    QFETCH(int, stackedFromTop);
    ProgramFixture f;
    const bool appeared = withAboutWindow(f, [&](FormWindow* about) {
        auto* control = about->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(f.runtime().control(aboutwindow::window, number), control);
        QCOMPARE(control->parentWidget(), about->centralWidget());
        QCOMPARE(control->geometry(), place);
        QVERIFY(control->isVisible());
        // Qt stacks later children on top.
        const QList<QWidget*> siblings =
            about->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(siblings.indexOf(control), siblings.size() - 1 - stackedFromTop);
    });
    QVERIFY(appeared);
}

void TestAboutWindow::pictureScaledAndPlaced() {
    ProgramFixture f;
    const bool appeared = withAboutWindow(f, [&](FormWindow* about) {
        auto* tip = about->findChild<QLabel*>(u"透明标签1"_s);
        auto* notice = about->findChild<QLabel*>(u"透明标签4"_s);
        auto* box = about->findChild<PictureBox*>(u"图片框2"_s);
        QVERIFY(tip && notice && box);
        QCOMPARE(tip->text(), u"自愿打赏"_s);
        QCOMPARE(tip->font(), QApplication::font());
        QVERIFY(!notice->text().trimmed().isEmpty());
        QCOMPARE(notice->font().pixelSize(), 14);
        QCOMPARE(notice->font().families(), QApplication::font().families());
        QCOMPARE(notice->font().weight(), QFont::Normal);
        QVERIFY(!notice->font().italic() && !notice->font().underline());

        QCOMPARE(box->pictureError(), QString());
        QCOMPARE(box->picture().size(), QSize(1080, 1080));
        QCOMPARE(box->pictureRect(), QRect(0, 4, 240, 240));
        const QImage shown = box->grab().toImage();
        QVERIFY(
            !isFilledWith(shown.copy(box->pictureRect()), box->palette().color(QPalette::Button)));
    });
    QVERIFY(appeared);
}

void TestAboutWindow::reopeningShowsTheStoredSizeAndPlace() {
    ProgramFixture f;
    QPointer<FormWindow> first;
    QVERIFY(withAboutWindow(f, [&](FormWindow* about) {
        first = about;
        about->move(about->pos() + QPoint(-100, 60));
        about->resize(320, 400);
        QCOMPARE(about->size(), QSize(320, 400));
    }));
    QVERIFY(first.isNull());
    QVERIFY(withAboutWindow(f, [&](FormWindow* about) {
        QCOMPARE(about->size(), describedSize);
        QCOMPARE(about->pos(), centredOnScreen(describedSize));
    }));
}

void TestAboutWindow::controlsKeepTheirPlacesWhenResized_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("larger") << QSize(700, 450);
    QTest::newRow("smaller") << QSize(200, 100);
}

void TestAboutWindow::controlsKeepTheirPlacesWhenResized() {
    QFETCH(QSize, size);
    ProgramFixture f;
    const bool appeared = withAboutWindow(f, [&](FormWindow* about) {
        const QList<QWidget*> controls =
            about->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 3);
        QList<QRect> before;
        for (const QWidget* c : controls)
            before.append(c->geometry());
        const QRect picture = about->findChild<PictureBox*>()->pictureRect();

        about->resize(size);
        QCOMPARE(about->size(), size);
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), before[i]);
        QCOMPARE(about->findChild<PictureBox*>()->pictureRect(), picture);
    });
    QVERIFY(appeared);
}

void TestAboutWindow::corruptPictureStillOpens() {
    // The about window's own description, its picture swapped for a JPEG cut
    // off in the middle of its pixels.
    QFile goodPicture(u":/pictures/about.jpg"_s);
    QVERIFY(goodPicture.open(QIODevice::ReadOnly));
    const QByteArray good = goodPicture.readAll();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString broken = dir.filePath(u"about.jpg"_s);
    QFile out(broken);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(good.left(good.size() / 2)), good.size() / 2);
    out.close();

    QFile form(u":/forms/about.ui"_s);
    QVERIFY(form.open(QIODevice::ReadOnly));
    QByteArray description = form.readAll();
    QVERIFY(description.contains(":/pictures/about.jpg"));
    description.replace(":/pictures/about.jpg", broken.toUtf8());

    FormRuntime runtime;
    QVERIFY(runtime.addDescription(description, u"about.ui"_s));
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(u"^Picture box 图片框2: about\\.jpg: corrupt JPEG data"_s));
    QVERIFY2(runtime.openWindow(aboutwindow::window, nullptr, false),
             qPrintable(runtime.lastError()));
    std::unique_ptr<FormWindow> about(runtime.window(aboutwindow::window));
    QVERIFY(about && about->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(about.get()));

    auto* box = runtime.control<PictureBox>(aboutwindow::window, 0x1601B6A6);
    QVERIFY(box);
    QVERIFY(box->pictureError().startsWith(u"about.jpg: corrupt JPEG data: "_s));
    QVERIFY(box->pictureRect().isEmpty());
    QVERIFY(isFilledWith(box->grab().toImage(), box->palette().color(QPalette::Button)));
    QCOMPARE(runtime.control<QLabel>(aboutwindow::window, 0x1601B6A4)->text(), u"自愿打赏"_s);
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
