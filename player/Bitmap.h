#pragma once

#include <QImage>
#include <QMetaType>
#include <QRectF>
#include <QTransform>
#include <memory>

class QGraphicsItem;

namespace player {

// A picture the movie can draw clips into and read pixels from. With alpha it starts as
// the given fill (transparent black for a snapshot); without alpha it is opaque RGB.
class Bitmap {
public:
    Bitmap(int width, int height, bool transparent, QRgb fill = 0xFFFFFFFF);

    [[nodiscard]] int width() const { return m_image.width(); }
    [[nodiscard]] int height() const { return m_image.height(); }
    [[nodiscard]] bool transparent() const { return m_transparent; }
    [[nodiscard]] const QImage& image() const { return m_image; }
    [[nodiscard]] QImage& image() { return m_image; }

    // Renders `source` and everything below it synchronously, in the source's own
    // coordinates mapped through `matrix`; the source's own position, scale and
    // visibility are not applied, those of its children are. An empty clip rectangle
    // means the whole bitmap.
    void draw(const QGraphicsItem& source, const QTransform& matrix = {}, QRectF clipRect = {},
              bool smoothing = false);

    // 0xRRGGBB of the pixel, colour not premultiplied; 0 outside the bitmap.
    [[nodiscard]] quint32 getPixel(int x, int y) const;
    // 0xAARRGGBB of the pixel; 0 outside the bitmap.
    [[nodiscard]] quint32 getPixel32(int x, int y) const;

private:
    QImage m_image;
    bool m_transparent;
};

using BitmapPtr = std::shared_ptr<Bitmap>;

// Paints an item subtree the way the stage shows it (visibility, opacity, masks, depth
// order), without the item's own placement.
void renderSubtree(QPainter& painter, const QGraphicsItem& item, bool applyOwnTransform);

} // namespace player

Q_DECLARE_METATYPE(player::BitmapPtr)
