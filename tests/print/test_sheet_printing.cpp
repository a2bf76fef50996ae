#include "modal_answerer.h"
#include "sample_sheets.h"
#include "sheet_printing.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QAction* actionNamed(QWidget* window, const QString& text) {
    const QList<QAction*> actions = window->findChildren<QAction*>();
    const auto found = std::find_if(actions.begin(), actions.end(),
                                    [&](QAction* action) { return action->text() == text; });
    return found == actions.end() ? nullptr : *found;
}

QString pageNumberText(QWidget* preview) {
    for (QLabel* label : preview->findChildren<QLabel*>()) {
        if (label->text().contains(u"页 / 共"_s))
            return label->text().trimmed();
    }
    return {};
}

struct Report {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
};

ModalAnswerer::Handler readReport(Report& report) {
    return [&report](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            report = {box->text(), box->icon(), box->parentWidget()};
    };
}

SheetModel printedWorksheet() {
    SheetModel sheet = worksheet(100);
    usePrintButtonSettings(sheet);
    return sheet;
}

} // namespace

class TestSheetPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_window.resize(725, 515);
        m_window.show();
    }

    void printingWithoutPrinterIsReported() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("the system has a printer");
        const SheetModel sheet = printedWorksheet();
        Report report;
        ModalAnswerer answerer({readReport(report)});
        printSheet(sheet, u"试题答案"_s, &m_window);
        // No print dialog first: there is nothing to choose from.
        QCOMPARE(answerer.titles, QStringList{u"错误"_s});
        QCOMPARE(report.text, u"打印机初始化出错,请检查打印设置!"_s);
        QCOMPARE(report.icon, QMessageBox::Critical);
        QCOMPARE(report.parent, &m_window);
        QCOMPARE(sheet, printedWorksheet());
    }

    void previewOpensOverItsWindow() {
        SheetModel sheet = printedWorksheet();
        QString pageNumber;
        int pages = 0;
        QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
        bool modal = false;
        QWidget* parent = nullptr;
        QSize size;
        ModalAnswerer answerer({[&](QWidget* window) {
            auto* dialog = qobject_cast<SheetPreviewDialog*>(window);
            if (!dialog)
                return;
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            pages = preview->pageCount();
            zoom = preview->zoomMode();
            pageNumber = pageNumberText(dialog);
            modal = dialog->isModal();
            parent = dialog->parentWidget();
            size = dialog->size();
        }});
        previewSheet(sheet, u"原题"_s, &m_window);
        QCOMPARE(answerer.titles, QStringList{u"打印预览"_s});
        QVERIFY(modal);
        QCOMPARE(parent, &m_window);
        QCOMPARE(pages, 2);
        QCOMPARE(pageNumber, u"第 1 页 / 共 2 页"_s);
        // Large, and the page as wide as the window: readable at once.
        const QSize screen = m_window.screen()->availableGeometry().size();
        QVERIFY(size.width() >= screen.width() * 3 / 4 && size.height() >= screen.height() * 3 / 4);
        QCOMPARE(zoom, QPrintPreviewWidget::FitToWidth);
        QCOMPARE(sheet, printedWorksheet());
    }

    void previewPagesAndZoom() {
        SheetModel sheet = printedWorksheet();
        QStringList steps;
        ModalAnswerer answerer({[&](QWidget* dialog) {
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            QAction* previous = actionNamed(dialog, u"上一页"_s);
            QAction* next = actionNamed(dialog, u"下一页"_s);
            const auto note = [&](const QString& step) {
                steps << u"%1: %2 %3%4 zoom %5"_s.arg(step, pageNumberText(dialog))
                             .arg(previous->isEnabled() ? u"<"_s : u"-"_s)
                             .arg(next->isEnabled() ? u">"_s : u"-"_s)
                             .arg(int(preview->zoomMode()));
            };
            note(u"open"_s);
            next->trigger();
            note(u"next"_s);
            previous->trigger();
            note(u"previous"_s);
            const qreal fitted = preview->zoomFactor();
            actionNamed(dialog, u"放大"_s)->trigger();
            note(u"zoom in"_s);
            steps << (preview->zoomFactor() > fitted ? u"larger"_s : u"not larger"_s);
            actionNamed(dialog, u"缩小"_s)->trigger();
            actionNamed(dialog, u"缩小"_s)->trigger();
            steps << (preview->zoomFactor() < fitted ? u"smaller"_s : u"not smaller"_s);
            actionNamed(dialog, u"整页"_s)->trigger();
            note(u"whole page"_s);
            actionNamed(dialog, u"适合宽度"_s)->trigger();
            note(u"width"_s);
        }});
        previewSheet(sheet, u"原题"_s, &m_window);
        const QStringList expected{
            u"open: 第 1 页 / 共 2 页 -> zoom %1"_s.arg(int(QPrintPreviewWidget::FitToWidth)),
            u"next: 第 2 页 / 共 2 页 <- zoom %1"_s.arg(int(QPrintPreviewWidget::FitToWidth)),
            u"previous: 第 1 页 / 共 2 页 -> zoom %1"_s.arg(int(QPrintPreviewWidget::FitToWidth)),
            u"zoom in: 第 1 页 / 共 2 页 -> zoom %1"_s.arg(int(QPrintPreviewWidget::CustomZoom)),
            u"larger"_s,
            u"smaller"_s,
            u"whole page: 第 1 页 / 共 2 页 -> zoom %1"_s.arg(int(QPrintPreviewWidget::FitInView)),
            u"width: 第 1 页 / 共 2 页 -> zoom %1"_s.arg(int(QPrintPreviewWidget::FitToWidth)),
        };
        QCOMPARE(steps, expected);
    }

    void marginsDialog_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");

        // A top margin of 150 mm leaves room for nine rows a page.
        QTest::newRow("confirmed: the preview and the sheet take the margins")
            << true << 3 << 305 << 1500;
        QTest::newRow("cancelled: nothing changes") << false << 2 << 240 << 20;
    }
    void marginsDialog() {
        QFETCH(bool, confirm);
        QFETCH(int, pages);
        QFETCH(int, left);
        QFETCH(int, top);
        SheetModel sheet = printedWorksheet();
        QStringList labels;
        QList<double> shown;
        int pagesAfter = 0;
        ModalAnswerer answerer({
            [&](QWidget* dialog) {
                actionNamed(dialog, u"页边距"_s)->trigger();
                pagesAfter = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
            },
            [&](QWidget* dialog) {
                auto* form = dialog->findChild<QFormLayout*>();
                for (int row = 0; row < form->rowCount(); ++row) {
                    QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole);
                    QLayoutItem* field = form->itemAt(row, QFormLayout::FieldRole);
                    labels << qobject_cast<QLabel*>(label->widget())->text();
                    shown << qobject_cast<QDoubleSpinBox*>(field->widget())->value();
                }
                dialog->findChild<QDoubleSpinBox*>(u"左边距"_s)->setValue(30.5);
                dialog->findChild<QDoubleSpinBox*>(u"上边距"_s)->setValue(150.0);
                auto* margins = qobject_cast<QDialog*>(dialog);
                confirm ? margins->accept() : margins->reject();
            },
        });
        previewSheet(sheet, u"原题"_s, &m_window);
        QCOMPARE(answerer.titles, (QStringList{u"打印预览"_s, u"页边距"_s}));
        QCOMPARE(labels, (QStringList{u"左边距"_s, u"右边距"_s, u"上边距"_s, u"下边距"_s, u"页眉"_s,
                                      u"页脚"_s, u"页眉与表格间距"_s}));
        QCOMPARE(shown, (QList<double>{24.0, 1.0, 2.0, 2.0, 6.0, 6.0, 2.0}));
        QCOMPARE(pagesAfter, pages);
        QCOMPARE(sheet.printMargin(int(PrintMargin::Left)), left);
        QCOMPARE(sheet.printMargin(int(PrintMargin::Top)), top);
        QCOMPARE(sheet.printMargin(int(PrintMargin::Right)), 10);
    }

    void pageSetUpFromPreview() {
        SheetModel sheet = printedWorksheet();
        bool pageSetUp = false;
        ModalAnswerer answerer({
            [&](QWidget* dialog) { actionNamed(dialog, u"页面设置"_s)->trigger(); },
            [&](QWidget* dialog) { pageSetUp = qobject_cast<QPageSetupDialog*>(dialog); },
        });
        previewSheet(sheet, u"原题"_s, &m_window);
        QCOMPARE(answerer.titles.size(), 2);
        QVERIFY(pageSetUp);
        QCOMPARE(sheet, printedWorksheet());
    }

    // Printing from the preview goes the way of every print, and the preview
    // stays open after the report.
    void printFromPreviewWithoutPrinter() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("the system has a printer");
        SheetModel sheet = printedWorksheet();
        Report report;
        const QWidget* preview = nullptr;
        bool previewStayed = false;
        ModalAnswerer answerer({
            [&](QWidget* dialog) {
                preview = dialog;
                actionNamed(dialog, u"打印"_s)->trigger();
                previewStayed = dialog->isVisible();
            },
            readReport(report),
        });
        previewSheet(sheet, u"原题"_s, &m_window);
        QCOMPARE(answerer.titles, (QStringList{u"打印预览"_s, u"错误"_s}));
        QCOMPARE(report.text, u"打印机初始化出错,请检查打印设置!"_s);
        QCOMPARE(report.icon, QMessageBox::Critical);
        QVERIFY(preview);
        QCOMPARE(report.parent, preview);
        QVERIFY(previewStayed);
    }

private:
    QWidget m_window;
};

QTEST_MAIN(TestSheetPrinting)
#include "test_sheet_printing.moc"
