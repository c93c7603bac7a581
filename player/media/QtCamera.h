#pragma once

#include "player/media/Camera.h"

#include <QCameraDevice>
#include <QElapsedTimer>
#include <QMediaCaptureSession>

class QCamera;
class QVideoFrame;
class QVideoSink;

namespace media {

// A webcam through Qt Multimedia. Linux has no per-application camera permission: a device
// node the user may not open counts as access not allowed (muted), and a device that fails
// to start (taken by another program, unplugged) reports "Camera.Muted" as well.
class QtCamera : public Camera {
    Q_OBJECT
public:
    explicit QtCamera(const QCameraDevice& device, QObject* parent = nullptr);
    ~QtCamera() override;

    [[nodiscard]] bool muted() const override;
    void refresh() override { m_failed = false; }
    void start() override;
    void stop() override;
    [[nodiscard]] bool isActive() const override;

protected:
    void modeChanged() override;

private:
    void onFrame(const QVideoFrame& frame);
    void onError();
    void onActive(bool active);

    QCameraDevice m_device;
    QCamera* m_camera;
    QVideoSink* m_sink;
    QMediaCaptureSession m_session;
    QElapsedTimer m_sinceFrame;
    bool m_failed = false;
    bool m_reportedMuted = false;
};

} // namespace media
