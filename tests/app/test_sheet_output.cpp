// 打印预览 and 直接打印 on the real main window, offscreen: which sheet each
// takes on each page, and the settings each writes on that sheet alone.
#include "modal_answerer.h"
#include "program_fixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QWindow>

using namespace mainwindow;
using namespace Qt::StringLiterals;

namespace {

struct Settings {
    bool fit;
    int left;
    int right;
    int top;
};

Settings settingsOf(const AdvancedGrid* sheet) {
    return {sheet->fitToPageWidth(), sheet->printMargin(1), sheet->printMargin(2),
            sheet->printMargin(3)};
}

bool operator==(const Settings& a, const Settings& b) {
    return a.fit == b.fit && a.left == b.left && a.right == b.right && a.top == b.top;
}

} // namespace

namespace QTest {
template <> char* toString(const Settings& s) {
    return qstrdup(QStringLiteral("fit %1, left %2, right %3, top %4")
                       .arg(s.fit)
                       .arg(s.left)
                       .arg(s.right)
                       .arg(s.top)
                       .toUtf8()
                       .constData());
}
} // namespace QTest

class TestSheetOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachButtonTakesItsSheet_data();
    void eachButtonTakesItsSheet();
};

void TestSheetOutput::eachButtonTakesItsSheet_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("firstWindow");
    QTest::newRow("answers page, preview") << 0 << u"打印预览"_s << u"高级表格1"_s << u"打印预览"_s;
    QTest::newRow("problems page, preview")
        << 1 << u"打印预览"_s << u"高级表格2"_s << u"打印预览"_s;
    // Printing takes the other page's sheet; here no printer exists, so the
    // grid reports that instead of showing the print dialog.
    QTest::newRow("answers page, print") << 0 << u"打印"_s << u"高级表格2"_s << u"错误"_s;
    QTest::newRow("problems page, print") << 1 << u"打印"_s << u"高级表格1"_s << u"错误"_s;
}

void TestSheetOutput::eachButtonTakesItsSheet() {
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(QString, taken);
    QFETCH(QString, firstWindow);
    if (firstWindow == u"错误"_s && !QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("the system has a printer");

    ProgramFixture f;
    f.child<QAbstractButton>(u"按钮1"_s)->click();
    f.runtime().setProperty(window, 高级选择夹1, property::currentPage, wholeValue, page);
    auto* chosen = f.child<AdvancedGrid>(taken);
    AdvancedGrid* other = chosen == f.answerSheet() ? f.problemSheet() : f.answerSheet();
    // Margins a teacher changed earlier: the top one stays, the left one
    // is set back, and the other sheet keeps all of its own.
    chosen->setPrintMargin(3, 55);
    chosen->setPrintMargin(1, 100);
    other->setPrintMargin(1, 123);
    const Settings otherBefore = settingsOf(other);
    const QStringList chosenCells = [&] {
        QStringList cells;
        for (int r = 0; r < chosen->rowCount(); ++r)
            for (int c = 0; c < 4; ++c)
                cells << chosen->cellText(r, c);
        return cells;
    }();

    QString reported;
    bool mainWindowBlocked = false;
    ModalAnswerer answerer({[&](QWidget* modal) {
        // A click on the main window meanwhile, delivered as the window
        // system delivers it, does not reach the window.
        const quint32 before = f.program().randomSource().state();
        QWidget* generate = f.child(u"按钮1"_s);
        QTest::mouseClick(f.window()->windowHandle(), Qt::LeftButton, {},
                          generate->mapTo(f.window(), generate->rect().center()));
        mainWindowBlocked = QApplication::activeModalWidget() == modal &&
                            f.program().randomSource().state() == before;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            reported = box->text();
    }});
    QTest::mouseClick(f.child<QAbstractButton>(button), Qt::LeftButton);

    QCOMPARE(answerer.titles, QStringList{firstWindow});
    QVERIFY(mainWindowBlocked);
    if (firstWindow == u"错误"_s)
        QCOMPARE(reported, u"打印机初始化出错,请检查打印设置!"_s);
    QCOMPARE(settingsOf(chosen), (Settings{false, 240, 10, 55}));
    QCOMPARE(settingsOf(other), otherBefore);
    // The output changed nothing on the sheet itself.
    for (int r = 0, i = 0; r < chosen->rowCount(); ++r)
        for (int c = 0; c < 4; ++c, ++i)
            QCOMPARE(chosen->cellText(r, c), chosenCells[i]);
}

QTEST_MAIN(TestSheetOutput)
#include "test_sheet_output.moc"
