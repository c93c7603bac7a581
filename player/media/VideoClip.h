#pragma once

#include "player/Clip.h"
#include "player/media/Camera.h"

#include <QImage>
#include <QMetaObject>
#include <QPointer>

namespace media {

// A video display on the stage: shows the latest frame of the attached camera scaled into
// its box, as a video object shows its stream. A new frame repaints only the box.
class VideoClip : public player::Clip {
    Q_OBJECT
public:
    VideoClip(const QString& name, QSizeF box);

    // Shows `camera`'s frames from now on; null detaches and keeps the last picture.
    void attachCamera(Camera* camera);
    [[nodiscard]] Camera* camera() const { return m_camera; }
    [[nodiscard]] QImage currentFrame() const { return m_frame; }
    [[nodiscard]] QSizeF box() const { return m_box; }
    void showFrame(const QImage& image);

private:
    // One to one from the camera's screen copy when there is one in the painter's look,
    // else the frame scaled into the box.
    void paintFrame(QPainter& p);

    QSizeF m_box;
    QImage m_frame;
    QPointer<Camera> m_camera;
    QMetaObject::Connection m_connection;
};

} // namespace media
