#pragma once

#include <QList>
#include <QWidget>

class QTabBar;

// The tab control kind "高级选择夹". Its pages are child widgets that cover
// the whole control, so the controls on a page keep the places their
// description gives in the control's own coordinates; the tab strip lies on
// top and selecting a tab shows that page's controls and hides the others'.
class TabControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int currentPage READ currentPage WRITE setCurrentPage)
    Q_PROPERTY(QString captionFontFamily READ captionFontFamily WRITE setCaptionFontFamily)
    Q_PROPERTY(int captionPixelHeight READ captionPixelHeight WRITE setCaptionPixelHeight)

public:
    // Height of the tab strip; the page area begins two pixels below it.
    static constexpr int tabHeight = 20;

    explicit TabControl(QWidget* parent = nullptr);

    int currentPage() const;
    void setCurrentPage(int index);
    QString captionFontFamily() const { return m_captionFamily; }
    void setCaptionFontFamily(const QString& family);
    int captionPixelHeight() const { return m_captionPixelHeight; }
    void setCaptionPixelHeight(int pixels);

    // Takes the child widgets that carry a "pageCaption" as the pages, in
    // description order, and selects the stored page.
    void adoptPages();

    int pageCount() const { return int(m_pages.size()); }
    QWidget* page(int index) const { return m_pages.value(index); }
    QTabBar* tabBar() const { return m_tabBar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPage(int index);
    void applyCaptionFont();

    QTabBar* m_tabBar;
    QList<QWidget*> m_pages;
    int m_storedPage = 0;
    QString m_captionFamily;
    int m_captionPixelHeight = 12;
};
