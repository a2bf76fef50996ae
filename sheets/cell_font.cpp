#include "cell_font.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

QFont sheetFont(const QFont& applicationFont) {
    QFont font = applicationFont;
    QStringList families{u"WenQuanYi Micro Hei"_s};
    families += applicationFont.families();
    font.setFamilies(families);
    return font;
}

QFont fontForCellHeight(const QFont& base, int cellHeight) {
    if (cellHeight <= 0)
        return base;
    QFont font = base;
    const auto lineHeight = [&font](int pixelSize) {
        font.setPixelSize(pixelSize);
        return QFontMetrics(font).height();
    };
    // Line height grows about in proportion to the pixel size: one measurement
    // lands within a pixel or two of the answer.
    int pixelSize = std::max(1, cellHeight * cellHeight / std::max(1, lineHeight(cellHeight)));
    while (pixelSize > 1 && lineHeight(pixelSize) > cellHeight)
        --pixelSize;
    while (lineHeight(pixelSize + 1) <= cellHeight)
        ++pixelSize;
    font.setPixelSize(pixelSize);
    return font;
}

QFont CellFontCache::font(int cellHeight) const {
    if (cellHeight <= 0)
        return m_base;
    auto found = m_fonts.constFind(cellHeight);
    if (found == m_fonts.constEnd())
        found = m_fonts.insert(cellHeight, fontForCellHeight(m_base, cellHeight));
    return *found;
}
