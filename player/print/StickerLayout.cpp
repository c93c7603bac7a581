#include "player/print/StickerLayout.h"

#include <algorithm>
#include <cmath>

namespace player {

namespace {

constexpr double kHeightPerWidth = 3.0 / 4.0;

} // namespace

StickerLayout StickerLayout::grid(int columns, int rows, double marginMm) {
    return StickerLayout(std::max(columns, 1), std::max(rows, 1), 0, std::max(marginMm, 0.0));
}

StickerLayout StickerLayout::byWidth(double stickerWidthMm, double marginMm) {
    return StickerLayout(0, 0, std::max(stickerWidthMm, 0.0), std::max(marginMm, 0.0));
}

StickerLayout::Sheet StickerLayout::arrange(const StickerPage& page) const {
    Sheet sheet;
    const QRectF inset = page.paper.adjusted(m_margin, m_margin, -m_margin, -m_margin);
    // Margins wider than half the paper leave nothing; a rectangle turned inside out
    // would otherwise intersect as if normalised.
    if (inset.width() <= 0 || inset.height() <= 0)
        return sheet;
    sheet.area = inset.intersected(page.printable);
    if (sheet.area.isEmpty())
        return sheet;
    const double g = kGutterMm;
    double width = 0;
    if (isGrid()) {
        sheet.columns = m_columns;
        sheet.rows = m_rows;
        const double byColumns = sheet.area.width() / m_columns - g;
        const double byRows = (sheet.area.height() / m_rows - g) / kHeightPerWidth;
        width = std::min(byColumns, byRows);
    } else {
        width = m_width;
        if (width > 0) {
            sheet.columns = static_cast<int>(std::floor(sheet.area.width() / (width + g)));
            sheet.rows =
                static_cast<int>(std::floor(sheet.area.height() / (width * kHeightPerWidth + g)));
        }
    }
    const double height = width * kHeightPerWidth;
    if (width <= 0 || sheet.columns < 1 || sheet.rows < 1) {
        sheet.columns = sheet.rows = 0;
        return sheet;
    }
    const QSizeF cell(width + g, height + g);
    const QSizeF block(cell.width() * sheet.columns, cell.height() * sheet.rows);
    const QPointF corner = sheet.area.center() - QPointF(block.width() / 2, block.height() / 2);
    for (int row = 0; row < sheet.rows; ++row) {
        for (int column = 0; column < sheet.columns; ++column) {
            const QPointF at =
                corner + QPointF(column * cell.width() + g / 2, row * cell.height() + g / 2);
            sheet.stickers.append(QRectF(at, QSizeF(width, height)));
        }
    }
    for (int column = 0; column <= sheet.columns; ++column) {
        const double x = corner.x() + column * cell.width();
        sheet.cutLines.append(QLineF(x, corner.y(), x, corner.y() + block.height()));
    }
    for (int row = 0; row <= sheet.rows; ++row) {
        const double y = corner.y() + row * cell.height();
        sheet.cutLines.append(QLineF(corner.x(), y, corner.x() + block.width(), y));
    }
    return sheet;
}

} // namespace player
