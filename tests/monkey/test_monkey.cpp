// Random user actions on the real main window, offscreen: typing anything and
// pasting into the range boxes, moving the focus, ticking boxes and choosing
// counts by mouse, switching pages by their tabs, generating, and opening and
// closing the preview, the printer's message and the about window. After each
// action the window must still show what a teacher relies on. Seeded: a
// failure names its seed, and NUMVALE_MONKEY_SEED replays it.
#include "modal_closer.h"
#include "program_fixture.h"
#include "tab_control.h"
#include "worksheet_rules.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabBar>
#include <deque>
#include <optional>
#include <random>

using namespace mainwindow;
using namespace Qt::StringLiterals;

namespace {

quint32 environmentNumber(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

// Characters other than digits and "-".
qsizetype junkCount(const QString& text) {
    return std::count_if(text.begin(), text.end(),
                         [](QChar c) { return c != u'-' && (c < u'0' || c > u'9'); });
}

// The offscreen platform notes, for every dialog, that it passes no size
// hints on: the test platform talking, not the program.
QtMessageHandler platformHandler = nullptr;
void dropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text != u"This plugin does not support propagateSizeHints()"_s)
        platformHandler(type, context, text);
}

rules::SheetView viewOf(const AdvancedGrid* sheet) {
    return {[sheet](int row, int column) { return sheet->cellText(row, column); },
            sheet->rowCount(), sheet->columnCount()};
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomActions();

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    QString randomText(int maxLength);
    QLineEdit* randomBox() { return m_boxes[std::size_t(pick(0, 1))]; }

    // Each action does one thing a user can do, and describes what it did or
    // gives a fault it saw on the way.
    QString typeIntoBox();
    QString pasteIntoBox();
    QString moveFocus();
    QString tickBox();
    QString chooseCount();
    QString switchPage();
    QString generate();
    QString preview();
    QString printDirectly();
    QString openAbout();

    // A window the user may meet: its class, and its title unless any will do.
    struct Expected {
        QString className;
        std::optional<QString> title;
    };
    // Presses a button or runs a menu action whose modal window the closer
    // dismisses; a fault when none opened or it was none of those expected.
    QString throughModal(const std::function<void()>& open, const QList<Expected>& expected);
    // What must hold after every action.
    QString windowFault();

    std::mt19937 m_random;
    ProgramFixture* m_f = nullptr;
    std::array<QLineEdit*, 2> m_boxes{};
    QList<QCheckBox*> m_operationBoxes;
    QList<QCheckBox*> m_formatBoxes;
    QList<QRadioButton*> m_countButtons;
    QList<QWidget*> m_focusTargets;
    TabControl* m_tabs = nullptr;
    // The last run's settings, which the sheets must keep showing.
    bool m_generated = false;
    rules::RunSettings m_run;
    rules::Tally m_tally;
    int m_worksheets = 0;
    int m_modals = 0;
};

QString TestMonkey::randomText(int maxLength) {
    QString text;
    const int length = pick(0, maxLength);
    while (text.size() < length) {
        switch (pick(0, 11)) {
        case 0:
        case 1:
        case 2:
        case 3:
            text += QChar(u'0' + pick(0, 9));
            break;
        case 4:
            text += u'-';
            break;
        case 5:
            text += QChar(pick(0x20, 0x7E)); // ASCII, space and signs included
            break;
        case 6:
            text += QChar(pick(0xFF01, 0xFF5E)); // full-width forms
            break;
        case 7:
            text += QChar(pick(0x4E00, 0x9FA5)); // CJK ideographs
            break;
        case 8:
            text += QChar(pick(0, 1) ? pick(1, 0x1F) : 0x7F); // control characters
            break;
        case 9:
            text += u"　"_s; // ideographic space
            break;
        case 10:
            text += u"😀"_s; // beyond the basic plane
            break;
        default:
            text += QChar(pick(0xFF10, 0xFF19)); // full-width digits
            break;
        }
    }
    return text;
}

QString TestMonkey::typeIntoBox() {
    QLineEdit* box = randomBox();
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    const QString before = box->text();
    QString keys;
    for (int i = pick(1, 8); i > 0; --i) {
        switch (pick(0, 5)) {
        case 0: {
            static constexpr std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 10> edits{
                {{Qt::Key_Backspace, {}},
                 {Qt::Key_Delete, {}},
                 {Qt::Key_Left, {}},
                 {Qt::Key_Right, {}},
                 {Qt::Key_Home, {}},
                 {Qt::Key_End, {}},
                 {Qt::Key_Home, Qt::ShiftModifier},
                 {Qt::Key_A, Qt::ControlModifier},
                 {Qt::Key_C, Qt::ControlModifier},
                 {Qt::Key_X, Qt::ControlModifier}}};
            const auto& [key, modifiers] = edits[std::size_t(pick(0, int(edits.size()) - 1))];
            QTest::keyClick(box, key, modifiers);
            keys += u"<key %1>"_s.arg(int(key));
            break;
        }
        default: {
            const QString typed = randomText(3);
            ProgramFixture::type(box, typed);
            keys += typed;
            break;
        }
        }
    }
    // Typing and editing keys drop every character but digits and "-".
    if (junkCount(box->text()) > junkCount(before))
        return u"FAULT typing %1 into \"%2\" gave \"%3\""_s.arg(keys, before, box->text());
    return u"typed %1 into %2"_s.arg(keys, box->objectName());
}

QString TestMonkey::pasteIntoBox() {
    QLineEdit* box = randomBox();
    const QString pasted = randomText(12);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    // Pasting is not filtered (line breaks aside, which a one-line box cannot hold).
    const bool plain = std::none_of(pasted.begin(), pasted.end(),
                                    [](QChar c) { return c.unicode() == u'\n' || c == u'\r'; });
    if (plain && !box->text().contains(pasted))
        return u"FAULT pasting \"%1\" left \"%2\""_s.arg(pasted, box->text());
    return u"pasted \"%1\" into %2"_s.arg(pasted, box->objectName());
}

QString TestMonkey::moveFocus() {
    QWidget* focus = QApplication::focusWidget();
    switch (pick(0, 3)) {
    case 0:
        QTest::keyClick(focus ? focus : m_f->window(), Qt::Key_Tab);
        return u"Tab"_s;
    case 1:
        QTest::keyClick(focus ? focus : m_f->window(), Qt::Key_Backtab, Qt::ShiftModifier);
        return u"Shift+Tab"_s;
    case 2:
        if (focus)
            focus->clearFocus();
        return u"focus cleared"_s;
    default: {
        QWidget* target = m_focusTargets[pick(0, int(m_focusTargets.size()) - 1)];
        target->setFocus(Qt::OtherFocusReason);
        return u"focus to %1 %2"_s.arg(QLatin1StringView(target->metaObject()->className()),
                                       target->objectName());
    }
    }
}

QString TestMonkey::tickBox() {
    const bool operation = pick(0, 1);
    const QList<QCheckBox*>& group = operation ? m_operationBoxes : m_formatBoxes;
    QCheckBox* box = group[pick(0, int(group.size()) - 1)];
    const bool was = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    if (box->isChecked() == was)
        return u"FAULT a click left %1 as it was"_s.arg(box->objectName());
    return u"clicked "_s + box->objectName();
}

QString TestMonkey::chooseCount() {
    QRadioButton* button = m_countButtons[pick(0, int(m_countButtons.size()) - 1)];
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    if (!button->isChecked())
        return u"FAULT a click did not select "_s + button->objectName();
    return u"chose "_s + button->objectName();
}

QString TestMonkey::switchPage() {
    const int page = pick(0, 1);
    QTabBar* bar = m_tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    const AdvancedGrid* shown = page == 0 ? m_f->answerSheet() : m_f->problemSheet();
    const AdvancedGrid* hidden = page == 0 ? m_f->problemSheet() : m_f->answerSheet();
    const qint32 current =
        integerOf(m_f->runtime().getProperty(window, 高级选择夹1, property::currentPage));
    if (current != page || !shown->isVisible() || hidden->isVisible())
        return u"FAULT clicking tab %1 shows page %2"_s.arg(page).arg(current);
    return u"page %1"_s.arg(page);
}

QString TestMonkey::generate() {
    // The box that loses the focus to the button is normalised before the
    // run reads it; either box empty then gives the default range.
    QString smallest = rules::normalisedBoxText(m_boxes[0]->text());
    QString largest = rules::normalisedBoxText(m_boxes[1]->text());
    if (smallest.isEmpty() || largest.isEmpty()) {
        smallest = u"1"_s;
        largest = u"100"_s;
    }
    std::array<bool, 4> operations{};
    for (qsizetype i = 0; i < m_operationBoxes.size(); ++i)
        operations[std::size_t(i)] = m_operationBoxes[i]->isChecked();
    std::array<bool, 3> formats{};
    for (qsizetype i = 0; i < m_formatBoxes.size(); ++i)
        formats[std::size_t(i)] = m_formatBoxes[i]->isChecked();
    static constexpr std::array<qint32, 4> counts{10, 50, 70, 100};
    qint32 count = 0;
    for (qsizetype i = 0; i < m_countButtons.size(); ++i)
        if (m_countButtons[i]->isChecked())
            count = counts[std::size_t(i)];

    auto* button = m_f->child<QAbstractButton>(u"按钮1"_s);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    if (m_boxes[0]->text() != smallest || m_boxes[1]->text() != largest)
        return u"FAULT after the run the boxes read \"%1\" and \"%2\", not \"%3\" and \"%4\""_s.arg(
            m_boxes[0]->text(), m_boxes[1]->text(), smallest, largest);
    m_generated = true;
    m_run.smallest = rules::readRangeText(smallest);
    m_run.largest = rules::readRangeText(largest);
    m_run.operations = rules::allowedOperations(operations);
    m_run.formats = rules::allowedFormats(formats);
    m_run.count = count;
    ++m_worksheets;
    return u"generated %1 from %2 to %3"_s.arg(count).arg(smallest, largest);
}

QString TestMonkey::throughModal(const std::function<void()>& open,
                                 const QList<Expected>& expected) {
    QString fault;
    {
        ModalCloser closer(m_f->window());
        open();
        const auto met = [&closer](const Expected& e) {
            return closer.className() == e.className && (!e.title || closer.title() == *e.title);
        };
        if (!closer.closed())
            fault = u"FAULT no modal window opened"_s;
        else if (std::none_of(expected.begin(), expected.end(), met))
            fault = u"FAULT a %1 titled \"%2\" opened"_s.arg(closer.className(), closer.title());
    }
    ++m_modals;
    // As a window manager would, give the main window back its activation.
    m_f->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(m_f->window()))
        return u"FAULT the main window is not active again"_s;
    return fault;
}

QString TestMonkey::preview() {
    auto* button = m_f->child<QAbstractButton>(u"打印预览"_s);
    const QString fault = throughModal(
        [button] { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); },
        {{u"SheetPreviewDialog"_s, u"打印预览"_s}});
    return fault.isEmpty() ? u"preview opened and closed"_s : fault;
}

QString TestMonkey::printDirectly() {
    // Without a printer the grid says so in a message box; with one, the
    // system print dialog comes first, and closing it prints nothing.
    auto* button = m_f->child<QAbstractButton>(u"打印"_s);
    const QString fault = throughModal(
        [button] { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); },
        {{u"QMessageBox"_s, u"错误"_s}, {u"QPrintDialog"_s, std::nullopt}});
    return fault.isEmpty() ? u"printing refused"_s : fault;
}

QString TestMonkey::openAbout() {
    QAction* author = nullptr;
    for (QAction* action : m_f->window()->findChildren<QAction*>())
        if (action->text() == u"作者"_s)
            author = action;
    if (!author)
        return u"FAULT no menu item 作者"_s;
    const QString fault =
        throughModal([author] { author->trigger(); }, {{u"FormWindow"_s, QString()}});
    return fault.isEmpty() ? u"about window opened and closed"_s : fault;
}

QString TestMonkey::windowFault() {
    if (QApplication::activeModalWidget())
        return u"a modal window is still open"_s;
    if (!m_f->window()->isVisible())
        return u"the main window has gone"_s;
    const auto selected = std::count_if(m_countButtons.begin(), m_countButtons.end(),
                                        [](QRadioButton* b) { return b->isChecked(); });
    if (selected != 1)
        return u"%1 count buttons selected"_s.arg(selected);
    for (QLineEdit* box : m_boxes)
        if (!box->hasFocus() && box->text() != rules::normalisedBoxText(box->text()))
            return u"%1 without the focus holds \"%2\""_s.arg(box->objectName(), box->text());

    const QString label =
        textOf(m_f->runtime().getProperty(window, 透明标签_总体数字, property::labelText));
    const QString expectedLabel =
        m_generated ? u"当前总计生成：%1道题"_s.arg(m_run.count) : u"当前已经生成总题数"_s;
    if (label != expectedLabel)
        return u"the label reads %1, not %2"_s.arg(label, expectedLabel);
    // Before the first run the sheets are as set up: titles alone.
    const rules::RunSettings shown = m_generated ? m_run : rules::RunSettings{};
    return rules::sheetsFault(viewOf(m_f->answerSheet()), viewOf(m_f->problemSheet()), shown,
                              m_tally);
}

void TestMonkey::randomActions() {
    const quint32 seed = environmentNumber("NUMVALE_MONKEY_SEED", 7);
    const int actions = int(environmentNumber("NUMVALE_MONKEY_ACTIONS", 10000));
    m_random.seed(seed);
    platformHandler = qInstallMessageHandler(dropSizeHintNotes);
    const auto restoreHandler = qScopeGuard([] { qInstallMessageHandler(platformHandler); });
    ProgramFixture fixture;
    m_f = &fixture;
    m_boxes = {fixture.child<QLineEdit>(u"编辑框_最小整数"_s),
               fixture.child<QLineEdit>(u"编辑框_最大整数"_s)};
    for (const QString& name :
         {u"选择框_加法"_s, u"选择框_减法"_s, u"选择框_乘法"_s, u"选择框_除法"_s})
        m_operationBoxes.append(fixture.child<QCheckBox>(name));
    for (const QString& name : {u"选择框_算法1"_s, u"选择框_算法2"_s, u"选择框_算法3"_s})
        m_formatBoxes.append(fixture.child<QCheckBox>(name));
    for (const QString& name :
         {u"单选框_10道"_s, u"单选框_50道"_s, u"单选框_70道"_s, u"单选框_100道"_s})
        m_countButtons.append(fixture.child<QRadioButton>(name));
    m_tabs = fixture.child<TabControl>(u"高级选择夹1"_s);
    QVERIFY(m_boxes[0] && m_boxes[1] && m_tabs);
    QVERIFY(!m_operationBoxes.contains(nullptr) && !m_formatBoxes.contains(nullptr) &&
            !m_countButtons.contains(nullptr));
    for (QWidget* w : fixture.window()->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(fixture.window()))
            m_focusTargets.append(w);

    // The last actions, to tell how a failure came about.
    std::deque<QString> recent;
    const QString startFault = windowFault();
    QVERIFY2(startFault.isEmpty(), qPrintable(startFault));
    for (int action = 1; action <= actions; ++action) {
        QString done;
        const int roll = pick(0, 199);
        if (roll < 50)
            done = typeIntoBox();
        else if (roll < 70)
            done = pasteIntoBox();
        else if (roll < 90)
            done = moveFocus();
        else if (roll < 125)
            done = tickBox();
        else if (roll < 140)
            done = chooseCount();
        else if (roll < 155)
            done = switchPage();
        else if (roll < 194)
            done = generate();
        else if (roll < 196)
            done = preview();
        else if (roll < 198)
            done = printDirectly();
        else
            done = openAbout();
        recent.push_back(done);
        if (recent.size() > 12)
            recent.pop_front();
        QString fault = done.startsWith(u"FAULT"_s) ? done : windowFault();
        if (!fault.isEmpty()) {
            QStringList log(recent.begin(), recent.end());
            QFAIL(qPrintable(
                u"action %1 (NUMVALE_MONKEY_SEED=%2): %3\nlast actions:\n  %4"_s.arg(action)
                    .arg(seed)
                    .arg(fault, log.join(u"\n  "_s))));
        }
    }
    qInfo("%d actions, %d worksheets, %d modal windows, %lld cells checked (seed %u)", actions,
          m_worksheets, m_modals, m_tally.cells, seed);
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
