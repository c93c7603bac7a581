#include "player/Bitmap.h"

#include <QGraphicsItem>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <algorithm>

namespace player {

Bitmap::Bitmap(int width, int height, bool transparent, QRgb fill)
    : m_image(std::max(width, 1), std::max(height, 1),
              transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32),
      m_transparent(transparent) {
    m_image.fill(transparent ? QColor::fromRgba(fill) : QColor::fromRgb(fill | 0xFF000000u));
}

void Bitmap::draw(const QGraphicsItem& source, const QTransform& matrix, QRectF clipRect,
                  bool smoothing) {
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smoothing);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (!clipRect.isEmpty())
        painter.setClipRect(clipRect);
    painter.setTransform(matrix);
    renderSubtree(painter, source, false);
}

quint32 Bitmap::getPixel(int x, int y) const {
    return getPixel32(x, y) & 0xFFFFFFu;
}

quint32 Bitmap::getPixel32(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return 0;
    // A snapshot keeps premultiplied pixels for drawing speed; readers get plain colour.
    const QRgb pixel = m_image.pixel(x, y);
    return m_image.format() == QImage::Format_ARGB32_Premultiplied ? qUnpremultiply(pixel) : pixel;
}

void renderSubtree(QPainter& painter, const QGraphicsItem& item, bool applyOwnTransform) {
    painter.save();
    if (applyOwnTransform) {
        QTransform local = item.transform();
        local *= QTransform::fromTranslate(item.pos().x(), item.pos().y());
        painter.setTransform(local * painter.transform());
        painter.setOpacity(painter.opacity() * item.opacity());
    }
    const bool clipsSelf = item.flags() & QGraphicsItem::ItemClipsToShape;
    const bool clipsChildren = item.flags() & QGraphicsItem::ItemClipsChildrenToShape;
    if (clipsSelf || clipsChildren)
        painter.setClipPath(item.shape(), Qt::IntersectClip);

    QStyleOptionGraphicsItem option;
    option.exposedRect = item.boundingRect();
    const_cast<QGraphicsItem&>(item).paint(&painter, &option, nullptr);

    QList<QGraphicsItem*> children = item.childItems();
    std::stable_sort(children.begin(), children.end(),
                     [](auto* a, auto* b) { return a->zValue() < b->zValue(); });
    for (const QGraphicsItem* child : children) {
        if (child->isVisibleTo(&item) && child->opacity() > 0.0)
            renderSubtree(painter, *child, true);
    }
    painter.restore();
}

} // namespace player
