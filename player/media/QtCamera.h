#pragma once

#include "player/media/Camera.h"

#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <memory>

class QCamera;
class QVideoSink;

namespace media {

class LatestFrameConverter;

// A webcam through Qt Multimedia. Linux has no per-application camera permission: a device
// node the user may not open counts as access not allowed (muted), and a device that fails
// to start (taken by another program, unplugged) reports "Camera.Muted" as well.
// Frames are converted away from the UI thread; only finished pictures reach it.
class QtCamera : public Camera {
    Q_OBJECT
public:
    explicit QtCamera(const QCameraDevice& device, QObject* parent = nullptr);
    ~QtCamera() override;

    [[nodiscard]] bool muted() const override;
    void start() override;
    void stop() override;
    [[nodiscard]] bool isActive() const override;
    void setScreenLook(const ScreenLook& look) override;

protected:
    void modeChanged() override;
    void reopen() override;

private:
    void makeCamera();
    void onError();
    void onActive(bool active);

    QCameraDevice m_device;
    QCamera* m_camera = nullptr;
    QVideoSink* m_sink;
    QMediaCaptureSession m_session;
    std::unique_ptr<LatestFrameConverter> m_converter;
    bool m_failed = false;
    bool m_reportedMuted = false;
};

} // namespace media
