#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>

namespace player {

// A sheet of paper as the sticker layout sees it, in millimetres with the paper's top-left
// corner at (0, 0): the whole sheet and the part of it the printer can reach.
struct StickerPage {
    QRectF paper;
    QRectF printable;
};

// Where the stickers of a sheet go. Stickers keep the card's 4:3 shape, stand a fixed
// gutter apart so a cut between two never touches either, and form one block centred in
// the printable area less the margins, which nothing crosses. Either a grid (2×2, 3×3 …),
// each sticker as large as the grid allows, or as many stickers of a chosen width as fit.
class StickerLayout {
public:
    // Between neighbouring stickers, and between a sticker and the block's edge twice over
    // half of it: room for the cut.
    static constexpr double kGutterMm = 3.0;

    [[nodiscard]] static StickerLayout grid(int columns, int rows, double marginMm);
    [[nodiscard]] static StickerLayout byWidth(double stickerWidthMm, double marginMm);

    struct Sheet {
        int columns = 0;
        int rows = 0;
        QList<QRectF> stickers; // row by row, left to right; empty when none fits
        QList<QLineF> cutLines; // the cell edges round every sticker, in the gutters
        QRectF area;            // the printable area less the margins
    };
    [[nodiscard]] Sheet arrange(const StickerPage& page) const;

    [[nodiscard]] bool isGrid() const { return m_columns > 0; }
    [[nodiscard]] int columns() const { return m_columns; }
    [[nodiscard]] int rows() const { return m_rows; }
    [[nodiscard]] double stickerWidthMm() const { return m_width; }
    [[nodiscard]] double marginMm() const { return m_margin; }

private:
    StickerLayout(int columns, int rows, double width, double margin)
        : m_columns(columns), m_rows(rows), m_width(width), m_margin(margin) {}

    int m_columns;
    int m_rows;
    double m_width;
    double m_margin;
};

} // namespace player
