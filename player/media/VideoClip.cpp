#include "player/media/VideoClip.h"

#include "player/media/Camera.h"

#include <QPainter>

namespace media {

VideoClip::VideoClip(const QString& name, QSizeF box) : player::Clip(name), m_box(box) {
    setContent(QRectF(QPointF(0, 0), m_box), [this](QPainter& p) {
        if (!m_frame.isNull())
            p.drawImage(QRectF(QPointF(0, 0), m_box), m_frame);
    });
}

void VideoClip::attachCamera(Camera* camera) {
    if (camera == m_camera)
        return;
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
