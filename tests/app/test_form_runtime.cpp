// The form runtime on small descriptions of its own: window numbers, event
// bindings, the order of creation, modal windows, property kinds, failures
// and the end of the event loop.
#include "advanced_grid.h"
#include "form_runtime.h"
#include "form_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

static QByteArray description(const char* number, const char* bindings, const char* body) {
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><class>测试窗口</class>
<widget class="窗口" name="测试窗口">
<property name="windowNumber" stdset="0"><string>)") +
           number + R"(</string></property>
<property name="eventBindings" stdset="0"><string>)" +
           bindings + R"(</string></property>
<property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>200</height></rect></property>
<property name="escapeCloses"><bool>true</bool></property>
<widget class="QWidget" name="客户区">
)" + body + R"(
</widget></widget></ui>)";
}

static const char* const controls = R"(
<widget class="按钮" name="按钮_测试"><property name="controlNumber" stdset="0"><string>0x100</string></property>
  <property name="eventBindings" stdset="0"><string>0:clicked</string></property>
  <property name="text"><string>按</string></property></widget>
<widget class="编辑框" name="编辑框_测试"><property name="controlNumber" stdset="0"><string>0x101</string></property></widget>
<widget class="选择框" name="选择框_测试"><property name="controlNumber" stdset="0"><string>0x102</string></property>
  <property name="checked"><bool>true</bool></property></widget>
<widget class="透明标签" name="透明标签_测试"><property name="controlNumber" stdset="0"><string>0x103</string></property></widget>
<widget class="高级表格" name="高级表格_测试"><property name="controlNumber" stdset="0"><string>0x104</string></property></widget>
)";

class TestFormRuntime : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createdEventRunsBeforeTheWindowAppears();
    void buttonClickReachesItsHandler();
    void propertyKindsAndValues();
    void modalWindowDisablesTheOthersUntilClosed();
    void failuresAreReported_data();
    void failuresAreReported();
    void closingTheLastWindowEndsTheLoopWithZero_data();
    void closingTheLastWindowEndsTheLoopWithZero();
};

void TestFormRuntime::createdEventRunsBeforeTheWindowAppears() {
    FormRuntime runtime;
    int created = 0;
    int clicks = 0;
    bool visibleWhenCreated = true;
    bool controlsThereWhenCreated = false;
    runtime.setHandlers({{QStringLiteral("created"),
                          [&] {
                              ++created;
                              FormWindow* w = runtime.window(0x7001);
                              visibleWhenCreated = w && w->isVisible();
                              controlsThereWhenCreated = runtime.control(0x7001, 0x104) != nullptr;
                          }},
                         {QStringLiteral("clicked"), [&] {
                              ++clicks;
                          }}});
    QVERIFY(runtime.addDescription(description("0x7001", "0:created", controls), u"t"_s));
    QVERIFY2(runtime.openWindow(0x7001, nullptr, false), qPrintable(runtime.lastError()));
    QCOMPARE(created, 1);
    QCOMPARE(clicks, 0);
    QVERIFY(!visibleWhenCreated);
    QVERIFY(controlsThereWhenCreated);
    QVERIFY(runtime.window(0x7001)->isVisible());
    delete runtime.window(0x7001);
    QCOMPARE(runtime.window(0x7001), nullptr);
    QCOMPARE(runtime.control(0x7001, 0x100), nullptr);
}

void TestFormRuntime::buttonClickReachesItsHandler() {
    FormRuntime runtime;
    int clicks = 0;
    runtime.setHandlers({{QStringLiteral("clicked"), [&] {
                              ++clicks;
                          }}});
    QVERIFY(runtime.addDescription(description("0x7002", "", controls), u"t"_s));
    QVERIFY(runtime.openWindow(0x7002, nullptr, false));
    auto* button = runtime.control<QPushButton>(0x7002, 0x100);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicks, 2);
    delete runtime.window(0x7002);
}

void TestFormRuntime::propertyKindsAndValues() {
    FormRuntime runtime;
    runtime.setHandlers({{QStringLiteral("clicked"), [] {
                          }}});
    QVERIFY(runtime.addDescription(description("0x7003", "", controls), u"t"_s));
    QVERIFY(runtime.openWindow(0x7003, nullptr, false));

    // An empty box reads as the empty text; a text write holds at once.
    const PropertyValue empty = runtime.getProperty(0x7003, 0x101, property::content);
    QVERIFY(std::holds_alternative<QString>(empty));
    QCOMPARE(textOf(empty), QString());
    const QString written = QStringLiteral("１２ab");
    runtime.setProperty(0x7003, 0x101, property::content, wholeValue, written);
    QCOMPARE(runtime.control<QLineEdit>(0x7003, 0x101)->text(), written);
    QCOMPARE(textOf(runtime.getProperty(0x7003, 0x101, property::content)), written);

    // Booleans read as exactly 1 or 0; any non-zero write is true.
    QCOMPARE(runtime.getProperty(0x7003, 0x102, property::isChecked), PropertyValue(qint32(1)));
    runtime.setProperty(0x7003, 0x102, property::isChecked, wholeValue, 0);
    QCOMPARE(runtime.getProperty(0x7003, 0x102, property::isChecked), PropertyValue(qint32(0)));
    runtime.setProperty(0x7003, 0x102, property::isChecked, wholeValue, -7);
    QCOMPARE(runtime.getProperty(0x7003, 0x102, property::isChecked), PropertyValue(qint32(1)));

    runtime.setProperty(0x7003, 0x103, property::labelText, wholeValue, u"标签"_s);
    QCOMPARE(textOf(runtime.getProperty(0x7003, 0x103, property::labelText)), u"标签"_s);

    // Colours are 0x00BBGGRR; the grid's fit setting is a boolean at 32.
    runtime.setProperty(0x7003, 0x104, property::gridLineColor, wholeValue, 0x00FF8040);
    QCOMPARE(runtime.control<AdvancedGrid>(0x7003, 0x104)->gridLineColor(), 0x00FF8040u);
    QCOMPARE(integerOf(runtime.getProperty(0x7003, 0x104, property::gridLineColor)), 0x00FF8040);
    QCOMPARE(integerOf(runtime.getProperty(0x7003, 0x104, property::fitToPageWidth)), 1);
    runtime.setProperty(0x7003, 0x104, property::fitToPageWidth, wholeValue, 0);
    QCOMPARE(integerOf(runtime.getProperty(0x7003, 0x104, property::fitToPageWidth)), 0);
    delete runtime.window(0x7003);
}

void TestFormRuntime::modalWindowDisablesTheOthersUntilClosed() {
    FormRuntime runtime;
    runtime.setHandlers({{QStringLiteral("clicked"), [] {
                          }}});
    QVERIFY(runtime.addDescription(description("0x7004", "", controls), u"t"_s));
    QVERIFY(runtime.addDescription(description("0x7005", "", ""), u"t"_s));
    QVERIFY(runtime.openWindow(0x7004, nullptr, false));
    FormWindow* owner = runtime.window(0x7004);

    bool ownerDisabledMeanwhile = false;
    QTimer::singleShot(0, owner, [&] {
        ownerDisabledMeanwhile = !owner->isEnabled();
        FormWindow* modal = runtime.window(0x7005);
        QVERIFY(QTest::qWaitForWindowActive(modal));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    // Never hang the suite: a window still open after Esc fails below.
    QTimer::singleShot(5000, owner, [&] { delete runtime.window(0x7005); });
    QElapsedTimer open;
    open.start();
    QVERIFY(runtime.openWindow(0x7005, nullptr, true)); // returns once closed
    QVERIFY(open.elapsed() < 4000);
    QVERIFY(ownerDisabledMeanwhile);
    QVERIFY(owner->isEnabled());
    QCOMPARE(runtime.window(0x7005), nullptr);
    delete owner;
}

void TestFormRuntime::failuresAreReported_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("not a description") << QByteArray("garbage") << false << "no window number";
    QTest::newRow("broken XML")
        << description("0x7006", "", controls).replace("</widget></widget></ui>", "<widget") << true
        << "t.ui";
    QTest::newRow("unknown handler")
        << description("0x7006", "0:nobodyHome", "") << true << "nobodyHome";
    QTest::newRow("event a kind lacks")
        << description(
               "0x7006", "",
               R"(<widget class="编辑框" name="e"><property name="eventBindings" stdset="0"><string>0:clicked</string></property></widget>)")
        << true << "no event 0";
}

void TestFormRuntime::failuresAreReported() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, added);
    QFETCH(QString, errorPart);
    FormRuntime runtime;
    runtime.setHandlers({{QStringLiteral("clicked"), [] {
                          }}});
    QCOMPARE(runtime.addDescription(bytes, u"t.ui"_s), added);
    if (added) {
        QVERIFY(!runtime.openWindow(0x7006, nullptr, false));
        QCOMPARE(runtime.window(0x7006), nullptr);
    }
    QVERIFY2(runtime.lastError().contains(errorPart), qPrintable(runtime.lastError()));
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().cbegin(),
                         QApplication::topLevelWidgets().cend(),
                         [](QWidget* w) { return w->isVisible(); }));
}

void TestFormRuntime::closingTheLastWindowEndsTheLoopWithZero_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Esc in an edit box") << true;
    QTest::newRow("close request") << false;
}

void TestFormRuntime::closingTheLastWindowEndsTheLoopWithZero() {
    QFETCH(bool, byEscape);
    FormRuntime runtime;
    runtime.setHandlers({{QStringLiteral("clicked"), [] {
                          }}});
    QVERIFY(runtime.addDescription(description("0x7007", "", controls), u"t"_s));
    QVERIFY(runtime.openWindow(0x7007, nullptr, false));
    FormWindow* w = runtime.window(0x7007);
    QTimer::singleShot(0, w, [&] {
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (byEscape) {
            QWidget* box = runtime.control(0x7007, 0x101);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            w->close();
        }
    });
    // A window left open would hold the loop: end it with another code.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    safety.start(5000);
    QCOMPARE(runtime.runEventLoop(), 0);
    QCOMPARE(runtime.window(0x7007), nullptr);
    QCOMPARE(runtime.runEventLoop(), 0); // nothing open: returns at once
}

QTEST_MAIN(TestFormRuntime)
#include "test_form_runtime.moc"
