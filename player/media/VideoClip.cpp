#include "player/media/VideoClip.h"

#include "player/media/Camera.h"

#include <QPainter>

namespace media {

VideoClip::VideoClip(const QString& name, QSizeF box) : player::Clip(name), m_box(box) {
    setContent(QRectF(QPointF(0, 0), m_box), [this](QPainter& p) { paintFrame(p); });
}

void VideoClip::paintFrame(QPainter& p) {
    if (m_frame.isNull())
        return;
    const QRectF box(QPointF(0, 0), m_box);
    const QTransform& toScreen = p.worldTransform();
    if (toScreen.type() <= QTransform::TxScale) {
        const QRectF area = toScreen.mapRect(box);
        const QPoint topLeft(qRound(area.left()), qRound(area.top()));
        const ScreenLook look{
            QSize(qRound(area.right()) - topLeft.x(), qRound(area.bottom()) - topLeft.y()),
            toScreen.m11() < 0};
        // Only the view's own repaints tell the camera the look: a picture of the stage drawn
        // elsewhere (a snapshot, a print) is not what the screen shows.
        if (m_camera && p.device() && p.device()->devType() == QInternal::Widget &&
            m_camera->screenLook() != look)
            m_camera->setScreenLook(look);
        const ScreenCopy* copy = m_camera ? &m_camera->screenCopy() : nullptr;
        if (copy && copy->frameKey == m_frame.cacheKey() && copy->look == look &&
            !copy->image.isNull()) {
            p.save();
            p.resetTransform();
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(topLeft, copy->image);
            p.restore();
            return;
        }
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(box, m_frame);
}

void VideoClip::attachCamera(Camera* camera) {
    if (camera == m_camera)
        return;
    // The old camera need not make copies for a view that no longer shows it.
    if (m_camera)
        m_camera->setScreenLook({});
    disconnect(m_connection);
    m_camera = camera;
    if (!camera)
        return;
    m_connection = connect(camera, &Camera::frame, this, &VideoClip::showFrame);
    if (!camera->lastFrame().isNull())
        showFrame(camera->lastFrame());
}

void VideoClip::showFrame(const QImage& image) {
    // A still source hands over the same picture each time: nothing to repaint.
    if (image.cacheKey() == m_frame.cacheKey())
        return;
    m_frame = image;
    update();
}

} // namespace media
