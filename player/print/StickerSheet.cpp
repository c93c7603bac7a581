#include "player/print/StickerSheet.h"

#include <QHash>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace player {

namespace {

constexpr double kMmPerInch = 25.4;
// Cut lines: thin, light and dashed, so a line a blade misses does not spoil the sticker.
const QColor kCutColour(0xb0, 0xb0, 0xb0);
constexpr double kCutWidthMm = 0.2;

QRect devicePixels(const QRectF& mm, const QPointF& origin, double dotsPerMm) {
    const QPointF topLeft = (mm.topLeft() - origin) * dotsPerMm;
    const QPointF bottomRight = (mm.bottomRight() - origin) * dotsPerMm;
    // Rounded inwards, so a sticker never spills past its place by a pixel.
    const QPoint first(static_cast<int>(std::ceil(topLeft.x())),
                       static_cast<int>(std::ceil(topLeft.y())));
    const QPoint end(static_cast<int>(std::floor(bottomRight.x())),
                     static_cast<int>(std::floor(bottomRight.y())));
    return QRect(first, end - QPoint(1, 1));
}

} // namespace

StickerSheet::StickerSheet(QList<QImage> cards, int front)
    : m_cards(std::move(cards)), m_front(front) {
    if (m_front < 0 || m_front >= m_cards.size())
        m_front = static_cast<int>(m_cards.size()) - 1;
}

StickerPage StickerSheet::pageOf(const QPageLayout& layout) {
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    return {QRectF(QPointF(0, 0), paper.size()), printable};
}

int StickerSheet::pageCount(int places, Fill fill) const {
    if (m_cards.isEmpty() || places < 1)
        return 0;
    if (fill == Fill::CopiesOfFront)
        return 1;
    return static_cast<int>((m_cards.size() + places - 1) / places);
}

QList<int> StickerSheet::cardsOnPage(int places, int page, Fill fill) const {
    QList<int> cards;
    for (int place = 0; place < places; ++place) {
        if (fill == Fill::CopiesOfFront) {
            cards.append(m_front);
        } else {
            const int card = page * places + place;
            cards.append(card < m_cards.size() ? card : -1);
        }
    }
    return cards;
}

void StickerSheet::paintPage(QPainter& painter, const StickerLayout::Sheet& sheet,
                             const StickerPage& page, const QList<int>& cards, double dotsPerMm,
                             bool cutLines) const {
    const QPointF origin = page.printable.topLeft();
    if (cutLines) {
        painter.save();
        QPen pen(kCutColour, kCutWidthMm * dotsPerMm, Qt::DashLine);
        painter.setPen(pen);
        for (const QLineF& line : sheet.cutLines)
            painter.drawLine(
                QLineF((line.p1() - origin) * dotsPerMm, (line.p2() - origin) * dotsPerMm));
        painter.restore();
    }
    QHash<int, QImage> scaled;
    for (qsizetype place = 0; place < sheet.stickers.size() && place < cards.size(); ++place) {
        const int card = cards.at(place);
        if (card < 0 || card >= m_cards.size())
            continue;
        const QRect target = devicePixels(sheet.stickers.at(place), origin, dotsPerMm);
        if (target.isEmpty())
            continue;
        QImage& picture = scaled[card];
        if (picture.size() != target.size())
            picture = m_cards.at(card).scaled(target.size(), Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
        painter.drawImage(target.topLeft(), picture);
    }
}

bool StickerSheet::print(QPagedPaintDevice& device, const Options& options) const {
    const StickerPage page = pageOf(device.pageLayout());
    const StickerLayout::Sheet sheet = options.layout.arrange(page);
    const int places = static_cast<int>(sheet.stickers.size());
    const int pages = std::max(pageCount(places, options.fill), 1);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dotsPerMm = device.logicalDpiX() / kMmPerInch;
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage())
            return false;
        paintPage(painter, sheet, page, cardsOnPage(places, index, options.fill), dotsPerMm,
                  options.cutLines);
    }
    return painter.end();
}

} // namespace player
