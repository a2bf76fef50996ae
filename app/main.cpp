#include "program.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

static void reportStartFailure(const QString& error) {
    const QString text = QStringLiteral("Numvale 无法启动：%1").arg(error);
    std::fprintf(stderr, "numvale: %s\n", qPrintable(error));
    const QString platform = QGuiApplication::platformName();
    if (platform != u"offscreen" && platform != u"minimal")
        QMessageBox::critical(nullptr, QStringLiteral("错误"), text);
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("numvale"));
    configureFloatingPoint();

    Program program;
    if (!program.start()) {
        reportStartFailure(program.lastError());
        return 1;
    }
    return program.runtime().runEventLoop();
}
