#pragma once

#include "cell_font.h"
#include "sheet_model.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// The paper a sheet goes on, in the units of the device that paints it.
struct PaperSettings {
    // The whole sheet of paper.
    QSizeF paperSize;
    // Where the painter's origin lies on the paper: its corner for a printer
    // in full-page mode, the corner of the printable area otherwise.
    QPointF origin;
    // Device units per inch.
    qreal resolution = 96;
    // Screen pixels per inch: the size a sheet keeps with fitToPageWidth off.
    qreal screenDpi = 96;
};

// The paper of a printer or PDF writer as it is set up now.
PaperSettings paperSettingsOf(const QPagedPaintDevice& device, qreal screenDpi);

// The rows one page shows.
struct PageRows {
    int firstRow = 0;
    int rowCount = 0;

    bool operator==(const PageRows&) const = default;
};

// How a sheet falls onto pages, and the drawing of each page.
//
// From the top of the paper: the top margin (3), the header band (5) with the
// sheet's name, the gap (7), then the table. From the bottom: the bottom
// margin (4), then the footer band (6) with the page number, which ends the
// table's room. The left (1) and right (2) margins bound all three. Margins
// count from the paper's edge, not from the printer's printable area, so a
// sheet lands in the same place on every printer.
//
// A page takes whole rows, and rows joined by a merged cell stay together.
// What is taller than a whole page is broken between rows, and a single row
// taller than a page gets a page of its own and is cut at its bottom, so
// laying out always ends. Columns wider than the page are cut at the right
// margin: worksheets are laid out to the page width, never across pages.
//
// The layout reads the sheet when it is built and again when it paints, so
// the sheet must outlive it and stay unchanged meanwhile.
class PaperLayout {
public:
    PaperLayout(const SheetModel& sheet, const PaperSettings& paper);

    // Device units per sheet pixel: the printable width over the sheet's
    // width with fitToPageWidth on, screen pixels at the screen's logical
    // resolution with it off.
    qreal scale() const { return m_scale; }
    QRectF headerRect() const { return m_headerRect; }
    // The room for the table on every page.
    QRectF tableRect() const { return m_tableRect; }
    QRectF footerRect() const { return m_footerRect; }

    // At least one page, even for a sheet without rows.
    int pageCount() const { return int(m_pages.size()); }
    const std::vector<PageRows>& pages() const { return m_pages; }

    // `page` counts from 0. Cells are drawn with the fonts the screen uses for
    // their heights, scaled; their text stays text on every device.
    void paintPage(QPainter& painter, int page, const QString& sheetName,
                   const CellFontCache& fonts) const;

private:
    qreal toDevice(int tenthsOfMm) const;
    int blockEnd(int row) const;
    void breakIntoPages();
    QRectF cellRect(int row, int column, int rowCount, int columnCount) const;

    const SheetModel& m_sheet;
    PaperSettings m_paper;
    std::vector<qreal> m_rowTops;     // in sheet pixels, one more than the rows
    std::vector<qreal> m_columnLefts; // in sheet pixels, one more than the columns
    QRectF m_headerRect;
    QRectF m_tableRect;
    QRectF m_footerRect;
    qreal m_scale = 1;
    std::vector<PageRows> m_pages;
};

// Paints every page on `painter`, already begun on `device`, starting a new
// page before each but the first. False when the device refuses a new page.
bool paintSheet(QPainter& painter, QPagedPaintDevice& device, const PaperLayout& layout,
                const QString& sheetName, const CellFontCache& fonts);
