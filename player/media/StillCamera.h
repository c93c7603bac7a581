#pragma once

#include "player/media/Camera.h"

#include <QTimer>

namespace media {

// One still picture standing in for a webcam: every frame is that picture, at the camera's
// frame rate. The picture is decoded once and scaled once to the capture mode, so a frame
// costs no more than passing a shared image along.
class StillCamera : public Camera {
    Q_OBJECT
public:
    enum class Access { Allowed, Busy, Denied };
    // A device name, kept in the settings as the chosen camera: the same in every language.
    static inline const QString kName = QStringLiteral("iVemba 测试摄像头");

    StillCamera(const QString& path, Access access, QObject* parent = nullptr);

    [[nodiscard]] bool muted() const override { return m_access == Access::Denied; }
    void start() override;
    void stop() override;
    [[nodiscard]] bool isActive() const override { return m_timer.isActive(); }
    void setScreenLook(const ScreenLook& look) override;
    // The picture as decoded, before scaling to the mode; null when it could not be read.
    [[nodiscard]] QImage picture() const { return m_picture; }

protected:
    void modeChanged() override;

private:
    void tick();

    Access m_access;
    QImage m_picture;
    QImage m_frame;
    // Made once per look: every frame is the same picture.
    ScreenCopy m_frameOnScreen;
    QTimer m_timer;
};

} // namespace media
