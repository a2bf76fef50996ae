#include "paper_layout.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Room between a cell's edge and its text, in sheet pixels, as on screen.
constexpr qreal textPadding = 3;
// Grid lines are one sheet pixel wide, so on paper they keep their on-screen
// weight relative to the cells.
constexpr qreal gridLineWidth = 1;
// Header and footer text: 10 pt, smaller where the band is too low for it.
constexpr qreal bandTextInches = 10.0 / 72.0;
constexpr qreal bandTextShare = 0.6;
// Rows are summed in floating point; a page that fits exactly must not lose
// its last row to rounding.
constexpr qreal fitTolerance = 1e-6;

std::vector<qreal> runningSums(int count, auto sizeOf) {
    std::vector<qreal> sums(std::size_t(count) + 1, 0);
    for (int i = 0; i < count; ++i)
        sums[std::size_t(i) + 1] = sums[std::size_t(i)] + sizeOf(i);
    return sums;
}

void drawBandText(QPainter& painter, const QRectF& band, const QString& text, const QFont& face,
                  qreal resolution) {
    if (band.height() <= 0 || band.width() <= 0)
        return;
    QFont font = face;
    font.setPixelSize(
        std::max(1, qRound(std::min(band.height() * bandTextShare, resolution * bandTextInches))));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, text);
}

} // namespace

PaperSettings paperSettingsOf(const QPagedPaintDevice& device, qreal screenDpi) {
    const int resolution = device.logicalDpiY();
    const QPageLayout page = device.pageLayout();
    return {QSizeF(page.fullRectPixels(resolution).size()),
            QPointF(page.paintRectPixels(resolution).topLeft()), qreal(resolution), screenDpi};
}

PaperLayout::PaperLayout(const SheetModel& sheet, const PaperSettings& paper)
    : m_sheet(sheet), m_paper(paper),
      m_rowTops(runningSums(sheet.rowCount(), [&sheet](int row) { return sheet.rowHeight(row); })),
      m_columnLefts(runningSums(sheet.columnCount(),
                                [&sheet](int column) { return sheet.columnWidth(column); })) {
    const auto margin = [this](PrintMargin which) {
        return toDevice(std::max(0, m_sheet.printMargin(int(which))));
    };
    const qreal left = margin(PrintMargin::Left);
    const qreal top = margin(PrintMargin::Top);
    const qreal width = std::max(0.0, paper.paperSize.width() - left - margin(PrintMargin::Right));
    const qreal footer = margin(PrintMargin::Footer);
    m_headerRect = QRectF(left, top, width, margin(PrintMargin::Header));
    m_footerRect = QRectF(left, paper.paperSize.height() - margin(PrintMargin::Bottom) - footer,
                          width, footer);
    const qreal tableTop = m_headerRect.bottom() + margin(PrintMargin::HeaderGap);
    m_tableRect = QRectF(left, tableTop, width, std::max(0.0, m_footerRect.top() - tableTop));

    const qreal sheetWidth = m_columnLefts.back();
    m_scale = sheet.fitToPageWidth() && sheetWidth > 0 ? width / sheetWidth
                                                       : paper.resolution / paper.screenDpi;
    breakIntoPages();
}

qreal PaperLayout::toDevice(int tenthsOfMm) const {
    return tenthsOfMm * m_paper.resolution / 254.0;
}

// The end of the shortest run of rows from `row` that no merged cell crosses.
int PaperLayout::blockEnd(int row) const {
    int end = row + 1;
    for (bool grown = true; grown;) {
        grown = false;
        for (const CellSpan& span : m_sheet.spans()) {
            const int spanEnd = span.row + span.rowCount;
            if (span.row < end && spanEnd > end) {
                end = spanEnd;
                grown = true;
            }
        }
    }
    return std::min(end, m_sheet.rowCount());
}

void PaperLayout::breakIntoPages() {
    const qreal room = m_tableRect.height() + fitTolerance;
    const auto height = [this](int first, int end) {
        return (m_rowTops[std::size_t(end)] - m_rowTops[std::size_t(first)]) * m_scale;
    };
    const int rows = m_sheet.rowCount();
    int row = 0;
    do {
        const int first = row;
        qreal used = 0;
        while (row < rows) {
            const int end = blockEnd(row);
            if (used + height(row, end) <= room) {
                used += height(row, end);
                row = end;
                continue;
            }
            if (row > first)
                break;
            // Taller than a whole page: as many of its rows as fit, at least one.
            do {
                used += height(row, row + 1);
                ++row;
            } while (row < end && used + height(row, row + 1) <= room);
            break;
        }
        m_pages.push_back({first, row - first});
    } while (row < rows);
}

QRectF PaperLayout::cellRect(int row, int column, int rowCount, int columnCount) const {
    const qreal left = m_columnLefts[std::size_t(column)];
    const qreal top = m_rowTops[std::size_t(row)];
    return QRectF(left, top, m_columnLefts[std::size_t(column + columnCount)] - left,
                  m_rowTops[std::size_t(row + rowCount)] - top);
}

void PaperLayout::paintPage(QPainter& painter, int page, const QString& sheetName,
                            const CellFontCache& fonts) const {
    Q_ASSERT(page >= 0 && page < pageCount());
    const PageRows rows = m_pages[std::size_t(page)];
    const int endRow = rows.firstRow + rows.rowCount;

    painter.save();
    painter.translate(-m_paper.origin);
    drawBandText(painter, m_headerRect, sheetName, fonts.base(), m_paper.resolution);
    drawBandText(painter, m_footerRect, u"第 %1 页 / 共 %2 页"_s.arg(page + 1).arg(pageCount()),
                 fonts.base(), m_paper.resolution);

    // Merged cells are drawn once, as one box; the cells they cover not at all.
    struct Box {
        QRectF rect;
        const SheetCell* cell;
    };
    std::vector<Box> boxes;
    for (int row = rows.firstRow; row < endRow; ++row) {
        for (int column = 0; column < m_sheet.columnCount(); ++column) {
            if (!m_sheet.spanAt(row, column))
                boxes.push_back({cellRect(row, column, 1, 1), &m_sheet.cell(row, column)});
        }
    }
    for (const CellSpan& span : m_sheet.spans()) {
        if (span.row < endRow && span.row + span.rowCount > rows.firstRow)
            boxes.push_back({cellRect(span.row, span.column, span.rowCount, span.columnCount),
                             &m_sheet.cell(span.row, span.column)});
    }

    // The table is cut at the right margin and below the page's last row; the
    // outer grid lines reach half a line beyond.
    const qreal rowsTop = m_rowTops[std::size_t(rows.firstRow)];
    const qreal halfLine = gridLineWidth * m_scale / 2;
    const QSizeF shown(
        std::min(m_columnLefts.back() * m_scale, m_tableRect.width()),
        std::min((m_rowTops[std::size_t(endRow)] - rowsTop) * m_scale, m_tableRect.height()));
    painter.setClipRect(
        QRectF(m_tableRect.topLeft(), shown).adjusted(-halfLine, -halfLine, halfLine, halfLine),
        Qt::IntersectClip);
    painter.translate(m_tableRect.topLeft());
    painter.scale(m_scale, m_scale);
    painter.translate(0, -rowsTop);

    // Backgrounds first, then texts, then lines, so no cell paints over its
    // neighbour's border.
    for (const Box& box : boxes)
        painter.fillRect(box.rect, m_sheet.backColorOf(*box.cell));
    for (const Box& box : boxes) {
        const SheetCell& cell = *box.cell;
        if (cell.text.isEmpty())
            continue;
        const int flags = int(Qt::AlignVCenter | horizontalAlignment(cell.alignment)) |
                          (cell.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        painter.setFont(fonts.font(cell.fontHeight));
        painter.setPen(m_sheet.textColorOf(cell));
        painter.drawText(box.rect.adjusted(textPadding, 0, -textPadding, 0), flags, cell.text);
    }
    QPen line(colorFromBgr(m_sheet.gridLineColor()), gridLineWidth);
    line.setJoinStyle(Qt::MiterJoin);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    for (const Box& box : boxes)
        painter.drawRect(box.rect);
    painter.restore();
}

bool paintSheet(QPainter& painter, QPagedPaintDevice& device, const PaperLayout& layout,
                const QString& sheetName, const CellFontCache& fonts) {
    for (int page = 0; page < layout.pageCount(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        layout.paintPage(painter, page, sheetName, fonts);
    }
    return true;
}
