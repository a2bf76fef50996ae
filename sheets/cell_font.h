#pragma once

#include <QFont>
#include <QHash>

// The face a sheet's cells are drawn in: a Chinese sans-serif face where one is
// installed, ahead of the application's font. A Latin default face would draw
// the digits of "（   ）+96=188" so wide that a problem no longer fits its cell.
QFont sheetFont(const QFont& applicationFont);

// The face of `base` at the largest pixel size whose line height (ascent +
// descent) does not exceed `cellHeight`; for most heights the two are equal.
// A height of 0 or less gives `base` itself.
QFont fontForCellHeight(const QFont& base, int cellHeight);

// fontForCellHeight measured once per height: measuring a font costs far
// more than a cell write.
class CellFontCache {
public:
    explicit CellFontCache(const QFont& base = QFont()) : m_base(base) {}

    const QFont& base() const { return m_base; }
    QFont font(int cellHeight) const;

private:
    QFont m_base;
    mutable QHash<int, QFont> m_fonts;
};
