// The main window as its description builds it: every control in its place
// and starting state, the range boxes' integer input, the count group and
// the tab pages.
#include "program_fixture.h"
#include "tab_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>

using namespace mainwindow;
using namespace Qt::StringLiterals;

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowSettings();
    void controlsInPlace_data();
    void controlsInPlace();
    void startingStates();
    void typingFilter_data();
    void typingFilter();
    void normalisedOnLeaving_data();
    void normalisedOnLeaving();
    void pasteIsNotFilteredUntilLeaving();
    void caretStaysWhereTheSelectionBegan();
    void countGroupKeepsOneSelected();
    void tabPagesShowTheirOwnGrid();
    void accessibleNames_data();
    void accessibleNames();
    void tabOrderFollowsTheWindow();
};

void TestMainWindow::windowSettings() {
    ProgramFixture f;
    FormWindow* w = f.window();
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Numvale v1.0 教师版"));
    QCOMPARE(w->size(), QSize(725, 515));
    QCOMPARE(w->minimumSize(), w->maximumSize()); // not resizable
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    const QRect screen = w->screen()->geometry();
    QCOMPARE(w->pos(), QPoint((screen.width() - 725) / 2, (screen.height() - 515) / 2));
    QVERIFY(!QApplication::windowIcon().isNull());
}

void TestMainWindow::controlsInPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<uint>("number");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");

    const auto row = [](const char* name, const char* parent, uint number, QRect place,
                        const char* text) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(parent) << number
                            << place << QString::fromUtf8(text);
    };
    row("透明标签2", "分组框4", 0x1601B6A1, {97, 40, 65, 24}, "同左..^*^");
    row("透明标签_总体数字", "分组框5", 0x1601B632, {529, 16, 128, 24}, "当前已经生成总题数");
    row("按钮1", "分组框5", 0x1601B62F, {8, 9, 88, 32}, "生成试卷");
    row("打印预览", "分组框5", 0x1601B630, {122, 8, 88, 32}, "打印预览");
    row("打印", "分组框5", 0x1601B631, {226, 8, 88, 32}, "直接打印");
    row("分组框5", "客户区", 0x1601B62E, {3, 164, 709, 44}, "");
    row("高级表格2", "页_原题", 0x1601B626, {2, 22, 699, 256}, "");
    row("高级表格1", "页_试题答案", 0x1601B625, {2, 22, 699, 256}, "");
    row("高级选择夹1", "客户区", 0x1601B624, {8, 213, 700, 272}, "");
    row("单选框_70道", "分组框3", 0x16015D69, {8, 49, 48, 16}, "70道");
    row("选择框_算法3", "分组框4", 0x16015D5E, {8, 46, 68, 16}, "（）+b=c");
    row("选择框_算法2", "分组框4", 0x16015D5F, {96, 22, 68, 16}, "a+（）=c");
    row("选择框_算法1", "分组框4", 0x16015D60, {8, 22, 68, 16}, "a+b=（）");
    row("分组框4", "客户区", 0x16015D5D, {529, 93, 183, 72}, "显示格式");
    row("单选框_10道", "分组框3", 0x16015D52, {8, 26, 48, 16}, "10道");
    row("单选框_50道", "分组框3", 0x16015D53, {60, 26, 48, 16}, "50道");
    row("单选框_100道", "分组框3", 0x16015D54, {60, 50, 52, 16}, "100道");
    row("分组框3", "客户区", 0x16015D51, {193, 93, 119, 72}, "题目数量");
    row("选择框_乘法", "分组框2", 0x16015D48, {110, 20, 44, 24}, "乘法");
    row("选择框_除法", "分组框2", 0x16015D49, {161, 20, 44, 24}, "除法");
    row("选择框_减法", "分组框2", 0x16015D4A, {57, 19, 44, 24}, "减法");
    row("透明标签3", "分组框2", 0x16015D4B, {9, 42, 176, 24}, "支持单、双、多、选任意组合");
    row("选择框_加法", "分组框2", 0x16015D4C, {8, 19, 44, 24}, "加法");
    row("分组框2", "客户区", 0x16015D34, {313, 93, 215, 72}, "算法方式");
    row("透明标签1", "分组框1", 0x16012CAB, {10, 51, 130, 16}, "默认空，最小1至大100");
    row("编辑框_最大整数", "分组框1", 0x16012CA3, {142, 24, 35, 24}, "");
    row("透明标签_最大数", "分组框1", 0x16012CA4, {97, 20, 40, 32}, "最大数");
    row("编辑框_最小整数", "分组框1", 0x16012CA5, {52, 23, 35, 24}, "");
    row("透明标签_最小数", "分组框1", 0x16012CA6, {8, 19, 40, 32}, "最小数");
    row("分组框1", "客户区", 0x16012CA2, {3, 93, 189, 72}, "计算范围");
    row("图片框1", "客户区", 0x1601B6A0, {-3, -4, 720, 120}, "");
}

static QString shownText(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    return {};
}

void TestMainWindow::controlsInPlace() {
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(uint, number);
    QFETCH(QRect, place);
    QFETCH(QString, text);

    ProgramFixture f;
    QWidget* control = f.child(name);
    QVERIFY(control);
    QCOMPARE(f.runtime().control(window, number), control);
    QCOMPARE(control->parentWidget()->objectName(), parentName);
    QCOMPARE(control->geometry(), place);
    QCOMPARE(shownText(control), text);
}

void TestMainWindow::startingStates() {
    ProgramFixture f;
    const auto checked = [&](quint32 box) {
        return integerOf(f.runtime().getProperty(window, box, property::isChecked));
    };
    QCOMPARE(checked(单选框_10道), 1);
    for (quint32 box : {单选框_50道, 单选框_70道, 单选框_100道, 选择框_减法, 选择框_乘法,
                        选择框_除法, 选择框_算法1, 选择框_算法2, 选择框_算法3})
        QCOMPARE(checked(box), 0);
    QCOMPARE(checked(选择框_加法), 1);
    QCOMPARE(textOf(f.runtime().getProperty(window, 编辑框_最小整数, property::content)),
             QString());
    QCOMPARE(textOf(f.runtime().getProperty(window, 编辑框_最大整数, property::content)),
             QString());
    QCOMPARE(integerOf(f.runtime().getProperty(window, 高级选择夹1, property::currentPage)), 1);
    QVERIFY(f.problemSheet()->isVisible());
    QVERIFY(!f.answerSheet()->isVisible());

    // Grey hints, black captions.
    const auto colourOf = [&](const char* label) {
        return f.child<QLabel>(QString::fromUtf8(label))->palette().color(QPalette::WindowText);
    };
    for (const char* grey : {"透明标签1", "透明标签2", "透明标签3"})
        QCOMPARE(colourOf(grey), QColor(0x80, 0x80, 0x80));
    for (const char* black : {"透明标签_总体数字", "透明标签_最大数", "透明标签_最小数"})
        QCOMPARE(colourOf(black), QColor(Qt::black));

    // The menu bar carries the one menu.
    QMenuBar* menuBar = f.window()->menuBar();
    QCOMPARE(menuBar->actions().size(), 1);
    QCOMPARE(menuBar->actions().first()->text(), QStringLiteral("关于作者"));
}

void TestMainWindow::typingFilter_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("letters dropped") << u"12a"_s << u"12"_s;
    QTest::newRow("minus anywhere") << u"1-2-"_s << u"1-2-"_s;
    QTest::newRow("space and point dropped") << u" 3.5"_s << u"35"_s;
    QTest::newRow("full-width digit dropped") << QStringLiteral("７8") << u"8"_s;
    QTest::newRow("no length limit") << u"12345678901234567890"_s << u"12345678901234567890"_s;
}

void TestMainWindow::typingFilter() {
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    ProgramFixture f;
    auto* box = f.child<QLineEdit>(QStringLiteral("编辑框_最小整数"));
    box->setFocus();
    ProgramFixture::type(box, keys);
    QCOMPARE(box->text(), expected);
    QTest::keyClick(box, Qt::Key_Backspace); // control keys pass
    QCOMPARE(box->text(), expected.chopped(1));
}

void TestMainWindow::normalisedOnLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << u"0"_s << u""_s;
    QTest::newRow("lone minus") << u"-"_s << u""_s;
    QTest::newRow("minus zero") << u"-0"_s << u""_s;
    QTest::newRow("too large") << u"99999999999"_s << u"2147483647"_s;
    QTest::newRow("too small") << u"-99999999999"_s << u"-2147483648"_s;
    QTest::newRow("minus inside") << u"12-3"_s << u"12"_s;
    QTest::newRow("leading zeros") << u"007"_s << u"7"_s;
    QTest::newRow("negative") << u"-25"_s << u"-25"_s;
}

void TestMainWindow::normalisedOnLeaving() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    ProgramFixture f;
    auto* box = f.child<QLineEdit>(QStringLiteral("编辑框_最大整数"));
    f.window()->activateWindow();
    box->setFocus();
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), typed); // nothing happens before the box is left
    f.child(QStringLiteral("编辑框_最小整数"))->setFocus();
    QCOMPARE(box->text(), expected);
}

void TestMainWindow::pasteIsNotFilteredUntilLeaving() {
    ProgramFixture f;
    auto* box = f.child<QLineEdit>(QStringLiteral("编辑框_最小整数"));
    box->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("abc"));
    f.child(QStringLiteral("编辑框_最大整数"))->setFocus();
    QCOMPARE(box->text(), QString());
}

void TestMainWindow::caretStaysWhereTheSelectionBegan() {
    ProgramFixture f;
    auto* box = f.child<QLineEdit>(QStringLiteral("编辑框_最小整数"));
    box->setFocus();
    QTest::keyClicks(box, u"00123"_s);
    box->setSelection(1, 2);
    f.child(QStringLiteral("编辑框_最大整数"))->setFocus();
    QCOMPARE(box->text(), QStringLiteral("123"));
    QCOMPARE(box->cursorPosition(), 1);
}

void TestMainWindow::countGroupKeepsOneSelected() {
    ProgramFixture f;
    const QStringList names{QStringLiteral("单选框_10道"), QStringLiteral("单选框_50道"),
                            QStringLiteral("单选框_70道"), QStringLiteral("单选框_100道")};
    for (const QString& clicked : names) {
        auto* button = f.child<QRadioButton>(clicked);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        for (const QString& other : names)
            QCOMPARE(f.child<QRadioButton>(other)->isChecked(), other == clicked);
    }
    // A property write may still clear the selection: the count then reads 0.
    f.runtime().setProperty(window, 单选框_100道, property::isChecked, wholeValue, 0);
    for (const QString& name : names)
        QVERIFY(!f.child<QRadioButton>(name)->isChecked());
}

void TestMainWindow::tabPagesShowTheirOwnGrid() {
    ProgramFixture f;
    auto* tabs = f.child<TabControl>(QStringLiteral("高级选择夹1"));
    QCOMPARE(tabs->tabBar()->count(), 2);
    QCOMPARE(tabs->tabBar()->tabText(0), QStringLiteral(" 试题答案 "));
    QCOMPARE(tabs->tabBar()->tabText(1), QStringLiteral(" 原题 "));
    QCOMPARE(tabs->tabBar()->currentIndex(), 1);

    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    QCOMPARE(integerOf(f.runtime().getProperty(window, 高级选择夹1, property::currentPage)), 0);
    QVERIFY(f.answerSheet()->isVisible());
    QVERIFY(!f.problemSheet()->isVisible());

    f.runtime().setProperty(window, 高级选择夹1, property::currentPage, wholeValue, 1);
    QVERIFY(f.problemSheet()->isVisible());
    QVERIFY(!f.answerSheet()->isVisible());
}

void TestMainWindow::accessibleNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessible");
    QTest::newRow("min box") << QStringLiteral("编辑框_最小整数") << QStringLiteral("最小数");
    QTest::newRow("max box") << QStringLiteral("编辑框_最大整数") << QStringLiteral("最大数");
    QTest::newRow("answer sheet") << QStringLiteral("高级表格1") << QStringLiteral("试题答案");
    QTest::newRow("problem sheet") << QStringLiteral("高级表格2") << QStringLiteral("原题");
}

void TestMainWindow::accessibleNames() {
    QFETCH(QString, name);
    QFETCH(QString, accessible);
    ProgramFixture f;
    QCOMPARE(f.child(name)->accessibleName(), accessible);
}

void TestMainWindow::tabOrderFollowsTheWindow() {
    ProgramFixture f;
    f.window()->activateWindow();
    QWidget* box = f.child(QStringLiteral("编辑框_最小整数"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("编辑框_最大整数"));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
