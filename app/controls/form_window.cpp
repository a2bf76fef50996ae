#include "form_window.h"

#include "picture_loading.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

FormWindow::FormWindow(QWidget* parent) : QMainWindow(parent) {}

void FormWindow::setEscapeCloses(bool on) {
    m_escapeCloses = on;
    if (on && !m_escape) {
        // A window shortcut, so Esc closes the window wherever the focus is,
        // a grid included.
        m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        m_escape->setContext(Qt::WindowShortcut);
        connect(m_escape, &QShortcut::activated, this, &QWidget::close);
    }
    if (m_escape)
        m_escape->setEnabled(on);
}

void FormWindow::setIconSource(const QString& path) {
    m_iconSource = path;
    const QImage icon = loadPictureOrWarn(path);
    if (!icon.isNull())
        setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void FormWindow::showAsDescribed() {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (m_minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_maximiseButton)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);

    const QSize described = size();
    if (!m_resizable)
        setFixedSize(described);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - described.width()) / 2,
             area.y() + (area.height() - described.height()) / 2);
    }
    showNormal();
    activateWindow();
}
