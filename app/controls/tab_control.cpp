#include "tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_tabBar(new QTabBar(this)) {
    m_tabBar->setFocusPolicy(Qt::NoFocus); // the tab control is not a tab stop
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    connect(m_tabBar, &QTabBar::currentChanged, this, &TabControl::showPage);
}

int TabControl::currentPage() const {
    return m_pages.isEmpty() ? m_storedPage : m_tabBar->currentIndex();
}

void TabControl::setCurrentPage(int index) {
    if (m_pages.isEmpty()) {
        m_storedPage = index; // applied when the pages are adopted
        return;
    }
    if (index >= 0 && index < m_pages.size())
        m_tabBar->setCurrentIndex(index);
}

void TabControl::setCaptionFontFamily(const QString& family) {
    m_captionFamily = family;
    applyCaptionFont();
}

void TabControl::setCaptionPixelHeight(int pixels) {
    m_captionPixelHeight = pixels;
    applyCaptionFont();
}

void TabControl::applyCaptionFont() {
    QFont f = font();
    if (!m_captionFamily.isEmpty())
        f.setFamilies({m_captionFamily, font().family()});
    if (m_captionPixelHeight > 0)
        f.setPixelSize(m_captionPixelHeight);
    m_tabBar->setFont(f);
}

void TabControl::adoptPages() {
    m_pages.clear();
    const QSignalBlocker blocker(m_tabBar);
    while (m_tabBar->count() > 0)
        m_tabBar->removeTab(0);
    for (QObject* child : children()) {
        auto* page = qobject_cast<QWidget*>(child);
        if (!page || page == m_tabBar || !page->property("pageCaption").isValid())
            continue;
        m_pages.append(page);
        m_tabBar->addTab(page->property("pageCaption").toString());
        page->setGeometry(rect());
    }
    m_tabBar->raise();
    const int stored = (m_storedPage >= 0 && m_storedPage < m_pages.size()) ? m_storedPage : 0;
    m_tabBar->setCurrentIndex(stored);
    showPage(m_tabBar->currentIndex());
}

void TabControl::showPage(int index) {
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(i == index);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_tabBar->setGeometry(0, 0, width(), tabHeight);
    for (QWidget* page : m_pages)
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, tabHeight, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_tabBar->sizeHint();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
