#pragma once

#include "player/print/StickerLayout.h"

#include <QImage>
#include <QList>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

namespace player {

// Photo cards printed as stickers: which card goes in which place of the layout, page after
// page, drawn at the device's own resolution. Each card is scaled once per size with
// smoothing, so the stickers are as sharp as the paper allows and the page is quick to make.
class StickerSheet {
public:
    enum class Fill {
        CopiesOfFront,   // one page, every place the front card
        EveryCardInTurn, // each card once, oldest first, as many pages as that takes
    };
    struct Options {
        StickerLayout layout = StickerLayout::grid(3, 3, 5);
        Fill fill = Fill::CopiesOfFront;
        bool cutLines = true;
    };

    // `cards` are the cards' 240×180 pictures, oldest first; `front` the one in front.
    StickerSheet(QList<QImage> cards, int front);

    [[nodiscard]] static StickerPage pageOf(const QPageLayout& layout);
    // The card in each place of page `page` (counting from 0); -1 leaves a place empty.
    [[nodiscard]] QList<int> cardsOnPage(int places, int page, Fill fill) const;
    [[nodiscard]] int pageCount(int places, Fill fill) const;

    // Every page on the device, laid out on the device's own page; false when the device
    // cannot be painted on.
    bool print(QPagedPaintDevice& device, const Options& options) const;
    // One page, in device pixels at `dotsPerMm`, with the origin at the printable area's
    // corner, as printers and PDF writers place it.
    void paintPage(QPainter& painter, const StickerLayout::Sheet& sheet, const StickerPage& page,
                   const QList<int>& cards, double dotsPerMm, bool cutLines) const;

    [[nodiscard]] int cardCount() const { return static_cast<int>(m_cards.size()); }

private:
    QList<QImage> m_cards;
    int m_front;
};

} // namespace player
